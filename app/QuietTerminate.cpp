// A window program has no console for the C++ library's verbose terminate message, and its
// demangler and the printf it needs would be a third of the executable. An uncaught exception
// still ends the process at once, only without a message that nobody could read.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
#endif

// A window program has no console for the C++ library's verbose terminate message, and its
// demangler and the printf it needs would be a third of the executable. An uncaught exception
// still ends the process at once, only without a message that nobody could read.
#include <cstdlib>
#include <string>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx

// The library's own errors, which the program never catches, end it the same way without
// throwing: the exception classes would bring a second string implementation with them.
namespace std {
void __throw_bad_alloc()
{
    std::abort();
}
void __throw_bad_array_new_length()
{
    std::abort();
}
void __throw_logic_error(const char*)
{
    std::abort();
}
void __throw_length_error(const char*)
{
    std::abort();
}
void __throw_out_of_range(const char*)
{
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    std::abort();
}
void __throw_invalid_argument(const char*)
{
    std::abort();
}
} // namespace std
#endif

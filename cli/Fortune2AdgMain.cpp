// fortune2adg: a fortune cookie file converted into a quote module on standard output.
#include "FortuneTool.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The module's CR LF line ends must reach the file as they are.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunFortune2Adg(args, std::cout, std::cerr);
}

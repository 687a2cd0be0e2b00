// fortune2adg: a fortune cookie file converted into a quote module on standard output.
#include "FortuneTool.h"
#include "SystemConverter.h"

#include <cstdio>

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
    const SFortuneRun run = RunFortune2Adg(CommandLineArguments(argc, argv));
    std::fwrite(run.strErr.data(), 1, run.strErr.size(), stderr);
    const bool bWritten =
        std::fwrite(run.strOut.data(), 1, run.strOut.size(), stdout) == run.strOut.size() &&
        std::fflush(stdout) == 0;
    if (!bWritten && run.bModule) {
        std::fputs("fortune2adg: cannot write the module\n", stderr);
        return FORTUNE_EXIT_FAILED;
    }
    return run.nExit;
}

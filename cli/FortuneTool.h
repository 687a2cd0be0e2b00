// fortune2adg as a whole: command line in, module and summary out, exit status back.
#pragma once

#include <string>
#include <vector>

// Failed: bad usage, a refused title, an unreadable input or an unwritable output.
enum { FORTUNE_EXIT_WRITTEN = 0, FORTUNE_EXIT_NOTHING = 1, FORTUNE_EXIT_FAILED = 2 };

// What a run prints: the module or the help text on standard output, the summary or the
// refusal on standard error.
struct SFortuneRun {
    int nExit = FORTUNE_EXIT_WRITTEN;
    std::string strOut;
    std::string strErr;
    bool bModule = false; // strOut is a module: failing to write it fails the run
};

// A module only when at least one quote converted.
SFortuneRun RunFortune2Adg(const std::vector<std::string>& args);

// fortune2adg as a whole: command line in, module and summary out, exit status back.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Failed: bad usage, a refused title, an unreadable input or an unwritable output.
enum { FORTUNE_EXIT_WRITTEN = 0, FORTUNE_EXIT_NOTHING = 1, FORTUNE_EXIT_FAILED = 2 };

// The module goes to out only when at least one quote converted.
int RunFortune2Adg(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

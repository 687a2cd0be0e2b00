// Runs a program to its end, together with the programs it started: an NSIS uninstaller
// copies itself to the temporary folder and lets the copy do the work.
#pragma once

#include <string>

constexpr unsigned kRunWaitMs = 60000;

// False when the program did not start or something still ran at the deadline.
bool RunToEnd(const std::string& strCommandLine, unsigned nTimeoutMs = kRunWaitMs);

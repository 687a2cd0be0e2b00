// Finds the program's windows by their caption and waits for them with a deadline, so a
// program that never shows fails the run instead of hanging it.
#pragma once

#include <string>
#include <windows.h>

constexpr unsigned kWindowWaitMs = 15000;

// The first visible top-level window whose caption starts with the prefix, owned by the
// process when one is given (0: any); null when none showed before the deadline.
HWND WaitForWindow(const std::string& strCaptionPrefix, DWORD nProcessId = 0,
                   unsigned nTimeoutMs = kWindowWaitMs);

// True once the window has answered and has nothing left to paint.
bool WaitUntilPainted(HWND hwnd, unsigned nTimeoutMs = kWindowWaitMs);

std::string WindowText(HWND hwnd);

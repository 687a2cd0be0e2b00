#pragma once

#include <windows.h>

// The framework's message box: captioned with the application's name and
// owned by hOwner, or by the active window when none is given.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK | MB_ICONEXCLAMATION,
                  HWND hOwner = nullptr);

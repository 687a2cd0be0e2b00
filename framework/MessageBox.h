#pragma once

#include <windows.h>

// The framework's message box: captioned with the application's name and owned by hOwner, or
// by the active window when none is given. Wide, so that a text in any script shows whatever
// the code page.
int AfxMessageBox(const wchar_t* pszText, UINT nType = MB_OK | MB_ICONEXCLAMATION,
                  HWND hOwner = nullptr);

#pragma once

#include <windows.h>

#include <string>

// The framework's message box: captioned with the application's name and
// owned by hOwner, or by the active window when none is given.
int AfxMessageBox(const char* pszText, UINT nType = MB_OK | MB_ICONEXCLAMATION,
                  HWND hOwner = nullptr);
int AfxMessageBox(const wchar_t* pszText, UINT nType = MB_OK | MB_ICONEXCLAMATION,
                  HWND hOwner = nullptr);

// String resource nIDS in the user's language, with %1 and %2 filled in.
std::wstring AfxFormatString2(UINT nIDS, const wchar_t* psz1, const wchar_t* psz2);

#include "MessageBox.h"

#include "WinApp.h"

#include <string>

int AfxMessageBox(const wchar_t* pszText, UINT nType, HWND hOwner)
{
    const CWinApp* pApp = AfxGetApp();
    const char* pszAppName = pApp != nullptr ? pApp->m_pszAppName : "";
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, pszAppName, -1, nullptr, 0);
    std::wstring strCaption(static_cast<std::size_t>(nChars > 0 ? nChars : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, pszAppName, -1, &strCaption[0], nChars);
    return ::MessageBoxW(hOwner != nullptr ? hOwner : ::GetActiveWindow(), pszText,
                         strCaption.c_str(), nType);
}

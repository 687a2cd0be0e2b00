#include "MessageBox.h"

#include "WinApp.h"

int AfxMessageBox(const char* pszText, UINT nType, HWND hOwner)
{
    const CWinApp* pApp = AfxGetApp();
    const char* pszCaption = pApp != nullptr ? pApp->m_pszAppName : "";
    return ::MessageBoxA(hOwner != nullptr ? hOwner : ::GetActiveWindow(), pszText, pszCaption,
                         nType);
}

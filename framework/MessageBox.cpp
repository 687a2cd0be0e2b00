#include "MessageBox.h"

#include "WinApp.h"

int AfxMessageBox(const char* pszText, UINT nType, HWND hOwner)
{
    const CWinApp* pApp = AfxGetApp();
    const char* pszCaption = pApp != nullptr ? pApp->m_pszAppName : "";
    return ::MessageBoxA(hOwner != nullptr ? hOwner : ::GetActiveWindow(), pszText, pszCaption,
                         nType);
}

int AfxMessageBox(const wchar_t* pszText, UINT nType, HWND hOwner)
{
    const CWinApp* pApp = AfxGetApp();
    wchar_t szCaption[MAX_PATH] = L"";
    if (pApp != nullptr)
        ::MultiByteToWideChar(CP_ACP, 0, pApp->m_pszAppName, -1, szCaption, MAX_PATH);
    szCaption[MAX_PATH - 1] = L'\0';
    return ::MessageBoxW(hOwner != nullptr ? hOwner : ::GetActiveWindow(), pszText, szCaption,
                         nType);
}

// One pass, so that a %2 inside the first argument (a folder may be called so) stays as it is.
std::wstring AfxFormatString2(UINT nIDS, const wchar_t* psz1, const wchar_t* psz2)
{
    const wchar_t* pszTemplate = nullptr;
    // A size of 0 asks for the resource's own read-only text, which is not terminated.
    const int nLength =
        ::LoadStringW(AfxGetInstanceHandle(), nIDS, reinterpret_cast<wchar_t*>(&pszTemplate), 0);
    std::wstring strText;
    for (int i = 0; i < nLength; ++i) {
        const wchar_t chNext = i + 1 < nLength ? pszTemplate[i + 1] : L'\0';
        if (pszTemplate[i] == L'%' && (chNext == L'1' || chNext == L'2')) {
            strText += chNext == L'1' ? psz1 : psz2;
            ++i;
        } else {
            strText += pszTemplate[i];
        }
    }
    return strText;
}

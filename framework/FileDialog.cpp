#include "FileDialog.h"

#include "Wnd.h"

#include <algorithm>

namespace {

using PFileDialogFn = BOOL(WINAPI*)(LPOPENFILENAMEA);

// Loaded when first needed: the common dialogs bring much of the shell with them, which
// would otherwise be loaded, and paid for, at every start. From the system folder only.
BOOL RunCommonDialog(bool bOpen, OPENFILENAMEA* pofn)
{
    static const HMODULE hModule =
        ::LoadLibraryExA("comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (hModule == nullptr)
        return FALSE;
    const FARPROC pfnProc =
        ::GetProcAddress(hModule, bOpen ? "GetOpenFileNameA" : "GetSaveFileNameA");
    const auto pfnDialog = reinterpret_cast<PFileDialogFn>(reinterpret_cast<void (*)()>(pfnProc));
    return pfnDialog != nullptr ? pfnDialog(pofn) : FALSE;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd),
      m_strFilter(lpszFilter != nullptr ? lpszFilter : "")
{
    if (lpszFileName != nullptr)
        lstrcpynA(m_szFileName, lpszFileName, sizeof m_szFileName);
    // The common dialog wants NUL-separated pairs ended by an empty string.
    std::replace(m_strFilter.begin(), m_strFilter.end(), '|', '\0');
    const bool bHasFilter = !m_strFilter.empty();
    m_strFilter.append(2, '\0');
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = bHasFilter ? m_strFilter.c_str() : nullptr;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    const BOOL bOK = RunCommonDialog(m_bOpenFileDialog != FALSE, &m_ofn);
    m_szFileName[sizeof m_szFileName - 1] = '\0';
    m_szFileTitle[sizeof m_szFileTitle - 1] = '\0';
    return bOK ? IDOK : IDCANCEL;
}

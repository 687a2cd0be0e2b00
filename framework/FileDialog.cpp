#include "FileDialog.h"

#include "Wnd.h"

#include <algorithm>

namespace {

using PFileDialogFn = BOOL(WINAPI*)(LPOPENFILENAMEW);

// Loaded when first needed: the common dialogs bring much of the shell with them, which
// would otherwise be loaded, and paid for, at every start. From the system folder only.
BOOL RunCommonDialog(bool bOpen, OPENFILENAMEW* pofn)
{
    static const HMODULE hModule =
        ::LoadLibraryExA("comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (hModule == nullptr)
        return FALSE;
    const FARPROC pfnProc =
        ::GetProcAddress(hModule, bOpen ? "GetOpenFileNameW" : "GetSaveFileNameW");
    const auto pfnDialog = reinterpret_cast<PFileDialogFn>(reinterpret_cast<void (*)()>(pfnProc));
    return pfnDialog != nullptr ? pfnDialog(pofn) : FALSE;
}

// Wide, so that any folder can be put back, whatever the code page can spell.
std::wstring CurrentDirectory()
{
    std::wstring strDir(::GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD nLength = ::GetCurrentDirectoryW(static_cast<DWORD>(strDir.size()), &strDir[0]);
    strDir.resize(nLength < strDir.size() ? nLength : 0);
    return strDir;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const wchar_t* lpszDefExt,
                         const wchar_t* lpszFileName, DWORD dwFlags, const wchar_t* lpszFilter,
                         CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_pParentWnd(pParentWnd),
      m_strFilter(lpszFilter != nullptr ? lpszFilter : L"")
{
    if (lpszFileName != nullptr)
        lstrcpynW(m_szFileName, lpszFileName, MAX_PATH);
    // The common dialog wants NUL-separated pairs ended by an empty string.
    std::replace(m_strFilter.begin(), m_strFilter.end(), L'|', L'\0');
    const bool bHasFilter = !m_strFilter.empty();
    m_strFilter.append(2, L'\0');
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFilter = bHasFilter ? m_strFilter.c_str() : nullptr;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    // The dialog moves the current directory to the folder it shows, whatever the flags say.
    const std::wstring strCurDir = CurrentDirectory();
    const BOOL bOK = RunCommonDialog(m_bOpenFileDialog != FALSE, &m_ofn);
    if (!strCurDir.empty())
        ::SetCurrentDirectoryW(strCurDir.c_str());
    m_szFileName[MAX_PATH - 1] = L'\0';
    return bOK ? IDOK : IDCANCEL;
}

#include "FileDialog.h"

#include "Wnd.h"

#include <algorithm>

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
    const BOOL bOK = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    m_szFileName[sizeof m_szFileName - 1] = '\0';
    m_szFileTitle[sizeof m_szFileTitle - 1] = '\0';
    return bOK ? IDOK : IDCANCEL;
}

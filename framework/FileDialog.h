#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

class CWnd;

// The common Open (or Save As) dialog, wide so that it returns any name a folder holds.
class CFileDialog {
public:
    // lpszFilter: "Description|pattern|...|" pairs ended by an extra "|".
    CFileDialog(BOOL bOpenFileDialog, const wchar_t* lpszDefExt, const wchar_t* lpszFileName,
                DWORD dwFlags, const wchar_t* lpszFilter, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    INT_PTR DoModal();
    std::wstring GetPathName() const { return m_szFileName; }

    OPENFILENAMEW m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    std::wstring m_strFilter;
    wchar_t m_szFileName[MAX_PATH] = L"";
};

#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

class CWnd;

// The common Open (or Save As) dialog.
class CFileDialog {
public:
    // lpszFilter: "Description|pattern|...|" pairs ended by an extra "|".
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    INT_PTR DoModal();
    std::string GetPathName() const { return m_szFileName; }
    std::string GetFileName() const { return m_szFileTitle; }

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CWnd* m_pParentWnd;
    std::string m_strFilter;
    char m_szFileName[MAX_PATH] = "";
    char m_szFileTitle[64] = "";
};

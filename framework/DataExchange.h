#pragma once

#include "Wnd.h"

#include <windows.h>

#include <string>

// One run of a dialog's data exchange, towards the controls or back from them.
// Every failure goes through Fail(); after it the remaining steps do nothing.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

    HWND PrepareCtrl(int nIDC) const { return m_pDlgWnd->GetDlgItem(nIDC); }
    // Like PrepareCtrl; the edit control also takes the focus on failure.
    HWND PrepareEditCtrl(int nIDC);
    // Shows the message, returns to the last edit control and aborts the exchange.
    void Fail(const std::wstring& strMessage);
    bool HasFailed() const { return m_bFailed; }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

private:
    HWND m_hLastEdit = nullptr;
    bool m_bFailed = false;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);

#include "DataExchange.h"

#include "IntegerText.h"
#include "MessageBox.h"

#include <string>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    m_hLastEdit = PrepareCtrl(nIDC);
    return m_hLastEdit;
}

void CDataExchange::Fail(const char* pszMessage)
{
    AfxMessageBox(pszMessage, MB_OK | MB_ICONEXCLAMATION, m_pDlgWnd->m_hWnd);
    if (m_hLastEdit != nullptr) {
        ::SetFocus(m_hLastEdit);
        ::SendMessageA(m_hLastEdit, EM_SETSEL, 0, -1);
    }
    m_bFailed = true;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->HasFailed() || rControl.m_hWnd != nullptr)
        return;
    const HWND hControl = pDX->PrepareCtrl(nIDC);
    if (hControl != nullptr)
        pDX->m_pDlgWnd->AttachControl(rControl, hControl);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->HasFailed())
        return;
    const HWND hEdit = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        // Not snprintf: MinGW's own printf would be a tenth of the executable.
        ::SetWindowTextA(hEdit, std::to_string(value).c_str());
        return;
    }
    char szText[64] = "";
    ::GetWindowTextA(hEdit, szText, sizeof szText);
    szText[sizeof szText - 1] = '\0';
    if (!ParseDialogInteger(szText, value))
        pDX->Fail("Please enter an integer.");
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->HasFailed() || !pDX->m_bSaveAndValidate)
        return;
    if (value >= minVal && value <= maxVal)
        return;
    // The framework's prompt template, with its placeholders filled in.
    std::string strPrompt = "Please enter an integer between %1 and %2.";
    strPrompt.replace(strPrompt.find("%1"), 2, std::to_string(minVal));
    strPrompt.replace(strPrompt.find("%2"), 2, std::to_string(maxVal));
    pDX->Fail(strPrompt.c_str());
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    if (pDX->HasFailed())
        return;
    const HWND hList = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(hList, LB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(hList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

#include "DataExchange.h"

#include "IntegerText.h"
#include "MessageBox.h"
#include "ResourceString.h"

#include <string>

namespace {

// Digits and a sign are the same in either width; the wide formatting would cost more code.
std::wstring DecimalText(int nValue)
{
    const std::string strValue = std::to_string(nValue);
    return std::wstring(strValue.begin(), strValue.end());
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    m_hLastEdit = PrepareCtrl(nIDC);
    return m_hLastEdit;
}

void CDataExchange::Fail(const std::wstring& strMessage)
{
    AfxMessageBox(strMessage.c_str(), MB_OK | MB_ICONEXCLAMATION, m_pDlgWnd->m_hWnd);
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
        pDX->Fail(AfxLoadString(AFX_IDP_PARSE_INT));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->HasFailed() || !pDX->m_bSaveAndValidate)
        return;
    if (value >= minVal && value <= maxVal)
        return;
    pDX->Fail(AfxFormatString2(AFX_IDP_PARSE_INT_RANGE, DecimalText(minVal).c_str(),
                               DecimalText(maxVal).c_str()));
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

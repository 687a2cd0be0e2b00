#include "Controls.h"

#include <commctrl.h>

void CEdit::SetSel(int nStart, int nEnd)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStart), nEnd);
}

void CSpinButtonCtrl::SetRange(short nLower, short nUpper)
{
    ::SendMessageA(m_hWnd, UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower));
}

int CListBox::AddString(const char* pszItem)
{
    return static_cast<int>(
        ::SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszItem)));
}

int CListBox::SetCurSel(int nSelect)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_SETCURSEL, static_cast<WPARAM>(nSelect), 0));
}

int CListBox::GetCurSel() const
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_GETCURSEL, 0, 0));
}

#pragma once

#include "Wnd.h"

// Thin handles on the dialog's own controls, bound by DDX_Control.

class CEdit : public CWnd {
public:
    void SetSel(int nStart, int nEnd);
};

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(short nLower, short nUpper);
};

class CListBox : public CWnd {
public:
    int AddString(const char* pszItem);
    int SetCurSel(int nSelect);
    int GetCurSel() const;
};

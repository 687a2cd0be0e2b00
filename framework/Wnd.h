#pragma once

#include "MessageMap.h"

#include <windows.h>

#include <string>
#include <vector>

// A window of ours: messages go through the message map before the window's
// own procedure, which a handler reaches with Default().
class CWnd : public CCmdTarget {
public:
    HWND GetSafeHwnd() const { return m_hWnd; }
    // Text in the given code page, set through the wide API so that no character of it is lost.
    void SetWindowText(const char* pszText, UINT nCodePage);
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    LRESULT SendMessage(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::SendMessageA(m_hWnd, nMessage, wParam, lParam);
    }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    HWND GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }

    // Passes the message being handled, unchanged, to the window's own procedure.
    LRESULT Default();

    // Binds a control member to hControl until this window is destroyed.
    void AttachControl(CWnd& rControl, HWND hControl);

    // The object behind one of our windows, or null for any other window.
    static CWnd* FromHandle(HWND hWnd);

    HWND m_hWnd = nullptr;

protected:
    // Routes hWnd's messages through this object from now until WM_NCDESTROY.
    void SubclassWindow(HWND hWnd);

    virtual LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam,
                                             LPARAM lParam);
    LRESULT ProcessMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void Detach();

    struct CCurrentMessage {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    };

    WNDPROC m_pfnSuper = nullptr;
    CCurrentMessage m_current = {};
    std::vector<CWnd*> m_vecControls;
};

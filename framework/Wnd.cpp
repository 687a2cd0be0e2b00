#include "Wnd.h"

static const char kObjectProperty[] = "AdagioCWnd";

LRESULT CWnd::Default()
{
    if (m_pfnSuper == nullptr)
        return 0;
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_current.nMessage, m_current.wParam,
                             m_current.lParam);
}

void CWnd::SetWindowText(const char* pszText, UINT nCodePage)
{
    const int nChars = ::MultiByteToWideChar(nCodePage, 0, pszText, -1, nullptr, 0);
    std::wstring strWide(static_cast<std::size_t>(nChars > 0 ? nChars : 1), L'\0');
    ::MultiByteToWideChar(nCodePage, 0, pszText, -1, &strWide[0], nChars);
    ::SetWindowTextW(m_hWnd, strWide.c_str());
}

void CWnd::AttachControl(CWnd& rControl, HWND hControl)
{
    rControl.m_hWnd = hControl;
    m_vecControls.push_back(&rControl);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd == nullptr ? nullptr : static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty));
}

void CWnd::SubclassWindow(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kObjectProperty, this);
    // The wide call keeps a Unicode window Unicode; the narrow one would make it ANSI.
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
}

LRESULT CWnd::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    const bool bHandled = nMessage == WM_COMMAND ? OnCommand(wParam, lParam)
                                                 : HandleMessage(nMessage, wParam, lParam, lResult);
    return bHandled ? lResult : Default();
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    LRESULT lIgnored = 0;
    return HandleMessage(WM_COMMAND, wParam, lParam, lIgnored);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandle(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    return pWnd->ProcessMessage(nMessage, wParam, lParam);
}

LRESULT CWnd::ProcessMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // Handlers may cause nested messages; Default() must still see its own.
    const CCurrentMessage outer = m_current;
    m_current = {nMessage, wParam, lParam};
    const LRESULT lResult = WindowProc(nMessage, wParam, lParam);
    m_current = outer;
    if (nMessage == WM_NCDESTROY)
        Detach();
    return lResult;
}

void CWnd::Detach()
{
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(m_hWnd, kObjectProperty);
    for (CWnd* pControl : m_vecControls)
        pControl->m_hWnd = nullptr;
    m_vecControls.clear();
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
}

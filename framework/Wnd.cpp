#include "Wnd.h"

#include <algorithm>
#include <cwchar>

namespace {

// Our windows, a handful at most: searching them costs less than a window property, which
// Wine looks up in its server at every message.
std::vector<CWnd*>& SubclassedWindows()
{
    static std::vector<CWnd*> s_vecWindows;
    return s_vecWindows;
}

} // namespace

LRESULT CWnd::Default()
{
    if (m_pfnSuper == nullptr)
        return 0;
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_current.nMessage, m_current.wParam,
                             m_current.lParam);
}

// A text the window already has is not set again: the window would repaint all the same,
// and under Wine a caption costs a round trip to the X server.
void CWnd::SetWindowText(const char* pszText, UINT nCodePage)
{
    const int nChars = ::MultiByteToWideChar(nCodePage, 0, pszText, -1, nullptr, 0);
    std::wstring strWide(static_cast<std::size_t>(nChars > 0 ? nChars : 1), L'\0');
    ::MultiByteToWideChar(nCodePage, 0, pszText, -1, &strWide[0], nChars);
    wchar_t szCurrent[512] = L"";
    const int nLength = ::GetWindowTextW(m_hWnd, szCurrent, 512);
    if (nLength + 1 < 512 && std::wcscmp(szCurrent, strWide.c_str()) == 0)
        return;
    ::SetWindowTextW(m_hWnd, strWide.c_str());
}

void CWnd::AttachControl(CWnd& rControl, HWND hControl)
{
    rControl.m_hWnd = hControl;
    m_vecControls.push_back(&rControl);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    const std::vector<CWnd*>& vecWindows = SubclassedWindows();
    const auto it = std::find_if(vecWindows.begin(), vecWindows.end(),
                                 [hWnd](const CWnd* pWnd) { return pWnd->m_hWnd == hWnd; });
    return hWnd != nullptr && it != vecWindows.end() ? *it : nullptr;
}

void CWnd::SubclassWindow(HWND hWnd)
{
    m_hWnd = hWnd;
    SubclassedWindows().push_back(this);
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
    std::vector<CWnd*>& vecWindows = SubclassedWindows();
    vecWindows.erase(std::remove(vecWindows.begin(), vecWindows.end(), this), vecWindows.end());
    for (CWnd* pControl : m_vecControls)
        pControl->m_hWnd = nullptr;
    m_vecControls.clear();
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
}

#pragma once

#include "Wnd.h"

#include <windows.h>

// Owns one font handle.
class CFont {
public:
    CFont() = default;
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    ~CFont() { ::DeleteObject(m_hFont); }

    // nPointSize in tenths of a point, scaled for the screen.
    BOOL CreatePointFont(int nPointSize, const char* pszFaceName);
    HFONT GetSafeHandle() const { return m_hFont; }

private:
    HFONT m_hFont = nullptr;
};

// One paint cycle of a window, for the lifetime of the object.
class CPaintDC {
public:
    explicit CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_ps(), m_hDC(::BeginPaint(m_hWnd, &m_ps))
    {
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }

private:
    HWND m_hWnd;

public:
    PAINTSTRUCT m_ps;
    HDC m_hDC;
};

#include "Gdi.h"

#include "Wnd.h"

#include <cstdlib>

CFont::~CFont()
{
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
}

BOOL CFont::CreatePointFont(int nPointSize, const char* pszFaceName)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    if (pszFaceName != nullptr)
        lstrcpynA(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    const HDC hScreen = ::GetDC(nullptr);
    lf.lfHeight = -std::abs(::GetDeviceCaps(hScreen, LOGPIXELSY) * nPointSize / 720);
    ::ReleaseDC(nullptr, hScreen);
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
    m_hFont = ::CreateFontIndirectA(&lf);
    return m_hFont != nullptr;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd), m_ps(), m_hDC(::BeginPaint(m_hWnd, &m_ps))
{
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
}

#include "Gdi.h"

#include <cstdlib>

BOOL CFont::CreatePointFont(int nPointSize, const char* pszFaceName)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    if (pszFaceName != nullptr)
        lstrcpynA(lf.lfFaceName, pszFaceName, LF_FACESIZE);
    const HDC hScreen = ::GetDC(nullptr);
    lf.lfHeight = -std::abs(::GetDeviceCaps(hScreen, LOGPIXELSY) * nPointSize / 720);
    ::ReleaseDC(nullptr, hScreen);
    ::DeleteObject(m_hFont);
    m_hFont = ::CreateFontIndirectA(&lf);
    return m_hFont != nullptr;
}

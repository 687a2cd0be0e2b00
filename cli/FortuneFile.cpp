#include "FortuneFile.h"

#include <algorithm>

namespace {

// Lines are read in pieces of this size, so one endless line costs no more than a short one.
constexpr std::size_t kPieceSize = 256;

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

bool IsBlank(const char* pBegin, const char* pEnd)
{
    return std::all_of(pBegin, pEnd, [](char ch) { return IsBlank(ch); });
}

bool HasContent(const SFortuneCookie& cookie)
{
    return !IsBlank(cookie.m_strRaw.data(), cookie.m_strRaw.data() + cookie.m_strRaw.size());
}

// Keeps what still fits; bCut tells that something did not.
void AppendBounded(std::string& str, const char* p, std::size_t nCount, bool& bCut)
{
    const std::size_t nRoom =
        CFortuneFile::kMaxCookieBytes - std::min(CFortuneFile::kMaxCookieBytes, str.size());
    if (nCount > nRoom) {
        bCut = true;
        nCount = nRoom;
    }
    str.append(p, nCount);
}

} // namespace

bool CFortuneFile::ReadCookie(SFortuneCookie& cookie)
{
    cookie = SFortuneCookie();
    bool bSeparator = false;
    while (ReadLine(cookie, bSeparator)) {
        if (!bSeparator)
            continue;
        if (HasContent(cookie))
            return true;
        cookie = SFortuneCookie();
    }
    return HasContent(cookie);
}

// One whole line, read piece by piece: a piece that fills the buffer did not reach the line
// end. A separator line is taken back out of the cookie.
bool CFortuneFile::ReadLine(SFortuneCookie& cookie, bool& bSeparator)
{
    if (m_reader.IsAtEnd())
        return false;
    char szPiece[kPieceSize];
    std::size_t nGot = m_reader.ReadBoundedLine(szPiece);
    if (m_reader.HasFailed())
        return false;
    const std::size_t nLineStart = cookie.m_strRaw.size();
    bool bCut = false;
    bSeparator = nGot > 0 && szPiece[0] == '%' && IsBlank(szPiece + 1, szPiece + nGot);
    AppendBounded(cookie.m_strRaw, szPiece, nGot, bCut);
    while (nGot == kPieceSize - 1) {
        nGot = m_reader.ReadBoundedLine(szPiece);
        bSeparator = bSeparator && IsBlank(szPiece, szPiece + nGot);
        AppendBounded(cookie.m_strRaw, szPiece, nGot, bCut);
    }
    if (bSeparator) {
        cookie.m_strRaw.resize(nLineStart);
        return true;
    }
    AppendBounded(cookie.m_strRaw, "\n", 1, bCut);
    cookie.m_bTooLong = cookie.m_bTooLong || bCut;
    return true;
}

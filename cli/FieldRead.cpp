#include "FieldRead.h"

#include <algorithm>
#include <cstdio>

namespace {

const std::size_t kMaxShown = 40;

std::string Escaped(const std::string& strText)
{
    std::string strOut;
    for (const char ch : strText.substr(0, kMaxShown)) {
        const auto uch = static_cast<unsigned char>(ch);
        if (uch < 0x20 || uch >= 0x7F) {
            char szHex[8];
            std::snprintf(szHex, sizeof szHex, "\\x%02X", static_cast<unsigned>(uch));
            strOut += szHex;
        } else {
            strOut += ch;
        }
    }
    return strText.size() > kMaxShown ? strOut + "..." : strOut;
}

} // namespace

std::string SFieldRead::Name() const
{
    const std::string strQuote = "quote " + std::to_string(nQuote);
    switch (eField) {
    case EField::Title:
        return "the title";
    case EField::Count:
        return "the number of quotes";
    case EField::HeaderSeparator:
        return "the header's \"%\" line";
    case EField::Separator:
        return "the \"%\" line before " + strQuote;
    case EField::Text:
        return strQuote + "'s text";
    case EField::Attribution:
        return strQuote + "'s attribution";
    }
    return "";
}

std::string SFieldRead::Quoted() const
{
    if (bMissing)
        return "nothing: the file has ended";
    if (!strText.empty())
        return "\"" + Escaped(strText) + "\"";
    return nColumn == 0 ? "an empty line" : "the end of line " + std::to_string(nLine);
}

SFieldRead CFieldReader::Read(std::size_t nSize)
{
    SFieldRead read;
    read.nSize = nSize;
    read.nLine = m_nLine;
    read.nColumn = m_nColumn;
    char szBuffer[200];
    const std::size_t nLength =
        m_reader.ReadBoundedLine(szBuffer, std::min(nSize, sizeof szBuffer));
    read.strText.assign(szBuffer, nLength);
    read.bMissing = nLength == 0 && m_reader.IsAtEnd();
    read.bFull = nLength + 1 == nSize;
    if (read.bFull || m_reader.IsAtEnd()) {
        m_nColumn += nLength;
    } else {
        ++m_nLine;
        m_nColumn = 0;
    }
    return read;
}

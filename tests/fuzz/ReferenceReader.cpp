#include "ReferenceReader.h"

#include <algorithm>
#include <utility>

CReferenceReader::CReferenceReader(std::string strBytes, ELineMode eMode)
    : m_strBytes(std::move(strBytes)), m_eMode(eMode)
{
    // Text mode reads nothing behind a byte 0x1A.
    if (eMode == ELineMode::Text)
        m_strBytes.resize(std::min(m_strBytes.size(), m_strBytes.find('\x1a')));
}

std::string CReferenceReader::Read(std::size_t nSize)
{
    std::string strLine;
    while (!m_bAtEnd && strLine.size() + 1 < nSize) {
        if (m_nPos == m_strBytes.size()) {
            m_bAtEnd = true;
            m_bFailed = strLine.empty();
        } else if (const std::size_t nLineEnd = LineEndAt(m_nPos)) {
            m_nPos += nLineEnd;
            break;
        } else {
            strLine += m_strBytes[m_nPos++];
        }
    }
    return strLine;
}

// Length of the line end at nPos; 0 when an ordinary character stands there.
std::size_t CReferenceReader::LineEndAt(std::size_t nPos) const
{
    if (m_strBytes[nPos] == '\n')
        return 1;
    const bool bCrLf = m_eMode == ELineMode::Text && m_strBytes[nPos] == '\r' &&
                       nPos + 1 < m_strBytes.size() && m_strBytes[nPos + 1] == '\n';
    return bCrLf ? 2 : 0;
}

#include "LineReader.h"

#include <algorithm>
#include <cstring>

CLineReader::CLineReader(IByteSource& source, ELineMode eMode)
    : m_source(source), m_eMode(eMode), m_pChunk(new char[kChunkSize])
{
    m_bReadable = FillChunk();
}

std::size_t CLineReader::ReadBoundedLine(char* pszLine, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    SLineTarget target = {pszLine, 0, '\0'};
    if (!m_bAtEnd && !TakeWholeLine(target, nSize - 1))
        ReadCharacters(target, nSize - 1);
    pszLine[target.nLength] = '\0';
    return target.nLength;
}

// Lines that cross the end of the chunk or the limit. In text mode a CR at the end of a
// step needs the byte after it to tell a line end from an ordinary character.
void CLineReader::ReadCharacters(SLineTarget& target, std::size_t nMax)
{
    while (target.nLength < nMax) {
        if (!EnsureAhead(1)) {
            m_bAtEnd = true;
            m_bFailed = target.nLength == 0;
            return;
        }
        if (TakeWholeLine(target, nMax))
            return;
        const std::size_t nWindow = std::min(nMax - target.nLength, m_nEnd - m_nPos);
        const bool bCrLast = m_eMode == ELineMode::Text && m_pChunk[m_nPos + nWindow - 1] == '\r';
        Take(target, bCrLast ? nWindow - 1 : nWindow);
        if (!bCrLast)
            continue;
        if (IsCrLfAhead()) {
            m_nPos += 2;
            return;
        }
        Take(target, 1);
    }
}

bool CLineReader::IsCrLfAhead()
{
    return EnsureAhead(2) && m_pChunk[m_nPos + 1] == '\n';
}

// Keeps the unread tail and reads behind it until nBytes are unread or the data ends.
bool CLineReader::EnsureAhead(std::size_t nBytes)
{
    while (m_nEnd - m_nPos < nBytes && !m_bSourceDone) {
        std::memmove(m_pChunk.get(), m_pChunk.get() + m_nPos, m_nEnd - m_nPos);
        m_nEnd -= m_nPos;
        m_nPos = 0;
        FillChunk();
    }
    return m_nEnd - m_nPos >= nBytes;
}

// False when the read itself failed, as opposed to finding the end of the data.
bool CLineReader::FillChunk()
{
    char* pFree = m_pChunk.get() + m_nEnd;
    const std::ptrdiff_t nGot = m_source.Read(pFree, kChunkSize - m_nEnd);
    if (nGot <= 0) {
        m_bSourceDone = true;
        return nGot == 0;
    }
    std::size_t nNew = static_cast<std::size_t>(nGot);
    if (m_eMode == ELineMode::Text) {
        const void* pEof = std::memchr(pFree, 0x1A, nNew);
        if (pEof != nullptr) {
            nNew = static_cast<std::size_t>(static_cast<const char*>(pEof) - pFree);
            m_bSourceDone = true;
        }
    }
    m_nEnd += nNew;
    return true;
}

#include "LineReader.h"

#include "LineEnds.h"

#include <algorithm>
#include <cstring>

static_assert(CLineReader::kChunkSize <= 65536, "chunk offsets must fit the line-end index");

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

char CLineReader::SkipBoundedLine(std::size_t nSize)
{
    SLineTarget target = {nullptr, 0, '\0'};
    if (nSize != 0 && !m_bAtEnd && !TakeWholeLine(target, nSize - 1))
        ReadCharacters(target, nSize - 1);
    return target.chFirst;
}

// The common case: the rest of the line and its line end lie in the chunk, within the limit.
bool CLineReader::TakeWholeLine(SLineTarget& target, std::size_t nMax)
{
    const std::size_t nLf = NextLineEnd();
    const std::size_t nRun = nLf - m_nPos;
    if (nRun >= std::min(nMax - target.nLength, m_nEnd - m_nPos))
        return false;
    // A CR right before the LF belongs to the line end in text mode.
    const bool bCrLf = m_eMode == ELineMode::Text && nRun > 0 && m_pChunk[nLf - 1] == '\r';
    Take(target, bCrLf ? nRun - 1 : nRun);
    m_nPos = nLf + 1;
    ++m_nNextEnd;
    return true;
}

void CLineReader::Take(SLineTarget& target, std::size_t nCount)
{
    if (nCount == 0)
        return;
    if (target.nLength == 0)
        target.chFirst = m_pChunk[m_nPos];
    if (target.pszLine != nullptr)
        std::memcpy(target.pszLine + target.nLength, m_pChunk.get() + m_nPos, nCount);
    target.nLength += nCount;
    m_nPos += nCount;
}

// The first line end at or after the reading position; m_nEnd when there is none in the chunk.
std::size_t CLineReader::NextLineEnd()
{
    for (;;) {
        for (; m_nNextEnd < m_nEndCount; ++m_nNextEnd) {
            if (m_anLineEnds[m_nNextEnd] >= m_nPos)
                return m_anLineEnds[m_nNextEnd];
        }
        if (m_nIndexed >= m_nEnd)
            return m_nEnd;
        IndexLineEnds();
    }
}

// Finds more while a line end or two is left, so a run of found lines rarely ends inside a
// quote.
CLineReader::SFoundLines CLineReader::FoundLines()
{
    NextLineEnd();
    if (m_nEndCount - m_nNextEnd < kFewLineEnds && m_nIndexed < m_nEnd)
        IndexLineEnds();
    return {m_pChunk.get(), m_nPos, m_anLineEnds + m_nNextEnd, m_nEndCount - m_nNextEnd};
}

void CLineReader::PassLines(std::size_t nLines)
{
    if (nLines == 0)
        return;
    m_nNextEnd += nLines;
    m_nPos = m_anLineEnds[m_nNextEnd - 1] + std::size_t{1};
}

// Indexes the next block of the chunk ahead of the reading position, after the line ends
// found before it that are still ahead.
void CLineReader::IndexLineEnds()
{
    const std::size_t nKept = m_nEndCount - m_nNextEnd;
    std::memmove(m_anLineEnds, m_anLineEnds + m_nNextEnd, nKept * sizeof m_anLineEnds[0]);
    const std::size_t nFrom = std::max(m_nIndexed, m_nPos);
    const std::size_t nTo = std::min(m_nEnd, nFrom + kIndexBlock);
    const std::uint16_t* pEnd = ListLineEnds(m_pChunk.get(), nFrom, nTo, m_anLineEnds + nKept);
    m_nNextEnd = 0;
    m_nEndCount = static_cast<std::size_t>(pEnd - m_anLineEnds);
    m_nIndexed = nTo;
}

bool CLineReader::IsCrLfAhead()
{
    return EnsureAhead(2) && m_pChunk[m_nPos + 1] == '\n';
}

// Keeps the unread tail and reads behind it until nBytes are unread or the data ends. The
// tail moves, so the index starts again behind it.
bool CLineReader::EnsureAhead(std::size_t nBytes)
{
    while (m_nEnd - m_nPos < nBytes && !m_bSourceDone) {
        std::memmove(m_pChunk.get(), m_pChunk.get() + m_nPos, m_nEnd - m_nPos);
        m_nEnd -= m_nPos;
        m_nPos = 0;
        m_nNextEnd = 0;
        m_nEndCount = 0;
        m_nIndexed = 0;
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

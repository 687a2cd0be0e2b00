#include "LineReader.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif
#ifdef _MSC_VER
#include <intrin.h>
#endif

namespace {

constexpr std::size_t kMaskBytes = 64;

// Bit i set where p[i] is an LF.
std::uint64_t LineEndMask(const char* p)
{
#if defined(__SSE2__) || defined(_M_X64)
    const __m128i lf = _mm_set1_epi8('\n');
    std::uint64_t nMask = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const auto nBits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
        nMask |= std::uint64_t{nBits} << (16 * i);
    }
    return nMask;
#else
    std::uint64_t nMask = 0;
    for (std::size_t i = 0; i < kMaskBytes; ++i)
        nMask |= std::uint64_t{p[i] == '\n'} << i;
    return nMask;
#endif
}

unsigned LowestBit(std::uint64_t nMask)
{
#ifdef _MSC_VER
    unsigned long nIndex = 0;
    _BitScanForward64(&nIndex, nMask);
    return static_cast<unsigned>(nIndex);
#else
    return static_cast<unsigned>(__builtin_ctzll(nMask));
#endif
}

} // namespace

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

// Indexes the next block of the chunk ahead of the reading position. A short piece at the
// end of the data is copied out first, so no byte behind the data is looked at.
void CLineReader::IndexLineEnds()
{
    const std::size_t nFrom = std::max(m_nIndexed, m_nPos);
    const std::size_t nTo = std::min(m_nEnd, nFrom + kIndexBlock);
    m_nNextEnd = 0;
    m_nEndCount = 0;
    std::size_t nBase = nFrom;
    for (; nTo - nBase >= kMaskBytes; nBase += kMaskBytes)
        AddLineEnds(LineEndMask(m_pChunk.get() + nBase), nBase);
    if (nBase < nTo) {
        char aTail[kMaskBytes] = {};
        std::memcpy(aTail, m_pChunk.get() + nBase, nTo - nBase);
        AddLineEnds(LineEndMask(aTail), nBase);
    }
    m_nIndexed = nTo;
}

void CLineReader::AddLineEnds(std::uint64_t nMask, std::size_t nBase)
{
    for (; nMask != 0; nMask &= nMask - 1)
        m_anLineEnds[m_nEndCount++] = static_cast<std::uint16_t>(nBase + LowestBit(nMask));
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

// Bytes in memory as a line reader's source, handed out at most nPiece at a time.
#pragma once

#include "LineReader.h"

#include <algorithm>
#include <cstring>
#include <string>

class CMemorySource final : public IByteSource {
public:
    explicit CMemorySource(std::string strBytes, std::size_t nPiece = CLineReader::kChunkSize)
        : m_strBytes(std::move(strBytes)), m_nPiece(nPiece)
    {
    }
    std::ptrdiff_t Read(char* pBuffer, std::size_t nSize) override
    {
        const std::size_t nGot = std::min({nSize, m_nPiece, m_strBytes.size() - m_nPos});
        std::memcpy(pBuffer, m_strBytes.data() + m_nPos, nGot);
        m_nPos += nGot;
        return static_cast<std::ptrdiff_t>(nGot);
    }

private:
    std::string m_strBytes;
    std::size_t m_nPiece, m_nPos = 0;
};

// The bounded line read, one byte at a time and straight from its rules: the model the
// real reader is checked against.
#pragma once

#include "LineReader.h"

#include <cstddef>
#include <string>

class CReferenceReader {
public:
    CReferenceReader(std::string strBytes, ELineMode eMode);

    // What a read with limit nSize returns: at most nSize - 1 characters.
    std::string Read(std::size_t nSize);
    bool IsAtEnd() const { return m_bAtEnd; }
    bool HasFailed() const { return m_bFailed; }

private:
    std::size_t LineEndAt(std::size_t nPos) const;

    std::string m_strBytes;
    ELineMode m_eMode;
    std::size_t m_nPos = 0;
    bool m_bAtEnd = false;
    bool m_bFailed = false;
};

// Whether a buffer holds exactly strLine, NUL bytes included, followed by its terminator.
template <std::size_t N> bool HoldsLine(const char (&szBuffer)[N], const std::string& strLine)
{
    return strLine.size() < N &&
           strLine.compare(0, std::string::npos, szBuffer, strLine.size()) == 0 &&
           szBuffer[strLine.size()] == '\0';
}

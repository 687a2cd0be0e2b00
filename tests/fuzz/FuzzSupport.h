// What the fuzz targets share: checks, input decoding, files and the model line reader.
#pragma once

#include "LineReader.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

// A failed check aborts, so libFuzzer keeps the input as a crash.
[[noreturn]] void FuzzCheckFailed(const char* pszCondition, const char* pszFile, int nLine);
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? static_cast<void>(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))

// The code under test opens files by name, so every target runs in a directory of its own,
// removed again at a normal exit.
void EnterPrivateWorkDir();
void WriteFileBytes(const char* pszName, const std::string& strBytes);
// At most nMax bytes from the start of a file; empty when it cannot be read.
std::string ReadFileStart(const std::string& strPath, std::size_t nMax);

inline bool StartsWithDigit(const std::string& strLine)
{
    return !strLine.empty() && strLine[0] >= '0' && strLine[0] <= '9';
}

template <std::size_t N> bool IsTerminated(const char (&szBuffer)[N])
{
    return std::memchr(szBuffer, '\0', N) != nullptr;
}

// Header fields, then the file. Little-endian; an input too short for its header reads as
// zeros there.
class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* pData, std::size_t nSize) : m_pData(pData), m_nSize(nSize) {}

    template <typename T> T Take()
    {
        std::uint64_t nValue = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i, ++m_nPos)
            nValue |= static_cast<std::uint64_t>(m_nPos < m_nSize ? m_pData[m_nPos] : 0) << (8 * i);
        return static_cast<T>(nValue);
    }
    // A run repeats one byte of the file many times, so that a short input reaches across
    // the reader's chunk end.
    void TakeRun();
    // Writes the rest of the input, with the run if asked, and returns what it wrote.
    std::string WriteRest(const char* pszName, bool bWithRun) const;

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
    std::size_t m_nPos = 0;
    std::size_t m_nRunPos = 0;
    std::size_t m_nRunLength = 0;
};

// The bounded line read, one byte at a time and straight from its rules.
class CReferenceReader {
public:
    CReferenceReader(std::string strBytes, ELineMode eMode);

    // What a read with limit nSize returns: at most nSize - 1 characters.
    std::string Read(std::size_t nSize);
    bool IsAtEnd() const { return m_bAtEnd; }
    bool HasFailed() const { return m_bFailed; }

private:
    std::string m_strBytes;
    ELineMode m_eMode;
    std::size_t m_nPos = 0;
    bool m_bAtEnd = false;
    bool m_bFailed = false;
};

// What the fuzz targets share: checks, input decoding, their working directory and the model
// line reader.
#pragma once

#include "LineReader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// A failed check aborts, so libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition)                                                                                   \
         ? static_cast<void>(0)                                                                    \
         : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition),     \
            std::abort()))

inline void WriteFileBytes(const char* pszName, const std::string& strBytes)
{
    FUZZ_CHECK(std::ofstream(pszName, std::ios::binary) << strBytes);
}

// The code under test opens files by name, so every target runs in a fresh directory below
// TMPDIR, which the runner clears. The modules are the default one, a small one and one whose
// title is longer than the caption takes.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string strDir = (std::filesystem::temp_directory_path() / "adagio-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(strDir.data()) != nullptr);
    std::filesystem::current_path(strDir);
    WriteFileBytes("miscellaneous.adg", "Miscellaneous\n2\n%\nFirst quote\nSomebody\n");
    WriteFileBytes("m.adg", "Title\r\n1\r\n%\r\nq\r\na\r\n");
    WriteFileBytes("long.adg", "A title of thirty characters!!\n1\n%\nq\na\n");
    return 0;
}

template <std::size_t... N> bool AreTerminated(const char (&... szBuffers)[N])
{
    return ((std::memchr(szBuffers, '\0', N) != nullptr) && ...);
}

// Header fields, then the file. Little-endian; an input too short for its header reads as
// zeros there.
struct CFuzzInput {
    template <typename T> T Take()
    {
        std::uint64_t nValue = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i, ++m_nPos)
            nValue |= std::uint64_t{m_nPos < m_nSize ? m_pData[m_nPos] : 0u} << (8 * i);
        return static_cast<T>(nValue);
    }

    // Writes the rest of the input and returns it. With a run, one byte of it is repeated
    // many times, so that a short input reaches across the reader's chunk end.
    std::string WriteRest(const char* pszName, bool bWithRun, std::size_t nRunPos,
                          std::size_t nRunLength) const
    {
        const std::size_t nStart = std::min(m_nPos, m_nSize);
        std::string strBytes(reinterpret_cast<const char*>(m_pData) + nStart, m_nSize - nStart);
        if (bWithRun && !strBytes.empty()) {
            nRunPos %= strBytes.size();
            strBytes.insert(nRunPos, nRunLength % (2 * CLineReader::kChunkSize + 8),
                            strBytes[nRunPos]);
        }
        WriteFileBytes(pszName, strBytes);
        return strBytes;
    }

    const std::uint8_t* m_pData;
    std::size_t m_nSize, m_nPos = 0;
};

// The bounded line read, one byte at a time and straight from its rules. Text mode reads
// nothing behind a byte 0x1A.
struct CModelReader {
    CModelReader(const std::string& strBytes, ELineMode eMode)
        : m_strBytes(eMode == ELineMode::Text ? strBytes.substr(0, strBytes.find('\x1a'))
                                              : strBytes),
          m_bText(eMode == ELineMode::Text)
    {
    }

    // What a read with limit nSize returns: at most nSize - 1 characters.
    std::string Read(std::size_t nSize)
    {
        std::string strLine;
        while (!m_bAtEnd && strLine.size() + 1 < nSize) {
            if (m_nPos == m_strBytes.size()) {
                m_bAtEnd = true;
                m_bFailed = strLine.empty();
            } else if (m_strBytes[m_nPos] == '\n') {
                ++m_nPos;
                break;
            } else if (m_bText && m_strBytes.compare(m_nPos, 2, "\r\n") == 0) {
                m_nPos += 2;
                break;
            } else {
                strLine += m_strBytes[m_nPos++];
            }
        }
        return strLine;
    }

    std::string m_strBytes;
    bool m_bText;
    std::size_t m_nPos = 0;
    bool m_bAtEnd = false, m_bFailed = false;
};

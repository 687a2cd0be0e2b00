#include "FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <utility>

namespace {

std::filesystem::path g_workDir;

void RemoveWorkDir()
{
    std::error_code error;
    std::filesystem::current_path(g_workDir.parent_path(), error);
    std::filesystem::remove_all(g_workDir, error);
}

} // namespace

void FuzzCheckFailed(const char* pszCondition, const char* pszFile, int nLine)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", pszFile, nLine, pszCondition);
    std::abort();
}

void EnterPrivateWorkDir()
{
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "adagio-fuzz-XXXXXX").string();
    FUZZ_CHECK(mkdtemp(strTemplate.data()) != nullptr);
    g_workDir = strTemplate;
    std::filesystem::current_path(g_workDir);
    std::atexit(RemoveWorkDir);
}

void WriteFileBytes(const char* pszName, const std::string& strBytes)
{
    std::ofstream file(pszName, std::ios::binary);
    FUZZ_CHECK(file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size())));
}

std::string ReadFileStart(const std::string& strPath, std::size_t nMax)
{
    std::string strBytes(nMax, '\0');
    std::ifstream file(strPath, std::ios::binary);
    file.read(strBytes.data(), static_cast<std::streamsize>(nMax));
    strBytes.resize(static_cast<std::size_t>(file.gcount()));
    return strBytes;
}

void CFuzzInput::TakeRun()
{
    m_nRunPos = Take<std::uint16_t>();
    m_nRunLength = Take<std::uint32_t>() % (2 * CLineReader::kChunkSize + 8);
}

std::string CFuzzInput::WriteRest(const char* pszName, bool bWithRun) const
{
    const std::size_t nStart = std::min(m_nPos, m_nSize);
    std::string strBytes(reinterpret_cast<const char*>(m_pData) + nStart, m_nSize - nStart);
    if (bWithRun && !strBytes.empty()) {
        const std::size_t nPos = m_nRunPos % strBytes.size();
        strBytes.insert(nPos, m_nRunLength, strBytes[nPos]);
    }
    WriteFileBytes(pszName, strBytes);
    return strBytes;
}

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
        } else if (m_strBytes[m_nPos] == '\n') {
            ++m_nPos;
            break;
        } else if (m_eMode == ELineMode::Text && m_strBytes.compare(m_nPos, 2, "\r\n") == 0) {
            m_nPos += 2;
            break;
        } else {
            strLine += m_strBytes[m_nPos++];
        }
    }
    return strLine;
}

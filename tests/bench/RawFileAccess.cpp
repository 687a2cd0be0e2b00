#include "RawFileAccess.h"

#include <algorithm>
#include <cstdio>
#include <memory>

std::size_t ReadFilePrefix(const char* pszPath, std::size_t nBytes)
{
    std::FILE* pFile = std::fopen(pszPath, "rb");
    if (pFile == nullptr)
        return 0;
    // Allocated per call, as the reader allocates its chunk per open.
    const std::unique_ptr<char[]> pBuffer(new char[kRawBufferSize]);
    std::size_t nTotal = 0;
    while (nTotal < nBytes) {
        const std::size_t nWant = std::min(kRawBufferSize, nBytes - nTotal);
        const std::size_t nGot = std::fread(pBuffer.get(), 1, nWant, pFile);
        if (nGot == 0)
            break;
        nTotal += nGot;
    }
    std::fclose(pFile);
    return nTotal;
}

bool WriteWholeFile(const char* pszPath, const std::string& strBytes)
{
    std::FILE* pFile = std::fopen(pszPath, "wb");
    if (pFile == nullptr)
        return false;
    const bool bWritten =
        std::fwrite(strBytes.data(), 1, strBytes.size(), pFile) == strBytes.size();
    return std::fclose(pFile) == 0 && bWritten;
}

#include "AtomicSave.h"

#include "SystemFile.h"

#include <cstdio>

namespace {

bool WriteAndClose(std::FILE* pFile, const std::string& strContent)
{
    const bool bWritten =
        std::fwrite(strContent.data(), 1, strContent.size(), pFile) == strContent.size();
    return std::fclose(pFile) == 0 && bWritten;
}

bool WriteInPlace(const std::string& strPath, const std::string& strContent)
{
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    return pFile != nullptr && WriteAndClose(pFile, strContent);
}

} // namespace

bool SaveFileAtomically(const std::string& strPath, const std::string& strContent)
{
    const std::string strTemporary = strPath + ".new";
    std::FILE* pFile = std::fopen(strTemporary.c_str(), "wb");
    // A stale temporary in the way (a directory, or held open by another program) must
    // not cost the settings. Nothing was created, so there is nothing to clean up either.
    if (pFile == nullptr)
        return WriteInPlace(strPath, strContent);
    const bool bWritten = WriteAndClose(pFile, strContent);
    if (bWritten && ReplaceFileWith(strTemporary.c_str(), strPath.c_str()))
        return true;
    std::remove(strTemporary.c_str());
    // The bytes fit, but the file would not be replaced: another program may hold it open
    // without sharing its deletion, and still let it be written.
    return bWritten && WriteInPlace(strPath, strContent);
}

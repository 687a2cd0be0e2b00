#include "AtomicSave.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

bool WriteAndClose(std::ofstream& file, const std::string& strContent)
{
    file.write(strContent.data(), static_cast<std::streamsize>(strContent.size()));
    file.flush();
    file.close();
    return !file.fail();
}

bool WriteInPlace(const std::string& strPath, const std::string& strContent)
{
    std::ofstream file(strPath, std::ios::binary | std::ios::trunc);
    return file && WriteAndClose(file, strContent);
}

} // namespace

bool SaveFileAtomically(const std::string& strPath, const std::string& strContent)
{
    const std::string strTemporary = strPath + ".new";
    std::ofstream file(strTemporary, std::ios::binary | std::ios::trunc);
    // A stale temporary in the way (a directory, or held open by another program) must
    // not cost the settings. Nothing was created, so there is nothing to clean up either.
    if (!file)
        return WriteInPlace(strPath, strContent);
    std::error_code error;
    const bool bWritten = WriteAndClose(file, strContent);
    if (bWritten) {
        std::filesystem::rename(strTemporary, strPath, error);
        if (!error)
            return true;
    }
    std::filesystem::remove(strTemporary, error);
    // The bytes fit, but the file would not be replaced: another program may hold it open
    // without sharing its deletion, and still let it be written.
    return bWritten && WriteInPlace(strPath, strContent);
}

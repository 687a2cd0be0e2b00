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

} // namespace

bool SaveFileAtomically(const std::string& strPath, const std::string& strContent)
{
    const std::string strTemporary = strPath + ".new";
    std::ofstream file(strTemporary, std::ios::binary | std::ios::trunc);
    // Nothing was created (the name may be a directory): nothing to clean up either.
    if (!file)
        return false;
    std::error_code error;
    if (WriteAndClose(file, strContent)) {
        std::filesystem::rename(strTemporary, strPath, error);
        if (!error)
            return true;
    }
    std::filesystem::remove(strTemporary, error);
    return false;
}

#include "LineFile.h"

#include <sys/stat.h>

namespace {

bool IsRegularFile(const std::string& strPath)
{
#ifdef _WIN32
    // The plain call may refuse a file of 2 GB or more, whose size it cannot hold.
    struct _stat64 status = {};
    const bool bFound = _stat64(strPath.c_str(), &status) == 0;
#else
    struct stat status = {};
    const bool bFound = stat(strPath.c_str(), &status) == 0;
#endif
    return bFound && (status.st_mode & S_IFMT) == S_IFREG;
}

// A device or a pipe under a file's name (COM1, AUX) can block the first read for good,
// so nothing but a regular file is opened.
std::ifstream OpenRegularFile(const std::string& strPath)
{
    if (IsRegularFile(strPath)) {
        return std::ifstream(strPath, std::ios::binary);
    }
    std::ifstream refused;
    refused.setstate(std::ios::failbit);
    return refused;
}

} // namespace

CLineFile::CLineFile(const std::string& strPath, ELineMode eMode)
    : m_file(OpenRegularFile(strPath)), m_reader(m_file, eMode)
{
}

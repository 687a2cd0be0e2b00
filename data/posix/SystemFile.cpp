#include "SystemFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Not blocking, so a FIFO is refused at once rather than waited on.
int OpenRegularFile(const char* pszPath)
{
    const int nFile = ::open(pszPath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status = {};
    if (nFile >= 0 && (::fstat(nFile, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(nFile);
        return -1;
    }
    return nFile;
}

} // namespace

CInputFile::CInputFile(const char* pszPath) : m_nHandle(OpenRegularFile(pszPath))
{
}

CInputFile::~CInputFile()
{
    if (m_nHandle >= 0)
        ::close(static_cast<int>(m_nHandle));
}

std::ptrdiff_t CInputFile::Read(char* pBuffer, std::size_t nSize)
{
    if (m_nHandle < 0)
        return -1;
    ssize_t nGot = 0;
    do
        nGot = ::read(static_cast<int>(m_nHandle), pBuffer, nSize);
    while (nGot < 0 && errno == EINTR);
    return nGot;
}

// rename() replaces an existing file here, in one step.
bool ReplaceFileWith(const char* pszFrom, const char* pszTo)
{
    return std::rename(pszFrom, pszTo) == 0;
}

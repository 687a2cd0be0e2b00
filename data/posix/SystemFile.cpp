#include "SystemFile.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names are bytes here, so stored text is the name as it is.
std::string PathOf(const SFileName& name)
{
    if (name.strFolder.empty() || name.strName.find('/') != std::string::npos)
        return name.strName;
    return name.strFolder + name.strName;
}

// Not blocking, so a FIFO is refused at once rather than waited on.
int OpenRegularFile(const std::string& strPath, int nFlags)
{
    const int nFile = ::open(strPath.c_str(), nFlags | O_NONBLOCK | O_CLOEXEC, 0666);
    struct stat status = {};
    if (nFile >= 0 && (::fstat(nFile, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(nFile);
        return -1;
    }
    return nFile;
}

bool WriteAll(int nFile, const std::string& strContent)
{
    std::size_t nDone = 0;
    while (nDone < strContent.size()) {
        const ssize_t nWritten =
            ::write(nFile, strContent.data() + nDone, strContent.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
            return false;
        nDone += static_cast<std::size_t>(nWritten);
    }
    return true;
}

} // namespace

CInputFile::CInputFile(const SFileName& name) : m_nHandle(OpenRegularFile(PathOf(name), O_RDONLY))
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

bool WriteWholeFile(const SFileName& name, const std::string& strContent)
{
    const int nFile = OpenRegularFile(PathOf(name), O_WRONLY | O_CREAT | O_TRUNC);
    if (nFile < 0)
        return false;
    const bool bWritten = WriteAll(nFile, strContent) && ::fsync(nFile) == 0;
    return ::close(nFile) == 0 && bWritten;
}

// rename() replaces an existing file here, in one step.
EReplace ReplaceFileWith(const SFileName& from, const SFileName& to)
{
    if (std::rename(PathOf(from).c_str(), PathOf(to).c_str()) == 0)
        return EReplace::Replaced;
    return errno == EACCES || errno == EPERM || errno == EBUSY ? EReplace::Refused
                                                               : EReplace::Failed;
}

bool RemoveFile(const SFileName& name)
{
    return ::unlink(PathOf(name).c_str()) == 0 || errno == ENOENT;
}

void PauseMilliseconds(unsigned nMilliseconds)
{
    timespec pause = {static_cast<time_t>(nMilliseconds / 1000),
                      static_cast<long>(nMilliseconds % 1000) * 1000000L};
    while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
}

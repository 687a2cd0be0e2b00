#include "SystemFile.h"

#include "StoredText.h"

#include <windows.h>

#include <algorithm>

namespace {

std::wstring WidePath(const SFileName& name)
{
    const std::wstring strName = WideFromStored(name.strName, name.codePage);
    if (name.strFolder.empty() || strName.find_first_of(L"\\/:") != std::wstring::npos)
        return strName;
    return WideFromStored(name.strFolder, name.codePage) + strName;
}

// Only a disk file is kept; a device may not answer a read.
HANDLE OpenDiskFile(const SFileName& name, DWORD dwAccess, DWORD dwShare, DWORD dwDisposition,
                    DWORD dwFlags)
{
    const HANDLE hFile = ::CreateFileW(WidePath(name).c_str(), dwAccess, dwShare, nullptr,
                                       dwDisposition, dwFlags, nullptr);
    if (hFile != INVALID_HANDLE_VALUE && ::GetFileType(hFile) != FILE_TYPE_DISK) {
        ::CloseHandle(hFile);
        return INVALID_HANDLE_VALUE;
    }
    return hFile;
}

HANDLE HandleOf(std::intptr_t nHandle)
{
    return reinterpret_cast<HANDLE>(nHandle);
}

bool WriteAll(HANDLE hFile, const std::string& strContent)
{
    std::size_t nDone = 0;
    while (nDone < strContent.size()) {
        DWORD nWritten = 0;
        const DWORD nWanted =
            static_cast<DWORD>(std::min<std::size_t>(strContent.size() - nDone, 1u << 30));
        if (!::WriteFile(hFile, strContent.data() + nDone, nWanted, &nWritten, nullptr) ||
            nWritten == 0)
            return false;
        nDone += nWritten;
    }
    return true;
}

} // namespace

// Sharing writing and deleting, as a reader should: an editor saving the file meanwhile is
// not refused.
CInputFile::CInputFile(const SFileName& name)
    : m_nHandle(reinterpret_cast<std::intptr_t>(
          OpenDiskFile(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN)))
{
}

CInputFile::~CInputFile()
{
    if (HandleOf(m_nHandle) != INVALID_HANDLE_VALUE)
        ::CloseHandle(HandleOf(m_nHandle));
}

std::ptrdiff_t CInputFile::Read(char* pBuffer, std::size_t nSize)
{
    DWORD nGot = 0;
    const DWORD nWanted = static_cast<DWORD>(std::min<std::size_t>(nSize, 1u << 30));
    if (HandleOf(m_nHandle) == INVALID_HANDLE_VALUE ||
        !::ReadFile(HandleOf(m_nHandle), pBuffer, nWanted, &nGot, nullptr))
        return -1;
    return static_cast<std::ptrdiff_t>(nGot);
}

// Flushed before it is closed: a rename does not carry the data to the disk, and after a power
// cut the new name could otherwise hold zeros.
bool WriteWholeFile(const SFileName& name, const std::string& strContent)
{
    const HANDLE hFile =
        OpenDiskFile(name, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    const bool bWritten = WriteAll(hFile, strContent) && ::FlushFileBuffers(hFile);
    return ::CloseHandle(hFile) && bWritten;
}

// The C library's rename() refuses to replace an existing file here.
EReplace ReplaceFileWith(const SFileName& from, const SFileName& to)
{
    if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return EReplace::Replaced;
    const DWORD nError = ::GetLastError();
    return nError == ERROR_SHARING_VIOLATION || nError == ERROR_ACCESS_DENIED ||
                   nError == ERROR_LOCK_VIOLATION
               ? EReplace::Refused
               : EReplace::Failed;
}

bool RemoveFile(const SFileName& name)
{
    return ::DeleteFileW(WidePath(name).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

void PauseMilliseconds(unsigned nMilliseconds)
{
    ::Sleep(nMilliseconds);
}

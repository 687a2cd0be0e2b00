#include "SystemFile.h"

#include <windows.h>

#include <algorithm>

namespace {

// Sharing writing and deleting, as a reader should: an editor saving the file meanwhile is
// not refused. Only a disk file is kept; a device may not answer a read.
HANDLE OpenRegularFile(const char* pszPath)
{
    const HANDLE hFile =
        ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
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

} // namespace

CInputFile::CInputFile(const char* pszPath)
    : m_nHandle(reinterpret_cast<std::intptr_t>(OpenRegularFile(pszPath)))
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

// The C library's rename() refuses to replace an existing file here. Written through, so the
// new settings are on the disk once this returns.
bool ReplaceFileWith(const char* pszFrom, const char* pszTo)
{
    return ::MoveFileExA(pszFrom, pszTo, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

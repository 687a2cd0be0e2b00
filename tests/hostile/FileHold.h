// A file the test keeps open, with a share mode that shuts other openers out, for as long
// as the object lives.
#pragma once

#include <string>
#include <windows.h>

class CFileHold {
public:
    CFileHold(const std::string& strPath, DWORD nAccess, DWORD nShareMode);
    CFileHold(const CFileHold&) = delete;
    CFileHold& operator=(const CFileHold&) = delete;
    ~CFileHold();

    bool IsHeld() const { return m_hFile != INVALID_HANDLE_VALUE; }
    void Release();

private:
    HANDLE m_hFile;
};

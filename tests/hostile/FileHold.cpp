#include "FileHold.h"

CFileHold::CFileHold(const std::string& strPath, DWORD nAccess, DWORD nShareMode)
    : m_hFile(::CreateFileA(strPath.c_str(), nAccess, nShareMode, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

CFileHold::~CFileHold()
{
    Release();
}

void CFileHold::Release()
{
    if (IsHeld()) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

#include "BenchFolder.h"

#include <algorithm>
#include <cstdio>
#include <windows.h>

std::string ToWindowsPath(const std::string& strPath)
{
    std::string strWindows = strPath;
    std::replace(strWindows.begin(), strWindows.end(), '/', '\\');
    return strPath.empty() || strPath[0] != '/' ? strWindows : "Z:" + strWindows;
}

bool MakeFolder(const std::string& strPath)
{
    const std::string::size_type nSlash = strPath.find_last_of('\\');
    if (nSlash != std::string::npos && nSlash > 2)
        MakeFolder(strPath.substr(0, nSlash));
    return ::CreateDirectoryA(strPath.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool CopyInto(const std::string& strSource, const std::string& strFolder,
              const std::string& strName)
{
    return ::CopyFileA(strSource.c_str(), (strFolder + "\\" + strName).c_str(), FALSE) != 0;
}

bool WriteFileBytes(const std::string& strPath, const std::string& strBytes)
{
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == nullptr)
        return false;
    const bool bWritten =
        std::fwrite(strBytes.data(), 1, strBytes.size(), pFile) == strBytes.size();
    return std::fclose(pFile) == 0 && bWritten;
}

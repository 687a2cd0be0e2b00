#include "StartupShortcut.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <cstdio>

namespace {
const char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kDescription[] = "Shortcut to Adagiomill";
const int kPathUnits = 200;

const CLSID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// A folder name that the code page cannot spell comes back with stand-ins such as "?", a
// path that leads nowhere.
bool SpellsCurrentDirectory(const char* pszDir)
{
    WCHAR wszDir[MAX_PATH] = L"";
    WCHAR wszSpelled[MAX_PATH] = L"";
    const DWORD nLength = ::GetCurrentDirectoryW(MAX_PATH, wszDir);
    const int nSpelled = ::MultiByteToWideChar(CP_ACP, 0, pszDir, -1, wszSpelled, MAX_PATH);
    return nLength > 0 && nLength < MAX_PATH && nSpelled > 0 && ::lstrcmpW(wszDir, wszSpelled) == 0;
}
} // namespace

bool ReadCurrentDirectory(char* pszBuffer, std::size_t nSize)
{
    pszBuffer[0] = '\0';
    const DWORD nLength = ::GetCurrentDirectoryA(static_cast<DWORD>(nSize), pszBuffer);
    if (nLength == 0 || nLength >= nSize || !SpellsCurrentDirectory(pszBuffer)) {
        pszBuffer[0] = '\0';
        return false;
    }
    return true;
}

bool ReadStartupFolder(std::string& strDir)
{
    strDir.clear();
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE, &hKey) !=
        ERROR_SUCCESS) {
        return false;
    }
    char szDir[200] = "";
    DWORD nType = 0;
    DWORD nBytes = sizeof szDir;
    const LONG nResult = ::RegQueryValueExA(hKey, "Startup", nullptr, &nType,
                                            reinterpret_cast<BYTE*>(szDir), &nBytes);
    ::RegCloseKey(hKey);
    // A value that is missing, not text or too long leaves no folder to use.
    const bool bText = nType == REG_SZ || nType == REG_EXPAND_SZ;
    if (nResult != ERROR_SUCCESS || !bText || nBytes == 0) {
        return false;
    }
    if (szDir[nBytes - 1] != '\0') {
        if (nBytes >= sizeof szDir) {
            return false;
        }
        szDir[nBytes] = '\0';
    }
    strDir = szDir;
    return !strDir.empty();
}

bool ShortcutPathFits(const std::string& strPath)
{
    return ::MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, nullptr, 0) <= kPathUnits;
}

bool FileOpensForReading(const std::string& strPath)
{
    FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr) {
        return false;
    }
    std::fclose(pFile);
    return true;
}

void SaveShellLink(const std::string& strLinkPath, const std::string& strTarget,
                   const std::string& strWorkDir)
{
    IShellLinkA* pLink = nullptr;
    if (FAILED(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                  reinterpret_cast<void**>(&pLink)))) {
        return;
    }
    pLink->SetPath(strTarget.c_str());
    pLink->SetDescription(kDescription);
    pLink->SetWorkingDirectory(strWorkDir.c_str());
    IPersistFile* pFile = nullptr;
    if (SUCCEEDED(pLink->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(&pFile)))) {
        WCHAR wszPath[kPathUnits] = L"";
        if (::MultiByteToWideChar(CP_ACP, 0, strLinkPath.c_str(), -1, wszPath, kPathUnits) > 0) {
            pFile->Save(wszPath, TRUE);
        }
        pFile->Release();
    }
    pLink->Release();
}

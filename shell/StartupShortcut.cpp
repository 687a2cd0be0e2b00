#include "StartupShortcut.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <algorithm>

namespace {
const wchar_t kShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kDescription[] = L"Shortcut to Adagiomill";

const CLSID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidShellLinkW = {
    0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Text values only, taken as stored: the folder is written there already expanded.
const DWORD kTextValue = RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND;
} // namespace

std::wstring ReadCurrentDirectory()
{
    std::wstring strDir(::GetCurrentDirectoryW(0, nullptr), L'\0');
    const DWORD nLength = ::GetCurrentDirectoryW(static_cast<DWORD>(strDir.size()), &strDir[0]);
    strDir.resize(nLength < strDir.size() ? nLength : 0);
    return strDir;
}

// Asked for its size first; a value that changes in between is taken as none.
bool ReadStartupFolder(std::wstring& strDir)
{
    strDir.clear();
    DWORD nBytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kShellFoldersKey, L"Startup", kTextValue, nullptr,
                       nullptr, &nBytes) != ERROR_SUCCESS ||
        nBytes < sizeof(wchar_t)) {
        return false;
    }
    std::wstring strValue(nBytes / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_CURRENT_USER, kShellFoldersKey, L"Startup", kTextValue, nullptr,
                       &strValue[0], &nBytes) != ERROR_SUCCESS) {
        return false;
    }
    strValue.resize(std::min(strValue.find(L'\0'), strValue.size()));
    strDir.swap(strValue);
    return !strDir.empty();
}

bool FileOpensForReading(const std::wstring& strPath)
{
    const HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(hFile);
    return true;
}

void SaveShellLink(const std::wstring& strLinkPath, const std::wstring& strTarget,
                   const std::wstring& strWorkDir)
{
    IShellLinkW* pLink = nullptr;
    if (FAILED(::CoCreateInstance(kClsidShellLink, nullptr, CLSCTX_INPROC_SERVER, kIidShellLinkW,
                                  reinterpret_cast<void**>(&pLink)))) {
        return;
    }
    pLink->SetPath(strTarget.c_str());
    pLink->SetDescription(kDescription);
    pLink->SetWorkingDirectory(strWorkDir.c_str());
    IPersistFile* pFile = nullptr;
    if (SUCCEEDED(pLink->QueryInterface(kIidPersistFile, reinterpret_cast<void**>(&pFile)))) {
        pFile->Save(strLinkPath.c_str(), TRUE);
        pFile->Release();
    }
    pLink->Release();
}

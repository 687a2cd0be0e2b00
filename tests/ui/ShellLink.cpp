#include "ShellLink.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

namespace {

// Hands a new link object to fn, with COM set up on this thread for the while.
template <typename Fn> void WithShellLink(Fn fn)
{
    const bool bCom = SUCCEEDED(::CoInitialize(nullptr));
    IShellLinkA* pLink = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkA, reinterpret_cast<void**>(&pLink)))) {
        fn(pLink);
        pLink->Release();
    }
    if (bCom)
        ::CoUninitialize();
}

bool LoadInto(IShellLinkA* pLink, const std::string& strPath)
{
    IPersistFile* pFile = nullptr;
    WCHAR wszPath[MAX_PATH] = L"";
    if (!::MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, wszPath, MAX_PATH) ||
        FAILED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile))))
        return false;
    const bool bLoaded = SUCCEEDED(pFile->Load(wszPath, STGM_READ));
    pFile->Release();
    return bLoaded;
}

std::string TargetOf(IShellLinkA* pLink)
{
    char szTarget[MAX_PATH] = "";
    pLink->GetPath(szTarget, MAX_PATH, nullptr, SLGP_RAWPATH);
    szTarget[MAX_PATH - 1] = '\0';
    return szTarget;
}

} // namespace

std::optional<SShellLink> LoadShellLink(const std::string& strPath)
{
    std::optional<SShellLink> link;
    WithShellLink([&](IShellLinkA* pLink) {
        char szWorkDir[MAX_PATH] = "";
        char szDescription[INFOTIPSIZE] = "";
        if (!LoadInto(pLink, strPath))
            return;
        pLink->GetWorkingDirectory(szWorkDir, MAX_PATH);
        pLink->GetDescription(szDescription, INFOTIPSIZE);
        szWorkDir[MAX_PATH - 1] = szDescription[INFOTIPSIZE - 1] = '\0';
        link = SShellLink{TargetOf(pLink), szWorkDir, szDescription};
    });
    return link;
}

std::string StoredTarget(const std::string& strTarget)
{
    std::string strStored = "<no link object>";
    WithShellLink([&](IShellLinkA* pLink) {
        pLink->SetPath(strTarget.c_str());
        strStored = TargetOf(pLink);
    });
    return strStored;
}

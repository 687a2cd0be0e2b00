#include "ShellLink.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <vector>

namespace {

class CComThread {
public:
    CComThread() : m_bOwn(SUCCEEDED(::CoInitialize(nullptr))) {}
    CComThread(const CComThread&) = delete;
    CComThread& operator=(const CComThread&) = delete;
    ~CComThread()
    {
        if (m_bOwn) {
            ::CoUninitialize();
        }
    }

private:
    bool m_bOwn;
};

IShellLinkA* NewShellLink()
{
    IShellLinkA* pLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&pLink)))) {
        return nullptr;
    }
    return pLink;
}

bool LoadInto(IShellLinkA* pLink, const std::string& strPath)
{
    IPersistFile* pFile = nullptr;
    if (FAILED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
        return false;
    }
    const int nUnits = ::MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, nullptr, 0);
    std::vector<WCHAR> path(nUnits > 0 ? nUnits : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, path.data(), nUnits);
    const bool bLoaded = SUCCEEDED(pFile->Load(path.data(), STGM_READ));
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
    const CComThread com;
    IShellLinkA* pLink = NewShellLink();
    if (!pLink) {
        return std::nullopt;
    }
    std::optional<SShellLink> link;
    if (LoadInto(pLink, strPath)) {
        char szWorkDir[MAX_PATH] = "";
        char szDescription[INFOTIPSIZE] = "";
        pLink->GetWorkingDirectory(szWorkDir, MAX_PATH);
        pLink->GetDescription(szDescription, INFOTIPSIZE);
        szWorkDir[MAX_PATH - 1] = '\0';
        szDescription[INFOTIPSIZE - 1] = '\0';
        link = SShellLink{TargetOf(pLink), szWorkDir, szDescription};
    }
    pLink->Release();
    return link;
}

std::string StoredTarget(const std::string& strTarget)
{
    const CComThread com;
    IShellLinkA* pLink = NewShellLink();
    if (!pLink) {
        return "<no link object>";
    }
    pLink->SetPath(strTarget.c_str());
    const std::string strStored = TargetOf(pLink);
    pLink->Release();
    return strStored;
}

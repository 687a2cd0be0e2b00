#include "ShortcutReader.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

namespace {

// Long enough for any path Explorer accepts in a shortcut.
const int kPathChars = 1024;

template <typename T> class CComRef {
public:
    CComRef() = default;
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    ~CComRef()
    {
        if (m_p) {
            m_p->Release();
        }
    }
    T** Out() { return &m_p; }
    T* operator->() const { return m_p; }

private:
    T* m_p = nullptr;
};

std::wstring Widen(const std::string& str)
{
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, str.c_str(), -1, nullptr, 0);
    if (nChars <= 0) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(static_cast<size_t>(nChars));
    ::MultiByteToWideChar(CP_ACP, 0, str.c_str(), -1, buffer.data(), nChars);
    return buffer.data();
}

} // namespace

bool ReadShortcut(const std::string& strLinkPath, SShortcut& shortcut)
{
    CComRef<IShellLinkA> link;
    CComRef<IPersistFile> file;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(link.Out()))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))) ||
        FAILED(file->Load(Widen(strLinkPath).c_str(), STGM_READ))) {
        return false;
    }
    std::vector<char> buffer(kPathChars, '\0');
    if (FAILED(link->GetPath(buffer.data(), kPathChars, nullptr, SLGP_RAWPATH))) {
        return false;
    }
    buffer.back() = '\0';
    shortcut.strTarget = buffer.data();
    buffer.assign(kPathChars, '\0');
    if (FAILED(link->GetWorkingDirectory(buffer.data(), kPathChars))) {
        return false;
    }
    buffer.back() = '\0';
    shortcut.strWorkDir = buffer.data();
    return true;
}

#include "ModuleRewriter.h"

#include <windows.h>

CModuleRewriter::CModuleRewriter(std::string strPath, std::vector<std::string> versions)
    : m_strPath(std::move(strPath)), m_versions(std::move(versions)), m_thread([this] { Run(); })
{
}

CModuleRewriter::~CModuleRewriter()
{
    m_bStop = true;
    m_thread.join();
}

void CModuleRewriter::Run()
{
    std::size_t nVersion = 0;
    while (!m_bStop) {
        if (Rewrite(m_versions[nVersion])) {
            ++m_nRewrites;
            nVersion = (nVersion + 1) % m_versions.size();
        }
    }
}

// One write call, so a reader sees the file empty or whole, never half written.
bool CModuleRewriter::Rewrite(const std::string& strContent) const
{
    const HANDLE hFile =
        ::CreateFileA(m_strPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD nWritten = 0;
    const BOOL bWritten = ::WriteFile(hFile, strContent.data(),
                                      static_cast<DWORD>(strContent.size()), &nWritten, nullptr);
    ::CloseHandle(hFile);
    return bWritten && nWritten == strContent.size();
}

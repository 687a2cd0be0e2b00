#include "StartupFolder.h"

namespace {

const char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kValueName[] = "Startup";

} // namespace

std::optional<std::string> ReadStartupFolder()
{
    char szFolder[MAX_PATH] = "";
    DWORD nBytes = sizeof szFolder;
    if (::RegGetValueA(HKEY_CURRENT_USER, kShellFoldersKey, kValueName, RRF_RT_REG_SZ, nullptr,
                       szFolder, &nBytes) != ERROR_SUCCESS)
        return std::nullopt;
    szFolder[sizeof szFolder - 1] = '\0';
    return std::string(szFolder);
}

CStartupValueGuard::CStartupValueGuard()
{
    DWORD nBytes = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, kShellFoldersKey, kValueName, RRF_RT_ANY | RRF_NOEXPAND,
                       &m_nType, nullptr, &nBytes) != ERROR_SUCCESS)
        return;
    m_data.resize(nBytes);
    m_bFound =
        ::RegGetValueA(HKEY_CURRENT_USER, kShellFoldersKey, kValueName, RRF_RT_ANY | RRF_NOEXPAND,
                       &m_nType, m_data.data(), &nBytes) == ERROR_SUCCESS;
    m_data.resize(nBytes);
}

CStartupValueGuard::~CStartupValueGuard()
{
    if (m_bFound)
        Write(m_nType, m_data.data(), static_cast<DWORD>(m_data.size()));
    else
        Remove();
}

bool CStartupValueGuard::SetText(const std::string& strText) const
{
    return Write(REG_SZ, strText.c_str(), static_cast<DWORD>(strText.size() + 1));
}

bool CStartupValueGuard::SetBinaryText(const std::string& strText) const
{
    return Write(REG_BINARY, strText.c_str(), static_cast<DWORD>(strText.size() + 1));
}

bool CStartupValueGuard::Remove() const
{
    const LONG nResult = ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kShellFoldersKey, kValueName);
    return nResult == ERROR_SUCCESS || nResult == ERROR_FILE_NOT_FOUND;
}

bool CStartupValueGuard::Write(DWORD nType, const void* pData, DWORD nBytes) const
{
    return ::RegSetKeyValueA(HKEY_CURRENT_USER, kShellFoldersKey, kValueName, nType, pData,
                             nBytes) == ERROR_SUCCESS;
}

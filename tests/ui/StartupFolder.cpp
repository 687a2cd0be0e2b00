#include "StartupFolder.h"

namespace {

const char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kValueName[] = "Startup";

class CShellFoldersKey {
public:
    CShellFoldersKey()
    {
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                            &m_hKey) != ERROR_SUCCESS) {
            m_hKey = nullptr;
        }
    }
    CShellFoldersKey(const CShellFoldersKey&) = delete;
    CShellFoldersKey& operator=(const CShellFoldersKey&) = delete;
    ~CShellFoldersKey()
    {
        if (m_hKey) {
            ::RegCloseKey(m_hKey);
        }
    }

    HKEY Handle() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

// The value's name with the case it is stored in, or the usual spelling when it is missing.
std::string StoredName(HKEY hKey)
{
    char szName[256] = "";
    for (DWORD nIndex = 0;; ++nIndex) {
        DWORD nLength = sizeof szName;
        if (::RegEnumValueA(hKey, nIndex, szName, &nLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return kValueName;
        }
        if (::lstrcmpiA(szName, kValueName) == 0) {
            return szName;
        }
    }
}

} // namespace

std::optional<std::string> ReadStartupFolder()
{
    char szFolder[MAX_PATH] = "";
    DWORD nBytes = sizeof szFolder;
    if (::RegGetValueA(HKEY_CURRENT_USER, kShellFoldersKey, kValueName, RRF_RT_REG_SZ, nullptr,
                       szFolder, &nBytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    szFolder[sizeof szFolder - 1] = '\0';
    return std::string(szFolder);
}

CStartupValueGuard::CStartupValueGuard() : m_strName(kValueName)
{
    const CShellFoldersKey key;
    if (!key.Handle()) {
        return;
    }
    m_strName = StoredName(key.Handle());
    DWORD nBytes = 0;
    if (::RegQueryValueExA(key.Handle(), m_strName.c_str(), nullptr, &m_nType, nullptr, &nBytes) !=
        ERROR_SUCCESS) {
        return;
    }
    m_data.resize(nBytes);
    m_bFound = ::RegQueryValueExA(key.Handle(), m_strName.c_str(), nullptr, &m_nType, m_data.data(),
                                  &nBytes) == ERROR_SUCCESS;
    m_data.resize(nBytes);
}

CStartupValueGuard::~CStartupValueGuard()
{
    if (m_bFound) {
        Write(m_nType, m_data.data(), static_cast<DWORD>(m_data.size()));
    } else {
        Remove();
    }
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
    const CShellFoldersKey key;
    if (!key.Handle()) {
        return false;
    }
    const LONG nResult = ::RegDeleteValueA(key.Handle(), m_strName.c_str());
    return nResult == ERROR_SUCCESS || nResult == ERROR_FILE_NOT_FOUND;
}

bool CStartupValueGuard::Write(DWORD nType, const void* pData, DWORD nBytes) const
{
    const CShellFoldersKey key;
    return key.Handle() &&
           ::RegSetValueExA(key.Handle(), m_strName.c_str(), 0, nType,
                            static_cast<const BYTE*>(pData), nBytes) == ERROR_SUCCESS;
}

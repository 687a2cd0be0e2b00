#include "StartupApproval.h"

#include <windows.h>

#include <vector>

namespace {
const wchar_t kApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
} // namespace

// The record's first byte is odd when the entry is off. It is read whole, as a value that
// does not fit the buffer leaves the buffer undefined.
bool IsStartupEntryTurnedOff(const wchar_t* pszLinkName)
{
    DWORD nBytes = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, pszLinkName, RRF_RT_REG_BINARY, nullptr,
                       nullptr, &nBytes) != ERROR_SUCCESS ||
        nBytes == 0) {
        return false;
    }
    std::vector<BYTE> record(nBytes);
    return ::RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, pszLinkName, RRF_RT_REG_BINARY, nullptr,
                          record.data(), &nBytes) == ERROR_SUCCESS &&
           nBytes > 0 && (record[0] & 1) != 0;
}

void ForgetStartupEntryRecord(const wchar_t* pszLinkName)
{
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedKey, pszLinkName);
}

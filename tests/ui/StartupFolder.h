// The registry value that names the user's Startup folder, in the test's own Wine prefix.
#pragma once

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

// Nothing when the value is missing or is not text.
std::optional<std::string> ReadStartupFolder();

// Takes note of the value as it is and puts it back, type and bytes, when it ends:
// whatever a test does to the value, and however the test ends.
class CStartupValueGuard {
public:
    CStartupValueGuard();
    CStartupValueGuard(const CStartupValueGuard&) = delete;
    CStartupValueGuard& operator=(const CStartupValueGuard&) = delete;
    ~CStartupValueGuard();

    bool SetText(const std::string& strText) const;
    // The bytes of the text and its terminator, under a type that is not text.
    bool SetBinaryText(const std::string& strText) const;
    bool Remove() const;

private:
    bool Write(DWORD nType, const void* pData, DWORD nBytes) const;

    bool m_bFound = false;
    DWORD m_nType = REG_NONE;
    std::vector<BYTE> m_data;
};

// The system's own converter between a legacy code page and UTF-8: iconv on Linux, Windows' code
// page functions on Windows. One small file per system (posix/, win32/) implements this.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CSystemConverter {
public:
    // Open only for a code page the system knows whose characters are one or two bytes.
    explicit CSystemConverter(unsigned nCodePage);
    ~CSystemConverter();
    CSystemConverter(const CSystemConverter&) = delete;
    CSystemConverter& operator=(const CSystemConverter&) = delete;

    bool IsOpen() const { return m_pSystem != nullptr; }
    // A byte that begins a character of two bytes.
    bool IsLeadByte(unsigned char ch) const { return m_abLead[ch]; }
    // False when the converter refuses the bytes. Windows' never does: it shows every byte as
    // something.
    bool ToUtf8(const char* pBytes, std::size_t nLength, std::string& strUtf8) const;
    // False when a character has no exact counterpart in the code page; strUtf8 is valid UTF-8.
    bool FromUtf8(const std::string& strUtf8, std::string& strBytes) const;

private:
    struct SSystem; // what the system keeps for an open code page
    std::unique_ptr<SSystem> m_pSystem;
    bool m_abLead[256] = {};
};

// The command line's arguments after the program's name, in UTF-8: on Windows taken wide, so
// that a file in any folder can be named whatever the ANSI code page.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

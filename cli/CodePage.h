// The legacy code page a module's fields that are not UTF-8 are in, as the system's converter
// reads and writes it, made to give the same on Linux and on Windows.
#pragma once

#include "LegacyCodePage.h"
#include "SystemConverter.h"

#include <string>

class CCodePage {
public:
    explicit CCodePage(unsigned nNumber = 1252);

    // False for a code page the system cannot convert, one of longer characters than two
    // bytes, and one whose ASCII is not ASCII: "%", "~" and the line ends must be themselves.
    bool IsOpen() const { return m_bOpen; }
    unsigned Number() const { return m_nNumber; }
    // "Windows-1252", "code page 932".
    std::string Name() const;
    bool IsLeadByte(unsigned char ch) const { return m_converter.IsLeadByte(ch); }
    // As the program's data core takes it.
    CLegacyCodePage Legacy() const
    {
        return CLegacyCodePage(m_nNumber, [this](unsigned char ch) { return IsLeadByte(ch); });
    }
    // A byte the window shows as a character of its own: no control code, no byte the code
    // page leaves out; a lead byte, whose character its next byte completes.
    bool IsCharacter(unsigned char ch) const { return m_abCharacter[ch]; }

    // Bytes shown as the window shows them. glibc refuses bytes that Windows shows: a byte
    // from 0x80 to 0x9F shows as the control code of its value, as Windows' Western code
    // pages show their gaps; anything else refused as U+FFFD.
    std::string ToUtf8(const std::string& strBytes) const;
    // False when a character is missing from the code page. strUtf8 is valid UTF-8.
    bool FromUtf8(const std::string& strUtf8, std::string& strBytes) const;

private:
    std::string CharacterToUtf8(const char* pBytes, std::size_t nLength) const;

    unsigned m_nNumber;
    CSystemConverter m_converter;
    bool m_bOpen = false;
    bool m_abCharacter[256] = {};
};

// "1252", "cp1252" or "windows-1252", in any case; false for any other spelling.
bool ParseCodePageName(const std::string& strName, unsigned& nNumber);

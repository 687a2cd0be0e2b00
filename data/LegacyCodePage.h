// The system's legacy ANSI code page, as far as the data core needs it: its number and the
// bytes that lead a two-byte character there. Only Windows knows them, so whoever runs the
// data core hands them in, and the rules built on them hold on every system.
#pragma once

#include <bitset>
#include <cstddef>

class CLegacyCodePage {
public:
    static constexpr unsigned kWindows1252 = 1252;
    // Whatever code page the process takes narrow text in, as Windows' CP_ACP.
    static constexpr unsigned kProcessAnsi = 0;

    // A code page in which every byte is a character of its own.
    explicit CLegacyCodePage(unsigned nNumber = kWindows1252) : m_nNumber(nNumber) {}

    // isLeadByte(ch) is asked once for every byte value.
    template <typename IsLeadByte>
    CLegacyCodePage(unsigned nNumber, IsLeadByte isLeadByte) : m_nNumber(nNumber)
    {
        for (unsigned ch = 0; ch < m_leadBytes.size(); ++ch)
            m_leadBytes[ch] = isLeadByte(static_cast<unsigned char>(ch));
    }

    unsigned Number() const { return m_nNumber; }
    bool IsLeadByte(unsigned char ch) const { return m_leadBytes[ch]; }

    // The bytes of the character that starts at p, with nLeft bytes left: a lead byte and the
    // byte after it are one character. Whether a byte starts a character is known only by
    // walking from the start of the text, as a second byte can have a lead byte's value.
    std::size_t CharacterLength(const char* p, std::size_t nLeft) const
    {
        return nLeft >= 2 && IsLeadByte(static_cast<unsigned char>(*p)) ? 2 : 1;
    }

private:
    unsigned m_nNumber;
    std::bitset<256> m_leadBytes;
};

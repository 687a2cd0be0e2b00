#include "Utf8Text.h"

#include "FieldEncoding.h"

bool IsValidUtf8(const std::string& str)
{
    return DecideFieldEncoding(str.data(), str.size(), false).nInvalid == str.size();
}

bool IsPrintableUtf8(const std::string& str)
{
    for (std::size_t nPos = 0; nPos < str.size();) {
        const char32_t cp = NextCodePoint(str, nPos);
        if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0))
            return false;
    }
    return true;
}

char32_t NextCodePoint(const std::string& str, std::size_t& nPos)
{
    const auto chLead = static_cast<unsigned char>(str[nPos++]);
    if (chLead < 0x80)
        return chLead;
    const std::size_t nMore = chLead >= 0xF0 ? 3 : chLead >= 0xE0 ? 2 : 1;
    char32_t cp = chLead & (0x3F >> nMore);
    for (std::size_t i = 0; i < nMore && nPos < str.size(); ++i)
        cp = (cp << 6) | (static_cast<unsigned char>(str[nPos++]) & 0x3F);
    return cp;
}

void AppendUtf8(char32_t cp, std::string& str)
{
    if (cp < 0x80) {
        str += static_cast<char>(cp);
        return;
    }
    str += static_cast<char>(0xC0 | (cp >> 6));
    str += static_cast<char>(0x80 | (cp & 0x3F));
}

void PopUtf8Character(std::string& str)
{
    while (str.size() > 1 && (static_cast<unsigned char>(str.back()) & 0xC0) == 0x80)
        str.pop_back();
    if (!str.empty())
        str.pop_back();
}

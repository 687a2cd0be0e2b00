#include "Cp1252.h"

#include "FieldEncoding.h"

#include <algorithm>
#include <cstddef>

namespace {

// Windows-1252 at 0x80 to 0x9F, where Latin-1 has its C1 controls; 0 for its five gaps.
const char32_t kHighCodes[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

struct SLeadByte {
    std::size_t nExtra;
    char32_t cpBits;
    char32_t cpLowest; // anything below is an overlong form
};

// False for a byte that cannot start a sequence: a continuation byte, C0, C1, F5 to FF.
bool ClassifyLead(unsigned char ch, SLeadByte& lead)
{
    if (ch >= 0xC2 && ch <= 0xDF)
        lead = {1, static_cast<char32_t>(ch & 0x1F), 0x80};
    else if (ch >= 0xE0 && ch <= 0xEF)
        lead = {2, static_cast<char32_t>(ch & 0x0F), 0x800};
    else if (ch >= 0xF0 && ch <= 0xF4)
        lead = {3, static_cast<char32_t>(ch & 0x07), 0x10000};
    else
        return false;
    return true;
}

// Decodes the character at nPos and moves past it.
bool DecodeUtf8(const std::string& str, std::size_t& nPos, char32_t& cp)
{
    const auto chFirst = static_cast<unsigned char>(str[nPos]);
    if (chFirst < 0x80) {
        cp = chFirst;
        ++nPos;
        return true;
    }
    SLeadByte lead = {};
    if (!ClassifyLead(chFirst, lead) || str.size() - nPos <= lead.nExtra)
        return false;
    cp = lead.cpBits;
    for (std::size_t i = 1; i <= lead.nExtra; ++i) {
        const auto ch = static_cast<unsigned char>(str[nPos + i]);
        if ((ch & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (ch & 0x3F);
    }
    if (cp < lead.cpLowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    nPos += lead.nExtra + 1;
    return true;
}

void AppendUtf8(char32_t cp, std::string& strUtf8)
{
    if (cp < 0x80) {
        strUtf8 += static_cast<char>(cp);
    } else if (cp < 0x800) {
        strUtf8 += static_cast<char>(0xC0 | (cp >> 6));
        strUtf8 += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        strUtf8 += static_cast<char>(0xE0 | (cp >> 12));
        strUtf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        strUtf8 += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool MapToCp1252(char32_t cp, unsigned char& ch)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        ch = static_cast<unsigned char>(cp);
        return true;
    }
    const auto* pFound = std::find(std::begin(kHighCodes), std::end(kHighCodes), cp);
    if (pFound == std::end(kHighCodes))
        return false;
    ch = static_cast<unsigned char>(0x80 + (pFound - std::begin(kHighCodes)));
    return true;
}

} // namespace

ECp1252Status Utf8ToCp1252(const std::string& strUtf8, std::string& strCp1252)
{
    strCp1252.clear();
    std::size_t nPos = 0;
    while (nPos < strUtf8.size()) {
        char32_t cp = 0;
        unsigned char ch = 0;
        if (!DecodeUtf8(strUtf8, nPos, cp))
            return ECp1252Status::BadUtf8;
        if (!MapToCp1252(cp, ch))
            return ECp1252Status::Unmapped;
        strCp1252 += static_cast<char>(ch);
    }
    return ECp1252Status::Converted;
}

std::string Cp1252ToUtf8(const std::string& strCp1252)
{
    std::string strUtf8;
    for (const char ch : strCp1252) {
        const auto uch = static_cast<unsigned char>(ch);
        const char32_t cpHigh = uch >= 0x80 && uch < 0xA0 ? kHighCodes[uch - 0x80] : 0;
        AppendUtf8(cpHigh != 0 ? cpHigh : uch, strUtf8);
    }
    return strUtf8;
}

bool IsPrintableCp1252(unsigned char ch)
{
    return ch >= 0x20 && ch != 0x7F && ch != 0x81 && ch != 0x8D && ch != 0x8F && ch != 0x90 &&
           ch != 0x9D;
}

bool IsPrintableCp1252(const std::string& str)
{
    return std::all_of(str.begin(), str.end(),
                       [](char ch) { return IsPrintableCp1252(static_cast<unsigned char>(ch)); });
}

bool IsValidUtf8(const std::string& str)
{
    return DecideFieldEncoding(str.data(), str.size(), false).nInvalid == str.size();
}

bool IsPrintableUtf8(const std::string& str)
{
    for (std::size_t i = 0; i < str.size(); ++i) {
        const auto ch = static_cast<unsigned char>(str[i]);
        const bool bC1 =
            ch == 0xC2 && i + 1 < str.size() && static_cast<unsigned char>(str[i + 1]) < 0xA0;
        if (ch < 0x20 || ch == 0x7F || bC1)
            return false;
    }
    return true;
}

#include "CodePage.h"

#include "Utf8Text.h"

#include <algorithm>
#include <cctype>

namespace {

const char kszReplacement[] = "\xEF\xBF\xBD";

// No control code, no replacement character, nothing in the private use area that Windows maps
// some code pages' gaps to.
bool IsShownAsCharacter(char32_t cp)
{
    return cp >= 0x20 && !(cp >= 0x7F && cp < 0xA0) && cp != 0xFFFD &&
           !(cp >= 0xE000 && cp < 0xF900);
}

bool StartsWithNoCase(const std::string& str, const char* pszPrefix, std::size_t& nAfter)
{
    nAfter = std::char_traits<char>::length(pszPrefix);
    return str.size() >= nAfter &&
           std::equal(pszPrefix, pszPrefix + nAfter, str.begin(), [](char chPrefix, char ch) {
               return chPrefix == std::tolower(static_cast<unsigned char>(ch));
           });
}

} // namespace

CCodePage::CCodePage(unsigned nNumber) : m_nNumber(nNumber), m_converter(nNumber)
{
    if (!m_converter.IsOpen())
        return;
    std::string strAscii(0x80, '\0');
    for (std::size_t ch = 0; ch < strAscii.size(); ++ch)
        strAscii[ch] = static_cast<char>(ch);
    std::string strUtf8;
    m_bOpen = m_converter.ToUtf8(strAscii.data(), strAscii.size(), strUtf8) && strUtf8 == strAscii;
    if (!m_bOpen)
        return;
    for (unsigned ch = 0; ch <= 0xFF; ++ch) {
        const char chByte = static_cast<char>(ch);
        const std::string strShown = CharacterToUtf8(&chByte, 1);
        std::size_t nPos = 0;
        m_abCharacter[ch] = IsLeadByte(static_cast<unsigned char>(ch)) ||
                            IsShownAsCharacter(NextCodePoint(strShown, nPos));
    }
}

std::string CCodePage::Name() const
{
    const bool bWindows = (m_nNumber >= 1250 && m_nNumber <= 1258) || m_nNumber == 874;
    return (bWindows ? "Windows-" : "code page ") + std::to_string(m_nNumber);
}

std::string CCodePage::CharacterToUtf8(const char* pBytes, std::size_t nLength) const
{
    std::string strUtf8;
    if (m_converter.ToUtf8(pBytes, nLength, strUtf8) && !strUtf8.empty())
        return strUtf8;
    const auto chFirst = static_cast<unsigned char>(pBytes[0]);
    if (nLength == 1 && !IsLeadByte(chFirst) && chFirst >= 0x80 && chFirst < 0xA0)
        AppendUtf8(chFirst, strUtf8);
    else
        strUtf8 = kszReplacement;
    return strUtf8;
}

// The whole at once, as Windows converts a field; character by character where glibc refuses.
std::string CCodePage::ToUtf8(const std::string& strBytes) const
{
    std::string strUtf8;
    if (m_converter.ToUtf8(strBytes.data(), strBytes.size(), strUtf8))
        return strUtf8;
    strUtf8.clear();
    for (std::size_t nPos = 0; nPos < strBytes.size();) {
        const bool bPair =
            IsLeadByte(static_cast<unsigned char>(strBytes[nPos])) && nPos + 1 < strBytes.size();
        const std::size_t nLength = bPair ? 2 : 1;
        strUtf8 += CharacterToUtf8(strBytes.data() + nPos, nLength);
        nPos += nLength;
    }
    return strUtf8;
}

// Windows maps the C1 controls to the gaps of its Western code pages, glibc refuses them: they
// are no text, so neither build takes them.
bool CCodePage::FromUtf8(const std::string& strUtf8, std::string& strBytes) const
{
    for (std::size_t nPos = 0; nPos < strUtf8.size();) {
        const char32_t cp = NextCodePoint(strUtf8, nPos);
        if (cp >= 0x80 && cp < 0xA0)
            return false;
    }
    return m_converter.FromUtf8(strUtf8, strBytes);
}

bool ParseCodePageName(const std::string& strName, unsigned& nNumber)
{
    std::size_t nDigits = 0;
    if (!StartsWithNoCase(strName, "windows-", nDigits) &&
        !StartsWithNoCase(strName, "cp", nDigits))
        nDigits = 0;
    const std::size_t nCount = strName.size() - nDigits;
    if (nCount == 0 || nCount > 5 || strName[nDigits] == '0')
        return false;
    unsigned long nValue = 0;
    for (std::size_t i = nDigits; i < strName.size(); ++i) {
        if (strName[i] < '0' || strName[i] > '9')
            return false;
        nValue = nValue * 10 + static_cast<unsigned long>(strName[i] - '0');
    }
    nNumber = static_cast<unsigned>(nValue);
    return nValue <= 0xFFFF;
}

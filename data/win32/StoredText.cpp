#include "StoredText.h"

#include "FieldEncoding.h"

#include <windows.h>

namespace {

std::wstring Widened(UINT nCodePage, const std::string& strBytes)
{
    const int nBytes = static_cast<int>(strBytes.size());
    const int nChars = ::MultiByteToWideChar(nCodePage, 0, strBytes.data(), nBytes, nullptr, 0);
    std::wstring strWide(static_cast<std::size_t>(nChars > 0 ? nChars : 0), L'\0');
    if (nChars > 0)
        ::MultiByteToWideChar(nCodePage, 0, strBytes.data(), nBytes, &strWide[0], nChars);
    return strWide;
}

// Only the flags Microsoft documents for each: no best fit and a report of every character the
// legacy code page lacks, which must never become a look-alike or "?"; refusal of invalid
// UTF-16 for UTF-8.
bool Narrowed(UINT nCodePage, const std::wstring& strWide, std::string& strBytes)
{
    const bool bUtf8 = nCodePage == CP_UTF8;
    const DWORD dwFlags = bUtf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL bDefaultUsed = FALSE;
    BOOL* pbDefaultUsed = bUtf8 ? nullptr : &bDefaultUsed;
    const int nChars = static_cast<int>(strWide.size());
    const int nBytes = ::WideCharToMultiByte(nCodePage, dwFlags, strWide.data(), nChars, nullptr, 0,
                                             nullptr, pbDefaultUsed);
    strBytes.assign(static_cast<std::size_t>(nBytes > 0 ? nBytes : 0), '\0');
    return (nBytes > 0 || strWide.empty()) && !bDefaultUsed &&
           (nBytes == 0 || ::WideCharToMultiByte(nCodePage, dwFlags, strWide.data(), nChars,
                                                 &strBytes[0], nBytes, nullptr, nullptr) == nBytes);
}

bool ReadsAsUtf8(const std::string& strBytes)
{
    return DecideFieldEncoding(strBytes.data(), strBytes.size(), false).bUtf8;
}

} // namespace

std::wstring WideFromStored(const std::string& strStored, const CLegacyCodePage& codePage)
{
    return Widened(ReadsAsUtf8(strStored) ? CP_UTF8 : codePage.Number(), strStored);
}

// Read back, the legacy bytes must give the very name: a code page can map two characters to
// one byte without using its default character.
bool StoredFromWide(const std::wstring& strWide, const CLegacyCodePage& codePage,
                    std::string& strStored)
{
    if (Narrowed(codePage.Number(), strWide, strStored) && !ReadsAsUtf8(strStored) &&
        Widened(codePage.Number(), strStored) == strWide)
        return true;
    if (Narrowed(CP_UTF8, strWide, strStored))
        return true;
    strStored.clear();
    return false;
}

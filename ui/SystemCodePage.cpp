#include "SystemCodePage.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

namespace {

struct SLanguageCodePage {
    WORD nLanguage;
    UINT nCodePage;
};

// The ANSI code pages that languages have had since Windows 95, by primary language; the
// languages of the Latin alphabet not named here had Windows-1252.
const SLanguageCodePage kTraditional[] = {
    {LANG_JAPANESE, 932},    {LANG_KOREAN, 949},      {LANG_THAI, 874},
    {LANG_VIETNAMESE, 1258}, {LANG_GREEK, 1253},      {LANG_TURKISH, 1254},
    {LANG_AZERI, 1254},      {LANG_UZBEK, 1254},      {LANG_HEBREW, 1255},
    {LANG_ARABIC, 1256},     {LANG_PERSIAN, 1256},    {LANG_URDU, 1256},
    {LANG_ESTONIAN, 1257},   {LANG_LATVIAN, 1257},    {LANG_LITHUANIAN, 1257},
    {LANG_RUSSIAN, 1251},    {LANG_UKRAINIAN, 1251},  {LANG_BELARUSIAN, 1251},
    {LANG_BULGARIAN, 1251},  {LANG_MACEDONIAN, 1251}, {LANG_KAZAK, 1251},
    {LANG_KYRGYZ, 1251},     {LANG_TATAR, 1251},      {LANG_MONGOLIAN, 1251},
    {LANG_CZECH, 1250},      {LANG_POLISH, 1250},     {LANG_HUNGARIAN, 1250},
    {LANG_SLOVAK, 1250},     {LANG_SLOVENIAN, 1250},  {LANG_ROMANIAN, 1250},
    {LANG_ALBANIAN, 1250},   {LANG_SERBIAN, 1250},
};

// Chinese by its script, and the Cyrillic forms of languages also written in Latin letters.
UINT TraditionalCodePage(LANGID nLanguage)
{
    const WORD nPrimary = PRIMARYLANGID(nLanguage);
    const WORD nSub = SUBLANGID(nLanguage);
    if (nPrimary == LANG_CHINESE)
        return nSub == SUBLANG_CHINESE_TRADITIONAL || nSub == SUBLANG_CHINESE_HONGKONG ||
                       nSub == SUBLANG_CHINESE_MACAU
                   ? 950
                   : 936;
    const bool bCyrillic = ((nPrimary == LANG_AZERI || nPrimary == LANG_UZBEK) && nSub == 2) ||
                           (nPrimary == LANG_SERBIAN &&
                            (nSub == 3 || nSub == 7 || nSub == 8 || nSub == 10 || nSub == 12));
    if (bCyrillic)
        return 1251;
    const auto it =
        std::find_if(std::begin(kTraditional), std::end(kTraditional),
                     [&](const SLanguageCodePage& row) { return row.nLanguage == nPrimary; });
    return it != std::end(kTraditional) ? it->nCodePage : CLegacyCodePage::kWindows1252;
}

// Not CP_ACP, which the UTF-8 setting or a manifest turns into UTF-8. Should Windows answer
// UTF-8 here too, or "Unicode only" (0), the language's own code page stands in.
UINT SystemAnsiCodePage()
{
    DWORD nCodePage = 0;
    const int nChars = sizeof nCodePage / sizeof(WCHAR);
    if (::GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&nCodePage), nChars) != nChars ||
        nCodePage == CP_ACP || nCodePage == CP_UTF8 || !::IsValidCodePage(nCodePage))
        return TraditionalCodePage(::GetSystemDefaultLangID());
    return nCodePage;
}

} // namespace

CLegacyCodePage SystemLegacyCodePage()
{
    const UINT nCodePage = SystemAnsiCodePage();
    return CLegacyCodePage(nCodePage, [nCodePage](unsigned char ch) {
        return ::IsDBCSLeadByteEx(nCodePage, ch) != FALSE;
    });
}

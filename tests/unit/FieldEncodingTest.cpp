#include "FieldEncoding.h"

#include <gtest/gtest.h>

#include <tuple>

#ifdef _WIN32
#include "win32/StoredText.h"
#endif

namespace {

const std::string kBom = kszByteOrderMark, kE = "\xC3\xA9", kX(18, 'x');

// A title buffer of 25 bytes, filled at 24.
TEST(FieldEncodingTest, TitleShownWithoutMarkOrCutCharacter)
{
    // clang-format off
    const std::pair<std::string, std::string> kTitles[] = {
        {kBom + "Caf" + kE, "Caf" + kE}, {kBom, ""}, {"\xEF\xBB" + kX, "\xEF\xBB" + kX},
        {kBom + kE + kX + "\xE2", kE + kX}, {kBom + "a" + kX + kE, "a" + kX + kE},
        {"Caf" + kX + "xx\xE9", "Caf" + kX + "xx\xE9"}};
    // clang-format on
    for (const auto& [strTitle, strShown] : kTitles) {
        char szTitle[25] = "";
        strTitle.copy(szTitle, sizeof szTitle - 1);
        EXPECT_EQ(ShownTitle(szTitle, sizeof szTitle, CLegacyCodePage()).strBytes, strShown)
            << strTitle;
    }
}

// Lead bytes as Windows has them: Shift-JIS and GBK.
const CLegacyCodePage kJapanese(932, [](unsigned char ch) {
    return (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
});
const CLegacyCodePage kChinese(936, [](unsigned char ch) { return ch >= 0x81 && ch <= 0xFE; });
const CLegacyCodePage kWestern(1252);

// Code page, field, whether it fills its buffer, what the window shows ("~" as its line break)
// and in which code page. A field that is not UTF-8 is walked from its start: a second byte
// stays, a "~" or a lead byte's value; a lead byte the limit cut off goes.
// clang-format off
const std::tuple<const CLegacyCodePage&, std::string, bool, std::string, unsigned> kDoubleByteRows[] = {
    {kJapanese, "\x81\x7E 2", false, "\x81\x7E 2", 932}, {kJapanese, "\x8A\xFA~", true, "\x8A\xFA\r\n", 932},
    {kJapanese, "\x83\x4A\x83\x69~\x81\x7E", false, "\x83\x4A\x83\x69\r\n\x81\x7E", 932},
    {kJapanese, "\xB1~\xDF", false, "\xB1\r\n\xDF", 932}, {kJapanese, "ab\x83", true, "ab", 932},
    {kJapanese, "ab\x83", false, "ab\x83", 932}, {kJapanese, "\x8A\xFA", true, "\x8A\xFA", 932},
    {kJapanese, "\x8A\xFA\x81", true, "\x8A\xFA", 932}, {kJapanese, "caf\xE9~", false, "caf\xE9~", 932},
    {kJapanese, "\xE2\x82\xAC\x81", true, "\xE2\x82\xAC", 932},
    {kJapanese, "caf" + kE + "~", false, "caf" + kE + "\r\n", kCodePageUtf8},
    {kJapanese, kE + "\xE2\x82", true, kE, kCodePageUtf8}, {kChinese, "caf\xE9~", true, "caf\xE9~", 936},
    {kChinese, "\xC4\xE3~\x81\x7E~", false, "\xC4\xE3\r\n\x81\x7E\r\n", 936},
    {kChinese, "\xC4\xE3\xC4", true, "\xC4\xE3", 936}, {kWestern, "caf\xE9~", true, "caf\xE9\r\n", 1252},
    {kWestern, "\x81\x7E\x83", true, "\x81\r\n\x83", 1252}, {kWestern, kE + "\xA9", true, kE + "\xA9", 1252},
    {kWestern, "\xC0\xAF\xED\xA0\x80", false, "\xC0\xAF\xED\xA0\x80", 1252},
    {kWestern, kE + "\xF0\x9F\x98", false, kE + "\xF0\x9F\x98", 1252},
    {kWestern, "\xF4\x8F\xBF\xBF\xF4\x90", true, "\xF4\x8F\xBF\xBF\xF4\x90", 1252}};
// clang-format on

TEST(FieldEncodingTest, DoubleByteFieldsKeepTheirCharactersWhole)
{
    for (const auto& [codePage, strField, bFilled, strShown, nShownIn] : kDoubleByteRows) {
        std::string strBuffer = strField;
        strBuffer.resize(strField.size() + (bFilled ? 1 : 2), '\0');
        const SShownText title = ShownTitle(strBuffer.c_str(), strBuffer.size(), codePage);
        const unsigned nCodePage = DropCutCharacter(&strBuffer[0], strBuffer.size(), codePage);
        const CLegacyCodePage textCodePage =
            nCodePage == kCodePageUtf8 ? CLegacyCodePage(kCodePageUtf8) : codePage;
        EXPECT_EQ(BreakQuoteLines(strBuffer.c_str(), textCodePage), strShown) << strField;
        EXPECT_EQ(nCodePage, nShownIn) << strField;
        EXPECT_EQ(title.strBytes + "|" + std::to_string(title.nCodePage),
                  strBuffer.c_str() + ("|" + std::to_string(nShownIn)))
            << strField;
    }
}

// Names by the same rule: code page, name, the bytes stored (none: no stored text holds it) and
// whether they read back as UTF-8. Legacy bytes that read as UTF-8 would name another file.
// clang-format off
const std::tuple<unsigned, const wchar_t*, std::string, bool> kStoredRows[] = {
    {1252, L"index.txt", "index.txt", false}, {1252, L"Caf\u00E9", "Caf\xE9", false},
    {1252, L"\u00C3\u00A9", "\xC3\x83\xC2\xA9", true}, {1252, L"\u0395\u03BB", "\xCE\x95\xCE\xBB", true},
    {1252, L"\u0100b", "\xC4\x80" "b", true}, {1252, L"\u0141", "\xC5\x81", true},
    {1250, L"\u0141", "\xA3", false}, {1251, L"\u041F\u0440", "\xCF\xF0", false},
    {932, L"\u6F22\u5B57", "\x8A\xBF\x8E\x9A", false}, {932, L"\u8868", "\x95\x5C", false},
    {1252, L"\xD800x", "", false}};
// clang-format on

// Only Windows has the converters for the way there.
TEST(FieldEncodingTest, LegacyWhereItHoldsTheNameUtf8Otherwise)
{
    for (const auto& [nCodePage, pszName, strStored, bUtf8] : kStoredRows) {
        EXPECT_EQ(DecideFieldEncoding(strStored.data(), strStored.size(), false).bUtf8, bUtf8)
            << strStored;
#ifdef _WIN32
        std::string strGot = "left over";
        EXPECT_EQ(StoredFromWide(pszName, CLegacyCodePage(nCodePage), strGot), !strStored.empty());
        EXPECT_EQ(strGot, strStored);
        if (!strStored.empty()) {
            EXPECT_EQ(WideFromStored(strStored, CLegacyCodePage(nCodePage)), pszName) << strStored;
        }
#endif
    }
}

} // namespace

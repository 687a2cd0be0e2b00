#include "FieldEncoding.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::string kBom = kszByteOrderMark, kE = "\xC3\xA9", kX(18, 'x');

// Bytes, whether they fill their buffer, then UTF-8 or not and where: the bytes shown of UTF-8,
// the first byte that is not UTF-8 of the rest.
// clang-format off
const std::tuple<std::string, bool, bool, std::size_t> kFields[] = {
    {"plain", false, false, 5}, {"caf\xE9", true, false, 3}, {"\xE9t\xE9", false, false, 0},
    {"caf" + kE, false, true, 5}, {"\xE2\x82\xAC 5", false, true, 5},
    {"\xF0\x9F\x98\x80", false, true, 4}, {kBom, false, true, 3},
    {"\xED\x9F\xBF\xEE\x80\x80", false, true, 6}, {"\xF4\x8F\xBF\xBF", false, true, 4},
    {kE + "\xF0", true, true, 2}, {kE + "\xF0\x9F", true, true, 2},
    {kE + "\xF0\x9F\x98", true, true, 2}, {kE + "\xF0\x9F\x98", false, false, 2},
    {"ab\xE2\x82", true, false, 2}, {kE + "\xE0\x80", true, false, 2},
    {"\xC0\xAF", false, false, 0}, {"\xC1\xBF", false, false, 0}, {"a\xE0\x80\xAF", false, false, 1},
    {"\xF0\x80\x80\xAF", false, false, 0}, {"\xED\xA0\x80", false, false, 0},
    {"\xED\xBF\xBF", false, false, 0}, {"\xF4\x90\x80\x80", false, false, 0},
    {"\xF5\x80\x80\x80", false, false, 0}, {kE + "\x80", false, false, 2},
    {kE + "\xA9", true, false, 2}, {"\xFF", false, false, 0}};
// clang-format on

TEST(FieldEncodingTest, Utf8WithAMultiByteCharacterOrAnsi)
{
    for (const auto& [strBytes, bFilled, bUtf8, nAt] : kFields) {
        const SFieldEncoding decided =
            DecideFieldEncoding(strBytes.data(), strBytes.size(), bFilled);
        EXPECT_EQ(decided.bUtf8, bUtf8) << strBytes;
        EXPECT_EQ(bUtf8 ? decided.nShown : decided.nInvalid, nAt) << strBytes;
        EXPECT_EQ(bUtf8 ? decided.nInvalid : decided.nShown, strBytes.size()) << strBytes;
    }
}

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

struct SDoubleByteRow {
    const CLegacyCodePage& codePage;
    std::string strField;
    bool bFilled;
    std::string strShown; // "~" as the line break it stands for
    unsigned nCodePage;
};

// A field that is not UTF-8 is walked by characters from its start: a "~" that is a second
// byte stays, and so does a second byte with a lead byte's value; a lead byte the limit cut off
// goes. UTF-8 is decided first, whatever the code page.
// clang-format off
const SDoubleByteRow kDoubleByteRows[] = {
    {kJapanese, "\x81\x7E 2", false, "\x81\x7E 2", 932},
    {kJapanese, "\x83\x4A\x83\x69~\x81\x7E", false, "\x83\x4A\x83\x69\r\n\x81\x7E", 932},
    {kJapanese, "\x8A\xFA~", true, "\x8A\xFA\r\n", 932},
    {kJapanese, "\xB1~\xDF", false, "\xB1\r\n\xDF", 932},
    {kJapanese, "ab\x83", true, "ab", 932},
    {kJapanese, "ab\x83", false, "ab\x83", 932},
    {kJapanese, "\x8A\xFA", true, "\x8A\xFA", 932},
    {kJapanese, "\x8A\xFA\x81", true, "\x8A\xFA", 932},
    {kJapanese, "\xE2\x82\xAC\x81", true, "\xE2\x82\xAC", 932},
    {kJapanese, "caf\xE9~", false, "caf\xE9~", 932},
    {kJapanese, "caf" + kE + "~", false, "caf" + kE + "\r\n", kCodePageUtf8},
    {kJapanese, kE + "\xE2\x82", true, kE, kCodePageUtf8},
    {kChinese, "\xC4\xE3~\x81\x7E~", false, "\xC4\xE3\r\n\x81\x7E\r\n", 936},
    {kChinese, "\xC4\xE3\xC4", true, "\xC4\xE3", 936},
    {kChinese, "caf\xE9~", true, "caf\xE9~", 936},
    {kWestern, "caf\xE9~", true, "caf\xE9\r\n", 1252},
    {kWestern, "\x81\x7E\x83", true, "\x81\r\n\x83", 1252}};
// clang-format on

TEST(FieldEncodingTest, DoubleByteFieldsKeepTheirCharactersWhole)
{
    for (const SDoubleByteRow& row : kDoubleByteRows) {
        std::string strBuffer = row.strField;
        strBuffer.resize(row.strField.size() + (row.bFilled ? 1 : 2), '\0');
        const SShownText title = ShownTitle(strBuffer.c_str(), strBuffer.size(), row.codePage);
        const unsigned nCodePage = DropCutCharacter(&strBuffer[0], strBuffer.size(), row.codePage);
        const CLegacyCodePage textCodePage =
            nCodePage == kCodePageUtf8 ? CLegacyCodePage(kCodePageUtf8) : row.codePage;
        EXPECT_EQ(BreakQuoteLines(strBuffer.c_str(), textCodePage), row.strShown) << row.strField;
        EXPECT_EQ(nCodePage, row.nCodePage) << row.strField;
        EXPECT_EQ(title.strBytes + "|" + std::to_string(title.nCodePage),
                  strBuffer.c_str() + ("|" + std::to_string(row.nCodePage)))
            << row.strField;
    }
}

} // namespace

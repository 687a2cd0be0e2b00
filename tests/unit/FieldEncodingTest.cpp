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
        EXPECT_EQ(ShownTitle(szTitle, sizeof szTitle), strShown) << strTitle;
    }
}

} // namespace

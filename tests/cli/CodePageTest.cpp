// The system's converter as the tools use it: the same results from iconv and from Windows.
#include "CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

// clang-format off
const std::tuple<unsigned, std::string, std::string> kShown[] = {
    // The five gaps of Windows-1252 show as the control codes of their values.
    {1252, "\x80\x81\x8D\x8F\x90\x9D\xE9", "\xE2\x82\xAC\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC3\xA9"},
    {932, "\x81\x7E\x82\xA0\xB1", "\xC3\x97\xE3\x81\x82\xEF\xBD\xB1"},
    {936, "\xD6\xD0~", "\xE4\xB8\xAD~"},
    {949, "\xB0\xA1", "\xEA\xB0\x80"},
    {950, "\xA4\xA4", "\xE4\xB8\xAD"},
    {1251, "\xC0\xFF", "\xD0\x90\xD1\x8F"},
    // Known to glibc by name only.
    {28591, "\xE9", "\xC3\xA9"}, {20866, "\xC1", "\xD0\xB0"}};

const std::tuple<unsigned, std::string, bool, std::string> kWritten[] = {
    {1252, "\xC3\xA9\xE2\x82\xAC", true, "\xE9\x80"},
    {1252, "\xC2\x81", false, ""},
    {1252, "\xE2\x98\x83", false, ""},
    {932, "\xC3\x97", true, "\x81\x7E"},
    {936, "\xE4\xB8\xAD", true, "\xD6\xD0"},
    {1251, "\xC3\xA9", false, ""}};
// clang-format on

TEST(CodePageTest, ConvertsAsWindowsDoes)
{
    for (const auto& [nNumber, strBytes, strUtf8] : kShown) {
        const CCodePage codePage(nNumber);
        ASSERT_TRUE(codePage.IsOpen()) << nNumber;
        EXPECT_EQ(codePage.ToUtf8(strBytes), strUtf8) << nNumber;
    }
    for (const auto& [nNumber, strUtf8, bWritten, strBytes] : kWritten) {
        std::string strOut;
        EXPECT_EQ(CCodePage(nNumber).FromUtf8(strUtf8, strOut), bWritten) << strUtf8;
        EXPECT_EQ(bWritten ? strOut : "", strBytes) << strUtf8;
    }
}

TEST(CodePageTest, LeadBytesAndGaps)
{
    const CCodePage western, japanese(932);
    EXPECT_EQ(western.Name(), "Windows-1252");
    EXPECT_EQ(japanese.Name(), "code page 932");
    for (unsigned ch = 0; ch <= 0xFF; ++ch) {
        const auto uch = static_cast<unsigned char>(ch);
        EXPECT_FALSE(western.IsLeadByte(uch)) << ch;
        const bool bGap = ch == 0x81 || ch == 0x8D || ch == 0x8F || ch == 0x90 || ch == 0x9D;
        EXPECT_EQ(western.IsCharacter(uch), ch >= 0x20 && ch != 0x7F && !bGap) << ch;
        const bool bLead = (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
        EXPECT_EQ(japanese.IsLeadByte(uch), bLead) << ch;
    }
    EXPECT_FALSE(japanese.IsCharacter(0xA0));
    // UTF-8 itself, EBCDIC, a number no system knows, one that names the system's own.
    for (unsigned nNumber : {65001u, 37u, 12345u, 1u})
        EXPECT_FALSE(CCodePage(nNumber).IsOpen()) << nNumber;
}

TEST(CodePageTest, Names)
{
    const std::tuple<const char*, bool, unsigned> kNames[] = {
        {"cp1252", true, 1252}, {"Windows-932", true, 932}, {"1251", true, 1251},
        {"CP936", true, 936},   {"latin1", false, 0},       {"cp", false, 0},
        {"cp0932", false, 0},   {"cp70000", false, 0},      {"utf-8", false, 0},
        {"windows-", false, 0}, {"cp-1", false, 0}};
    for (const auto& [pszName, bKnown, nExpected] : kNames) {
        unsigned nNumber = 0;
        EXPECT_EQ(ParseCodePageName(pszName, nNumber), bKnown) << pszName;
        EXPECT_EQ(bKnown ? nNumber : 0, nExpected) << pszName;
    }
}

} // namespace

#include "Cp1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

namespace {

std::string EncodeUtf8(char32_t cp)
{
    const auto chLow = static_cast<char>(0x80 | (cp & 0x3F));
    if (cp < 0x800)
        return {static_cast<char>(0xC0 | (cp >> 6)), chLow};
    return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
            chLow};
}

constexpr ECp1252Status kOk = ECp1252Status::Converted, kBad = ECp1252Status::BadUtf8,
                        kNone = ECp1252Status::Unmapped;

// UTF-8 in, then the status and the bytes converted before any fault.
// clang-format off
const std::tuple<std::string, ECp1252Status, std::string> kConversions[] = {
    {"plain ~%\x7F", kOk, "plain ~%\x7F"},
    {"\xC2\xA0\xC3\xBF\xE2\x82\xAC\xC5\xB8", kOk, "\xA0\xFF\x80\x9F"},
    {"\xE2\x80\x98\xE2\x80\x9D\xE2\x80\x94\xE2\x80\xA6", kOk, "\x91\x94\x97\x85"},
    {"a\xC2\x80", kNone, "a"}, {"\xC2\x9F", kNone, ""}, {"\xC4\x80", kNone, ""},
    {"\xEF\xBB\xBF", kNone, ""}, {"\xF0\x9F\x98\x80", kNone, ""},
    {"\xC0\x80", kBad, ""}, {"\xE0\x80\xAF", kBad, ""}, {"\xED\xA0\x80", kBad, ""},
    {"\xF4\x90\x80\x80", kBad, ""}, {"\x80", kBad, ""}, {"\xFF", kBad, ""},
    {"ab\xC3", kBad, "ab"}, {"\xE2\x28\xA1", kBad, ""}};
// clang-format on

TEST(Cp1252Test, ConvertsOrNamesTheFault)
{
    for (const auto& [strUtf8, status, strExpected] : kConversions) {
        std::string strOut = "stale";
        EXPECT_EQ(Utf8ToCp1252(strUtf8, strOut), status) << strUtf8;
        EXPECT_EQ(strOut, strExpected) << strUtf8;
    }
}

// Outside Latin-1 exactly 27 characters of the BMP map, each to its own printable byte of 0x80
// to 0x9F; the bytes below 0x20, DEL and the five gaps never print.
TEST(Cp1252Test, HighCodesFillThePrintableGap)
{
    std::set<int> mapped;
    for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
        std::string strOut;
        const bool bLatin1 = cp >= 0xA0 && cp <= 0xFF, bSurrogate = cp >= 0xD800 && cp <= 0xDFFF;
        if (!bLatin1 && !bSurrogate && Utf8ToCp1252(EncodeUtf8(cp), strOut) == kOk) {
            ASSERT_EQ(strOut.size(), 1u);
            EXPECT_TRUE(mapped.insert(static_cast<unsigned char>(strOut[0])).second) << cp;
        }
    }
    const std::set<int> kGaps = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    for (int ch = 0; ch < 256; ++ch) {
        const bool bHigh = ch >= 0x80 && ch <= 0x9F;
        EXPECT_EQ(mapped.count(ch) == 1, bHigh && kGaps.count(ch) == 0) << ch;
        EXPECT_EQ(IsPrintableCp1252(static_cast<unsigned char>(ch)),
                  ch >= 0x20 && ch != 0x7F && kGaps.count(ch) == 0)
            << ch;
    }
}

} // namespace

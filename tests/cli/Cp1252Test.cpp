#include "Cp1252.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

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

} // namespace

#include "IntegerText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace {

// One signed number among blanks, the zero rule, saturation, and only the first 31
// characters looked at. A rejected text leaves the value alone.
TEST(IntegerTextTest, ParsesOneSignedNumber)
{
    const std::string k29(29, ' ');
    // clang-format off
    const std::tuple<std::string, bool, int> kCases[] = {
        {" 12 ", true, 12}, {"  -17\t ", true, -17}, {"+7", true, 7}, {"\t000", true, 0},
        {"   ", false, 0}, {"+0", false, 0}, {"-000", false, 0}, {"12abc", false, 0},
        {"1 2", false, 0}, {"-", false, 0}, {"+-5", false, 0}, {"\n5", false, 0},
        {"2147483648", true, INT_MAX}, {"-2147483649", true, INT_MIN},
        {std::string(31, '9') + "abc", true, INT_MAX}, {std::string(30, '0') + "57", true, 5},
        {"7 " + k29 + "x", true, 7}, {"7" + k29 + "x", false, 0}, {"  " + k29 + "5", false, 0}};
    // clang-format on
    for (const auto& [strText, bAccepted, nExpected] : kCases) {
        int nValue = 4242;
        EXPECT_EQ(ParseDialogInteger(strText.c_str(), nValue), bAccepted) << '"' << strText << '"';
        EXPECT_EQ(nValue, bAccepted ? nExpected : 4242) << '"' << strText << '"';
    }
    int nValue = 4242;
    EXPECT_FALSE(ParseDialogInteger(nullptr, nValue));
}

} // namespace

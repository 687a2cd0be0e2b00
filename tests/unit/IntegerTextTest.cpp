#include "IntegerText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace {

const int kUntouched = 4242;

void ExpectParse(const std::string& strText, bool bAccepted, int nExpected)
{
    int nValue = kUntouched;
    EXPECT_EQ(ParseDialogInteger(strText.c_str(), nValue), bAccepted) << '"' << strText << '"';
    EXPECT_EQ(nValue, bAccepted ? nExpected : kUntouched) << '"' << strText << '"';
}

// One signed number among blanks, the zero rule, saturation, and only the first 31
// characters looked at. The value is expected only where the text is accepted.
TEST(IntegerTextTest, ParsesOneSignedNumber)
{
    const std::tuple<const char*, bool, int> kCases[] = {
        {" 12 ", true, 12}, {"  -17\t ", true, -17}, {"+7", true, 7},    {"\t000", true, 0},
        {"   ", false, 0},  {"+0", false, 0},        {"-000", false, 0}, {"12abc", false, 0},
        {"1 2", false, 0},  {"-", false, 0},         {"+-5", false, 0},  {"- 5", false, 0},
        {"\n5", false, 0},
    };
    for (const auto& [pszText, bAccepted, nExpected] : kCases)
        ExpectParse(pszText, bAccepted, nExpected);
    const std::string k30Blanks(30, ' ');
    ExpectParse("2147483647", true, INT_MAX);
    ExpectParse("2147483648", true, INT_MAX);
    ExpectParse("-2147483648", true, INT_MIN);
    ExpectParse("-2147483649", true, INT_MIN);
    ExpectParse(std::string(31, '9') + "abc", true, INT_MAX);
    ExpectParse(std::string(30, '0') + "57", true, 5);
    ExpectParse("7" + k30Blanks + "x", true, 7);
    ExpectParse("7" + std::string(29, ' ') + "x", false, 0);
    ExpectParse(" " + k30Blanks + "5", false, 0);
    int nValue = kUntouched;
    EXPECT_FALSE(ParseDialogInteger(nullptr, nValue));
    EXPECT_EQ(nValue, kUntouched);
}

} // namespace

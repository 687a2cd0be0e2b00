#include "IntegerText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

const int kUntouched = 4242;

struct SParseCase {
    std::string strText;
    bool bAccepted;
    int nValue; // expected when accepted
};

template <std::size_t N> void ExpectCases(const SParseCase (&cases)[N])
{
    for (const SParseCase& test : cases) {
        SCOPED_TRACE("text \"" + test.strText.substr(0, 40) + "\"");
        int nValue = kUntouched;
        EXPECT_EQ(ParseDialogInteger(test.strText.c_str(), nValue), test.bAccepted);
        EXPECT_EQ(nValue, test.bAccepted ? test.nValue : kUntouched);
    }
}

// Blanks and sign, the zero rule, anything else beside the number.
TEST(IntegerTextTest, OneSignedNumberAmongBlanks)
{
    const SParseCase kCases[] = {
        {" 12 ", true, 12}, {"+7", true, 7},    {"  -17\t ", true, -17}, {"007", true, 7},
        {"0", true, 0},     {"\t000", true, 0}, {"", false, 0},          {"   ", false, 0},
        {"+0", false, 0},   {"-000", false, 0}, {"12abc", false, 0},     {"1 2", false, 0},
        {"-", false, 0},    {"+-5", false, 0},  {"- 5", false, 0},       {"5-", false, 0},
        {"0x10", false, 0}, {"1.5", false, 0},  {"\n5", false, 0},       {"5\r\n", false, 0},
    };
    ExpectCases(kCases);
}

// The int range saturates; only the first 31 characters count.
TEST(IntegerTextTest, SaturatesAndReadsOnlyTheFirst31Characters)
{
    const std::string k30Blanks(30, ' ');
    const SParseCase kCases[] = {
        {"2147483647", true, INT_MAX},
        {"2147483648", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"-2147483649", true, INT_MIN},
        {std::string(30, '0') + "57", true, 5},
        {"7" + k30Blanks + "x", true, 7},
        {"7" + std::string(29, ' ') + "x", false, 0},
        {" " + k30Blanks + "5", false, 0},
        {"-" + std::string(31, '9'), true, INT_MIN},
        {std::string(31, '9') + "abc", true, INT_MAX},
        {"8" + std::string(1000000, 'x'), false, 0},
        {"8" + k30Blanks + std::string(1000000, 'x'), true, 8},
    };
    ExpectCases(kCases);
    int nValue = kUntouched;
    EXPECT_FALSE(ParseDialogInteger(nullptr, nValue));
    EXPECT_EQ(nValue, kUntouched);
}

} // namespace

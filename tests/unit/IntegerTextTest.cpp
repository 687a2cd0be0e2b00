#include "IntegerText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct ParseCase {
    std::string strText;
    bool bAccepted;
    int nValue; // expected when accepted
};

const int kUntouched = 4242;

template <std::size_t N> void ExpectCases(const ParseCase (&cases)[N])
{
    for (const ParseCase& c : cases) {
        SCOPED_TRACE("text \"" + c.strText + "\"");
        int nValue = kUntouched;
        EXPECT_EQ(c.bAccepted, ParseDialogInteger(c.strText.c_str(), nValue));
        EXPECT_EQ(c.bAccepted ? c.nValue : kUntouched, nValue);
    }
}

} // namespace

TEST(IntegerTextTest, PlainNumbersWithBlanksAndSign)
{
    const ParseCase cases[] = {
        {"4", true, 4},          {"31", true, 31},   {" 12 ", true, 12},
        {"+7", true, 7},         {"\t5\t", true, 5}, {"-5", true, -5},
        {"  -17\t ", true, -17}, {"007", true, 7},   {"-2147483647", true, -2147483647},
    };
    ExpectCases(cases);
}

TEST(IntegerTextTest, ZeroOnlyWhenWrittenWithLeadingZero)
{
    const ParseCase cases[] = {
        {"0", true, 0},     {"00", true, 0},     {" 0 ", true, 0}, {"\t000", true, 0},
        {"", false, 0},     {"+0", false, 0},    {"-0", false, 0}, {"   ", false, 0},
        {"-000", false, 0}, {" +00 ", false, 0},
    };
    ExpectCases(cases);
}

TEST(IntegerTextTest, AnythingElseIsRefused)
{
    const ParseCase cases[] = {
        {"12abc", false, 0}, {"1 2", false, 0},   {"+", false, 0},   {"-", false, 0},
        {" - ", false, 0},   {"+-5", false, 0},   {"- 5", false, 0}, {"5-", false, 0},
        {"0x10", false, 0},  {"1.5", false, 0},   {"\n5", false, 0}, {"5\r\n", false, 0},
        {"abc", false, 0},   {"1,000", false, 0},
    };
    ExpectCases(cases);
}

TEST(IntegerTextTest, OutOfRangeSaturates)
{
    const ParseCase cases[] = {
        {"2147483647", true, INT_MAX},
        {"2147483648", true, INT_MAX},
        {"123456789012", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"-2147483649", true, INT_MIN},
        {"-99999999999", true, INT_MIN},
        {"99999999999999999999999999999", true, INT_MAX},
    };
    ExpectCases(cases);
}

TEST(IntegerTextTest, OnlyTheFirst31CharactersCount)
{
    const std::string strZeros30(30, '0');
    const ParseCase cases[] = {
        {strZeros30 + "5", true, 5},
        {strZeros30 + "57", true, 5},
        {"7" + std::string(30, ' ') + "x", true, 7},
        {"7" + std::string(29, ' ') + "x", false, 0},
        {"7" + std::string(30, ' ') + "1", true, 7},
        {std::string(31, ' ') + "5", false, 0},
        {"-" + std::string(30, '9') + "9", true, INT_MIN},
        {std::string(31, '9') + "abc", true, INT_MAX},
    };
    ExpectCases(cases);
}

TEST(IntegerTextTest, NullTextIsRefused)
{
    int nValue = kUntouched;
    EXPECT_FALSE(ParseDialogInteger(nullptr, nValue));
    EXPECT_EQ(kUntouched, nValue);
}

TEST(IntegerTextTest, VeryLongTextIsReadOnlyToTheLimit)
{
    const std::string strHuge = "8" + std::string(1000000, 'x');
    int nValue = kUntouched;
    EXPECT_FALSE(ParseDialogInteger(strHuge.c_str(), nValue));
    const std::string strPadded = "8" + std::string(30, ' ') + std::string(1000000, 'x');
    EXPECT_TRUE(ParseDialogInteger(strPadded.c_str(), nValue));
    EXPECT_EQ(8, nValue);
}

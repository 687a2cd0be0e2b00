#include "DecimalText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(DecimalTextTest, ConvertsLikeTheCLibraryButSaturates)
{
    const char kHuge[] = "-99999999999999999999999";
    // clang-format off
    const std::pair<const char*, int> kCases[] = {
        {"00012", 12}, {"  +7", 7}, {"\t-13", -13}, {" \n\v\f\r8", 8}, {"5x", 5}, {"x5", 0},
        {"-", 0}, {"+-3", 0}, {"- 3", 0}, {kHuge + 1, INT_MAX}, {kHuge, INT_MIN},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN}, {"-2147483649", INT_MIN}};
    // clang-format on
    for (const auto& [pszText, nExpected] : kCases)
        EXPECT_EQ(DecimalTextToInt(pszText), nExpected) << '"' << pszText << '"';
}

} // namespace

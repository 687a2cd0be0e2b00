// The module we ship must read cleanly within the reader's line limits, so it is checked
// here line by line without going through the reader itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A lone CR stays inside a line, where it fails as unprintable. After the header, each
// separator comes before a quote and its attribution, each within its buffer minus the
// terminator and one spare byte, so that every line end is consumed by its own line's read.
bool IsValidLine(const std::string& strLine, std::size_t nIndex)
{
    const bool bPrintable = std::all_of(strLine.begin(), strLine.end(),
                                        [](unsigned char ch) { return ch >= 0x20 && ch < 0x7F; });
    if (nIndex >= 2 && nIndex % 3 == 2)
        return strLine == "%";
    if (nIndex < 2)
        return bPrintable;
    return bPrintable && !strLine.empty() && strLine[0] != '%' &&
           strLine.size() <= (nIndex % 3 == 0 ? 198u : 48u);
}

TEST(DefaultModuleTest, IsPrintableCrLfTextWithinTheReaderLimits)
{
    std::ifstream in(ADAGIO_MODULES_DIR "/miscellaneous.adg", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string strLine; std::getline(in, strLine); lines.push_back(strLine)) {
        ASSERT_TRUE(!in.eof() && !strLine.empty() && strLine.back() == '\r')
            << "line " << lines.size() + 1 << ": does not end in CR LF";
        strLine.pop_back();
        EXPECT_TRUE(IsValidLine(strLine, lines.size())) << "line " << lines.size() + 1;
    }
    ASSERT_GE(lines.size(), 302u) << "fewer than 100 quotes";
    EXPECT_EQ(lines[0], "Miscellaneous");
    EXPECT_EQ(lines[1], std::to_string((lines.size() - 2) / 3)) << "declared count";
    EXPECT_LE(lines[1].size(), 3u);
    EXPECT_EQ(lines.size() % 3, 2u) << "last quote without attribution";
}

} // namespace

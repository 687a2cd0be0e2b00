// The module we ship must read cleanly with the reader's line limits, so it is checked
// byte by byte here without going through the reader itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const kModulePath = ADAGIO_MODULES_DIR "/miscellaneous.adg";

// The reader's buffer sizes minus the terminator and one spare byte, so that every line end
// is consumed by the read of its own line.
const std::size_t kMaxTitle = 23, kMaxCount = 3, kMaxText = 198, kMaxAttribution = 48;

std::vector<std::string> SplitCrLf(const std::string& strBytes)
{
    std::vector<std::string> lines;
    std::size_t nStart = 0;
    for (std::size_t nEnd; (nEnd = strBytes.find("\r\n", nStart)) != std::string::npos;
         nStart = nEnd + 2)
        lines.push_back(strBytes.substr(nStart, nEnd - nStart));
    if (nStart < strBytes.size())
        lines.push_back(strBytes.substr(nStart));
    return lines;
}

// A quote line must be non-empty, not read as a separator, and fit its buffer.
void ExpectQuoteLine(const std::string& strLine, std::size_t nLineNo, std::size_t nMax)
{
    EXPECT_TRUE(!strLine.empty() && strLine[0] != '%')
        << "line " << nLineNo << ": empty or begins with '%'";
    EXPECT_LE(strLine.size(), nMax) << "line " << nLineNo << ": too long";
}

TEST(DefaultModuleTest, IsPrintableCrLfTextWithinTheReaderLimits)
{
    std::ifstream in(kModulePath, std::ios::binary);
    const std::string strBytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GE(strBytes.size(), 2u) << "cannot read " << kModulePath;
    EXPECT_EQ(strBytes.substr(strBytes.size() - 2), "\r\n") << "last line has no line end";
    const std::vector<std::string> lines = SplitCrLf(strBytes);
    // A lone CR or LF stays inside a line, where it fails as unprintable.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(std::all_of(lines[i].begin(), lines[i].end(),
                                [](unsigned char ch) { return ch >= 0x20 && ch < 0x7F; }))
            << "line " << i + 1 << ": a byte that is not printable ASCII";
    }
    ASSERT_GE(lines.size(), 3u) << "no header in " << kModulePath;
    EXPECT_EQ(lines[0], "Miscellaneous") << "line 1: title";
    EXPECT_LE(lines[0].size(), kMaxTitle) << "line 1: title too long";
    EXPECT_TRUE(!lines[1].empty() && lines[1].find_first_not_of("0123456789") == std::string::npos)
        << "line 2: count '" << lines[1] << "' is not a number";
    EXPECT_LE(lines[1].size(), kMaxCount) << "line 2: count too long";
    EXPECT_EQ(lines[2], "%") << "line 3: header separator";

    std::size_t nQuotes = 0;
    for (std::size_t i = 3; i < lines.size(); i += 2, ++nQuotes) {
        if (nQuotes > 0) {
            EXPECT_EQ(lines[i], "%") << "line " << i + 1 << ": separator expected";
            ++i;
        }
        ASSERT_LT(i + 1, lines.size()) << "line " << i + 1 << ": quote without attribution";
        ExpectQuoteLine(lines[i], i + 1, kMaxText);
        ExpectQuoteLine(lines[i + 1], i + 2, kMaxAttribution);
    }
    EXPECT_EQ(std::to_string(nQuotes), lines[1]) << "line 2: declared count vs quotes present";
    EXPECT_GE(nQuotes, 100u);
}

} // namespace

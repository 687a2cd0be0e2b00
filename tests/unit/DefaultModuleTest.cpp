// The module we ship must read cleanly with the reader's line limits, so it is checked
// byte by byte here without going through the reader itself.
#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char* const kModulePath = ADAGIO_MODULES_DIR "/miscellaneous.adg";

// Limits are the reader's buffer sizes minus the terminator and one spare byte, so that
// every line end is consumed by the read of its own line.
const std::size_t kMaxTitle = 23;
const std::size_t kMaxCount = 3;
const std::size_t kMaxText = 198;
const std::size_t kMaxAttribution = 48;
const std::size_t kMinQuotes = 100;

std::string ReadModule()
{
    std::ifstream in(kModulePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> SplitCrLf(const std::string& strBytes)
{
    std::vector<std::string> lines;
    std::size_t nStart = 0;
    for (std::size_t nEnd = strBytes.find("\r\n"); nEnd != std::string::npos;
         nEnd = strBytes.find("\r\n", nStart)) {
        lines.push_back(strBytes.substr(nStart, nEnd - nStart));
        nStart = nEnd + 2;
    }
    if (nStart < strBytes.size())
        lines.push_back(strBytes.substr(nStart));
    return lines;
}

bool IsAllDigits(const std::string& str)
{
    for (char ch : str) {
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    }
    return !str.empty();
}

// A quote line must be non-empty, not read as a separator, and fit its buffer.
void ExpectQuoteLine(const std::string& strLine, std::size_t nLineNo, const char* szWhat,
                     std::size_t nMax)
{
    EXPECT_FALSE(strLine.empty()) << "line " << nLineNo << ": empty " << szWhat;
    EXPECT_FALSE(!strLine.empty() && strLine[0] == '%')
        << "line " << nLineNo << ": " << szWhat << " begins with '%'";
    EXPECT_LE(strLine.size(), nMax) << "line " << nLineNo << ": " << szWhat << " too long";
}

TEST(DefaultModuleTest, IsPrintableAsciiWithCrLfLineEnds)
{
    const std::string strBytes = ReadModule();
    ASSERT_FALSE(strBytes.empty()) << "cannot read " << kModulePath;

    std::size_t nLineNo = 1;
    for (std::size_t i = 0; i < strBytes.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(strBytes[i]);
        if (ch == '\r') {
            const bool bPaired = i + 1 < strBytes.size() && strBytes[i + 1] == '\n';
            EXPECT_TRUE(bPaired) << "line " << nLineNo << ": CR without LF";
        } else if (ch == '\n') {
            EXPECT_TRUE(i > 0 && strBytes[i - 1] == '\r') << "line " << nLineNo << ": bare LF";
            ++nLineNo;
        } else {
            EXPECT_TRUE(ch >= 0x20 && ch < 0x7F)
                << "line " << nLineNo << ": byte " << static_cast<int>(ch) << " not printable";
        }
    }
    EXPECT_EQ(strBytes.back(), '\n') << "last line has no line end";
}

TEST(DefaultModuleTest, HeaderAndQuotesFitTheReaderLimits)
{
    const std::vector<std::string> lines = SplitCrLf(ReadModule());
    ASSERT_GE(lines.size(), 3u) << "no header in " << kModulePath;

    EXPECT_EQ(lines[0], "Miscellaneous") << "line 1: title";
    EXPECT_LE(lines[0].size(), kMaxTitle) << "line 1: title too long";
    EXPECT_TRUE(IsAllDigits(lines[1])) << "line 2: count '" << lines[1] << "' is not a number";
    ASSERT_LE(lines[1].size(), kMaxCount) << "line 2: count too long";
    EXPECT_EQ(lines[2], "%") << "line 3: header separator";

    std::size_t nQuotes = 0;
    std::size_t i = 3;
    while (i < lines.size()) {
        if (nQuotes > 0) {
            EXPECT_EQ(lines[i], "%") << "line " << i + 1 << ": separator expected";
            ++i;
        }
        ASSERT_LT(i + 1, lines.size()) << "line " << i + 1 << ": quote without attribution";
        ExpectQuoteLine(lines[i], i + 1, "text", kMaxText);
        ExpectQuoteLine(lines[i + 1], i + 2, "attribution", kMaxAttribution);
        i += 2;
        ++nQuotes;
    }

    EXPECT_EQ(std::to_string(nQuotes), lines[1]) << "line 2: declared count vs quotes present";
    EXPECT_GE(nQuotes, kMinQuotes);
}

} // namespace

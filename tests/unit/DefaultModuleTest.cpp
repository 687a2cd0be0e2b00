// The module we ship must read cleanly with the reader's line limits, so it is checked
// byte by byte here without going through the reader itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const kModulePath = ADAGIO_MODULES_DIR "/miscellaneous.adg";

// The buffers minus the terminator and one spare byte, so that every line end is consumed
// by the read of its own line.
const std::size_t kMaxCount = 3, kMaxQuote = 198, kMaxAttribution = 48;

// After title and count, a separator comes before each quote and its attribution, the
// header's own separator standing for the first quote's: a line's place modulo 3 tells
// what it must be.
void ExpectQuoteLine(const std::string& strLine, std::size_t nLineNo)
{
    if (nLineNo % 3 == 0) {
        EXPECT_EQ(strLine, "%") << "line " << nLineNo << ": separator expected";
        return;
    }
    EXPECT_TRUE(!strLine.empty() && strLine[0] != '%')
        << "line " << nLineNo << ": empty or begins with '%'";
    EXPECT_LE(strLine.size(), nLineNo % 3 == 1 ? kMaxQuote : kMaxAttribution)
        << "line " << nLineNo << ": too long";
}

TEST(DefaultModuleTest, IsPrintableCrLfTextWithinTheReaderLimits)
{
    std::ifstream in(kModulePath, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string strLine; std::getline(in, strLine); lines.push_back(strLine)) {
        const std::size_t nLineNo = lines.size() + 1;
        const bool bCrLf = !in.eof() && !strLine.empty() && strLine.back() == '\r';
        ASSERT_TRUE(bCrLf) << "line " << nLineNo << ": does not end in CR LF";
        strLine.pop_back();
        // A lone CR stays inside a line, where it fails as unprintable.
        EXPECT_TRUE(std::all_of(strLine.begin(), strLine.end(),
                                [](unsigned char ch) { return ch >= 0x20 && ch < 0x7F; }))
            << "line " << nLineNo << ": a byte that is not printable ASCII";
        if (nLineNo > 2)
            ExpectQuoteLine(strLine, nLineNo);
    }
    ASSERT_GE(lines.size(), 2u) << "no header in " << kModulePath;
    EXPECT_EQ(lines[0], "Miscellaneous") << "line 1: title";
    EXPECT_LE(lines[1].size(), kMaxCount) << "line 2: count too long";
    EXPECT_EQ(lines.size() % 3, 2u) << "last quote without attribution";
    const std::size_t nQuotes = (lines.size() - 2) / 3;
    EXPECT_EQ(std::to_string(nQuotes), lines[1]) << "line 2: declared count vs quotes present";
    EXPECT_GE(nQuotes, 100u);
}

} // namespace

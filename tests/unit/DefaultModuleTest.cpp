// The module we ship must read cleanly within the reader's line limits, so it is checked
// here quote by quote without going through the reader itself.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

// Printable ASCII with CR LF line ends. After the header, each separator comes before a quote
// and its attribution, neither beginning with "%", each within its buffer minus the
// terminator and one spare byte, so that every line end is consumed by its own line's read.
const std::regex kHeader("Miscellaneous\r\n([0-9]{1,3})\r\n");
const std::regex kQuote("%\r\n[ -$&-~][ -~]{0,197}\r\n[ -$&-~][ -~]{0,47}\r\n");

TEST(DefaultModuleTest, IsPrintableCrLfTextWithinTheReaderLimits)
{
    std::ifstream in(ADAGIO_MODULES_DIR "/miscellaneous.adg", std::ios::binary);
    const std::string strText{std::istreambuf_iterator<char>(in), {}};
    const auto flags = std::regex_constants::match_continuous;
    std::smatch header, quote;
    ASSERT_TRUE(std::regex_search(strText, header, kHeader, flags)) << "header";
    int nQuotes = 0;
    auto it = header[0].second;
    for (; std::regex_search(it, strText.cend(), quote, kQuote, flags); it = quote[0].second)
        ++nQuotes;
    EXPECT_TRUE(it == strText.cend())
        << "quote " << nQuotes + 1 << " at byte " << (it - strText.cbegin());
    EXPECT_EQ(header[1].str(), std::to_string(nQuotes)) << "declared count";
    EXPECT_GE(nQuotes, 100);
}

} // namespace

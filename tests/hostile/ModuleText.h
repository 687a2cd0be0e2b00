// Quote modules built by the tests: well-formed ones to start from, and raw bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SQuoteLines {
    std::string strText;
    std::string strAuthor;
};

// Title, declared number, header separator, then the quotes with a separator between
// each two; CR LF line ends, as an editor on Windows saves them.
std::string ModuleText(const std::string& strTitle, int nDeclared,
                       const std::vector<SQuoteLines>& quotes);

// "Quote i~continued." by "Author i", each a little longer than the one before.
std::vector<SQuoteLines> NumberedQuotes(int nCount);

// The same bytes for the same seed on every platform and compiler.
std::string RandomBytes(unsigned nSeed, std::size_t nSize);

// Letters and digits in a repeating run that has no line end and no "~", so a cut shows
// exactly where it was made.
std::string PatternLine(std::size_t nSize);

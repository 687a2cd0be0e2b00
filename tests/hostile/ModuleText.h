// Quote modules built by the tests, and what the quote window shows for one, worked out
// from the file format alone: the test's own reading, independent of the program's reader.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <tuple>
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
// Letters and digits with no line end and no "~", so a cut shows exactly where it was made.
std::string PatternLine(std::size_t nSize);

struct SDisplay {
    std::string strText;
    std::string strAuthor;
};

inline bool operator==(const SDisplay& left, const SDisplay& right)
{
    return std::tie(left.strText, left.strAuthor) == std::tie(right.strText, right.strAuthor);
}

void PrintTo(const SDisplay& display, std::ostream* pStream);

extern const SDisplay kInvalidModuleDisplay;
extern const SDisplay kEmptyDisplay;

// The two fields for quote nIndex (0 or more) of a module with these bytes: each "~" a
// CR LF, everything from a NUL byte on unseen.
SDisplay DisplayOf(const std::string& strModule, int nIndex);

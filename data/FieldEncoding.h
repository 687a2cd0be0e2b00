// How the window shows the bytes of a module's field: as UTF-8, or in the ANSI code page as
// modules always were.
#pragma once

#include "LegacyCodePage.h"

#include <cstddef>
#include <string>

constexpr unsigned kCodePageUtf8 = 65001;

struct SFieldEncoding {
    bool bUtf8;
    std::size_t nShown;   // the bytes shown: all of them, less a character the limit cut
    std::size_t nInvalid; // where the bytes stop being UTF-8; the length when they never do
};

// Valid UTF-8 holding at least one multi-byte character shows as UTF-8, anything else in the
// ANSI code page. bFilled: the bytes fill their buffer, so the limit, not the file, ended them
// and a character begun at their end is cut rather than invalid.
SFieldEncoding DecideFieldEncoding(const char* pBytes, std::size_t nLength, bool bFilled);
// The same, with the legacy code page: a field in it does not show a lead byte that the limit
// cut off from the rest of its character.
SFieldEncoding DecideFieldEncoding(const char* pBytes, std::size_t nLength, bool bFilled,
                                   const CLegacyCodePage& codePage);

// A field read into a buffer of nSize bytes, as the window gets it: the limit's cut
// character is dropped. Returns the code page the field shows in: kCodePageUtf8 or the legacy
// one's number.
unsigned DropCutCharacter(char* pszField, std::size_t nSize, const CLegacyCodePage& codePage);
template <std::size_t N>
unsigned DropCutCharacter(char (&szField)[N], const CLegacyCodePage& codePage)
{
    return DropCutCharacter(szField, N, codePage);
}

// Bytes as the window shows them, and the code page they are in.
struct SShownText {
    std::string strBytes;
    unsigned nCodePage;
};

// The title as the caption and the options dialog show it: an editor's UTF-8 byte-order mark
// before it is no part of it.
SShownText ShownTitle(const char* pszTitle, std::size_t nSize, const CLegacyCodePage& codePage);

// A quote's text as the window shows it: each "~" that is a character of its own is a line
// break, CR LF. In a double-byte code page a "~" can be the second byte of a character, and
// stays that character. A text in UTF-8 comes with a code page without lead bytes.
std::string BreakQuoteLines(const char* pszText, const CLegacyCodePage& textCodePage);

constexpr char kszByteOrderMark[] = "\xEF\xBB\xBF";

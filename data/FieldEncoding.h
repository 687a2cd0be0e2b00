// How the window shows the bytes of a module's field: as UTF-8, or in the ANSI code page as
// modules always were.
#pragma once

#include <cstddef>
#include <string>

struct SFieldEncoding {
    bool bUtf8;
    std::size_t nShown;   // the bytes shown: all of them, less a character the limit cut
    std::size_t nInvalid; // where the bytes stop being UTF-8; the length when they never do
};

// Valid UTF-8 holding at least one multi-byte character shows as UTF-8, anything else in the
// ANSI code page. bFilled: the bytes fill their buffer, so the limit, not the file, ended them
// and a character begun at their end is cut rather than invalid.
SFieldEncoding DecideFieldEncoding(const char* pBytes, std::size_t nLength, bool bFilled);

// A field read into a buffer of nSize bytes, as the window gets it: the limit's cut
// character is dropped.
void DropCutCharacter(char* pszField, std::size_t nSize);
template <std::size_t N> void DropCutCharacter(char (&szField)[N])
{
    DropCutCharacter(szField, N);
}

// The title as the caption and the options dialog show it: an editor's UTF-8 byte-order mark
// before it is no part of it.
std::string ShownTitle(const char* pszTitle, std::size_t nSize);

constexpr char kszByteOrderMark[] = "\xEF\xBB\xBF";

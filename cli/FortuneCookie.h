// One fortune cookie made into a quote of a module, or the reason it cannot be one.
#pragma once

#include "FortuneFile.h"

#include <cstddef>
#include <string>

class CCodePage;

// A cookie is counted under the first reason its checks find; the summary lists them so.
enum class ESkipReason {
    None,
    TextTooLong,
    Tilde,
    BadUtf8,
    Control,
    Unmapped,
    ReadsAsUtf8,
    Empty,
    AuthorTooLong,
    PercentAuthor,
    OverMax,
    Count
};

struct SQuote {
    std::string m_strText; // in the module's encoding, "~" between its lines
    std::string m_strAuthor;
};

// The longest lines the quote window reads whole and still stays in step.
constexpr std::size_t kMaxTextBytes = 198;
constexpr std::size_t kMaxAuthorBytes = 48;

// A module is written in UTF-8, which the program shows as it is, or for versions before it in
// a legacy code page: pCodePage, nullptr for UTF-8.
ESkipReason ConvertCookie(const SFortuneCookie& cookie, const CCodePage* pCodePage, SQuote& quote);

// Printable UTF-8 in the module's encoding: None, Unmapped for a character the code page lacks,
// or ReadsAsUtf8 for bytes there that the program would take for UTF-8 and show so.
ESkipReason ToModuleEncoding(const std::string& strUtf8, const CCodePage* pCodePage,
                             std::string& strText);

// How the reason reads after a number in the summary, as in "3 empty".
const char* SkipReasonText(ESkipReason reason);

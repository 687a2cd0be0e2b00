// One fortune cookie made into a quote of a module, or the reason it cannot be one.
#pragma once

#include "FortuneFile.h"

#include <cstddef>
#include <string>

// A cookie is counted under the first reason its checks find; the summary lists them so.
enum class ESkipReason {
    None,
    TextTooLong,
    Tilde,
    BadUtf8,
    Unprintable,
    Control,
    Empty,
    AuthorTooLong,
    PercentAuthor,
    OverMax,
    Count
};

// What a module is written in: UTF-8, which the program shows as it is, or Windows-1252, the
// only text versions before it show right.
enum class EModuleEncoding { Utf8, Cp1252 };

struct SQuote {
    std::string m_strText; // in the module's encoding, "~" between its lines
    std::string m_strAuthor;
};

// The longest lines the quote window reads whole and still stays in step.
constexpr std::size_t kMaxTextBytes = 198;
constexpr std::size_t kMaxAuthorBytes = 48;

ESkipReason ConvertCookie(const SFortuneCookie& cookie, EModuleEncoding eEncoding, SQuote& quote);

// How the reason reads after a number in the summary, as in "3 empty".
const char* SkipReasonText(ESkipReason reason);

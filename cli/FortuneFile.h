// The cookies of a fortune file: runs of lines between lines that hold just "%".
#pragma once

#include "LineReader.h"

#include <cstddef>
#include <string>

struct SFortuneCookie {
    std::string m_strRaw;    // its lines as read, each ended by '\n'
    bool m_bTooLong = false; // the cookie outgrew kMaxCookieBytes; the rest was not kept
};

class CFortuneFile {
public:
    explicit CFortuneFile(CLineReader& reader) : m_reader(reader) {}

    // False when no cookie is left. Runs of blank lines between separators are no cookies.
    bool ReadCookie(SFortuneCookie& cookie);

    // Far more than any quote can take, so a cookie cut here could never have been written.
    static constexpr std::size_t kMaxCookieBytes = 4096;

private:
    bool ReadLine(SFortuneCookie& cookie, bool& bSeparator);

    CLineReader& m_reader;
};

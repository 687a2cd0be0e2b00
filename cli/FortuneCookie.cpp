#include "FortuneCookie.h"

#include "CodePage.h"
#include "FieldEncoding.h"
#include "Utf8Text.h"

#include <vector>

namespace {

struct SCookieLine {
    std::string m_strText;
    bool m_bIndented;
};

const char kAuthorMark[] = "-- ";
constexpr std::size_t kAuthorMarkLength = sizeof kAuthorMark - 1;

std::string TrimSpaces(const std::string& str)
{
    const std::size_t nFirst = str.find_first_not_of(' ');
    if (nFirst == std::string::npos)
        return std::string();
    return str.substr(nFirst, str.find_last_not_of(' ') - nFirst + 1);
}

// Overstrikes and tabs only shaped the line on a terminal; the quote field is centred. A
// backspace takes back a whole character.
std::string CleanLine(const std::string& strRaw)
{
    std::string str;
    for (const char ch : strRaw) {
        if (ch != '\b')
            str += ch == '\t' ? ' ' : ch;
        else
            PopUtf8Character(str);
    }
    return TrimSpaces(str);
}

std::vector<SCookieLine> SplitLines(const std::string& str)
{
    std::vector<SCookieLine> lines;
    std::size_t nStart = 0;
    while (nStart < str.size()) {
        std::size_t nEnd = str.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = str.size();
        const std::string strRaw = str.substr(nStart, nEnd - nStart);
        const bool bIndented = !strRaw.empty() && (strRaw[0] == ' ' || strRaw[0] == '\t');
        lines.push_back({CleanLine(strRaw), bIndented});
        nStart = nEnd + 1;
    }
    return lines;
}

bool IsAuthorLine(const SCookieLine& line)
{
    return line.m_strText.compare(0, kAuthorMarkLength, kAuthorMark) == 0;
}

// The last "-- " line starts the attribution only when every line after it is indented and
// not blank; otherwise it is just text. Returns lines.size() for no attribution.
std::size_t FindAuthor(const std::vector<SCookieLine>& lines)
{
    std::size_t nLine = lines.size();
    while (nLine > 0 && !IsAuthorLine(lines[nLine - 1]))
        --nLine;
    if (nLine == 0)
        return lines.size();
    for (std::size_t i = nLine; i < lines.size(); ++i) {
        if (!lines[i].m_bIndented || lines[i].m_strText.empty())
            return lines.size();
    }
    return nLine - 1;
}

std::string JoinText(const std::vector<SCookieLine>& lines, std::size_t nEnd)
{
    std::size_t nBegin = 0;
    while (nBegin < nEnd && lines[nBegin].m_strText.empty())
        ++nBegin;
    while (nEnd > nBegin && lines[nEnd - 1].m_strText.empty())
        --nEnd;
    std::string strText;
    for (std::size_t i = nBegin; i < nEnd; ++i) {
        if (i > nBegin)
            strText += '~';
        strText += lines[i].m_strText;
    }
    return strText;
}

std::string JoinAuthor(const std::vector<SCookieLine>& lines, std::size_t nBegin)
{
    if (nBegin == lines.size())
        return std::string();
    std::string strAuthor = TrimSpaces(lines[nBegin].m_strText.substr(kAuthorMarkLength));
    for (std::size_t i = nBegin + 1; i < lines.size(); ++i)
        strAuthor += ' ' + lines[i].m_strText;
    return strAuthor;
}

// The quote in UTF-8 and then in the module's encoding, where its limits count.
ESkipReason CheckQuote(SQuote& quote, const CCodePage* pCodePage)
{
    if (!IsPrintableUtf8(quote.m_strText) || !IsPrintableUtf8(quote.m_strAuthor))
        return ESkipReason::Control;
    for (std::string* pField : {&quote.m_strText, &quote.m_strAuthor}) {
        const ESkipReason encoded = ToModuleEncoding(*pField, pCodePage, *pField);
        if (encoded != ESkipReason::None)
            return encoded;
    }
    if (quote.m_strText.empty())
        return ESkipReason::Empty;
    if (quote.m_strText.size() > kMaxTextBytes)
        return ESkipReason::TextTooLong;
    if (quote.m_strAuthor.size() > kMaxAuthorBytes)
        return ESkipReason::AuthorTooLong;
    // The quote window shows a leading "%" of an attribution as a space.
    if (!quote.m_strAuthor.empty() && quote.m_strAuthor[0] == '%')
        return ESkipReason::PercentAuthor;
    return ESkipReason::None;
}

} // namespace

ESkipReason ToModuleEncoding(const std::string& strUtf8, const CCodePage* pCodePage,
                             std::string& strText)
{
    if (pCodePage == nullptr) {
        strText = strUtf8;
        return ESkipReason::None;
    }
    std::string strBytes;
    if (!pCodePage->FromUtf8(strUtf8, strBytes))
        return ESkipReason::Unmapped;
    if (DecideFieldEncoding(strBytes.data(), strBytes.size(), false).bUtf8)
        return ESkipReason::ReadsAsUtf8;
    strText = std::move(strBytes);
    return ESkipReason::None;
}

ESkipReason ConvertCookie(const SFortuneCookie& cookie, const CCodePage* pCodePage, SQuote& quote)
{
    quote = SQuote();
    if (cookie.m_bTooLong)
        return ESkipReason::TextTooLong;
    // The quote window would break the line at a "~".
    if (cookie.m_strRaw.find('~') != std::string::npos)
        return ESkipReason::Tilde;
    if (!IsValidUtf8(cookie.m_strRaw))
        return ESkipReason::BadUtf8;
    std::vector<SCookieLine> lines = SplitLines(cookie.m_strRaw);
    // Blank lines at the end would otherwise keep the attribution above them from counting.
    while (!lines.empty() && lines.back().m_strText.empty())
        lines.pop_back();
    const std::size_t nAuthor = FindAuthor(lines);
    SQuote candidate = {JoinText(lines, nAuthor), JoinAuthor(lines, nAuthor)};
    const ESkipReason reason = CheckQuote(candidate, pCodePage);
    if (reason == ESkipReason::None)
        quote = std::move(candidate);
    return reason;
}

const char* SkipReasonText(ESkipReason reason)
{
    switch (reason) {
    case ESkipReason::TextTooLong:
        return "text too long";
    case ESkipReason::Tilde:
        return "with a \"~\"";
    case ESkipReason::BadUtf8:
        return "invalid UTF-8";
    case ESkipReason::Control:
        return "with control characters";
    case ESkipReason::Unmapped:
        return "with characters the code page lacks";
    case ESkipReason::ReadsAsUtf8:
        return "that would show as UTF-8";
    case ESkipReason::Empty:
        return "empty";
    case ESkipReason::AuthorTooLong:
        return "attribution too long";
    case ESkipReason::PercentAuthor:
        return "attribution starting with \"%\"";
    case ESkipReason::OverMax:
        return "beyond --max";
    default:
        return "";
    }
}

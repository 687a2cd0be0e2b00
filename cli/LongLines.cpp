#include "LongLines.h"

#include "FieldEncoding.h"
#include "QuoteState.h"

#include <algorithm>

namespace {

bool IsAllDigits(const std::string& strText)
{
    return std::all_of(strText.begin(), strText.end(),
                       [](char ch) { return ch >= '0' && ch <= '9'; });
}

std::uint64_t Utf8Characters(const std::string& strText)
{
    return static_cast<std::uint64_t>(std::count_if(strText.begin(), strText.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

} // namespace

void CLongLines::Take(const SFieldRead& read)
{
    if (!m_first) {
        if (read.bFull) {
            m_first = read;
            m_bUtf8 = DecideFieldEncoding(read.strText.data(), read.strText.size(), true).bUtf8;
        }
        m_nLength = read.strText.size();
        m_nCharacters = Utf8Characters(read.strText);
        return;
    }
    if (!read.bMissing) {
        m_nLength += read.strText.size();
        m_nCharacters += Utf8Characters(read.strText);
        if (!m_second)
            m_second = read;
        if (read.bFull)
            return;
    }
    Close();
}

void CLongLines::Finish(CFieldReader& reader)
{
    while (m_first) {
        const SFieldRead read = reader.Read(sizeof CQuoteState::m_szQuote);
        m_nLength += read.strText.size();
        m_nCharacters += Utf8Characters(read.strText);
        if (!read.bFull)
            Close();
    }
}

void CLongLines::Close()
{
    const SFieldRead& first = *m_first;
    const std::size_t nLimit = first.nSize - 2;
    // Limits count bytes, which are characters unless the line is UTF-8.
    const char* pszUnit = m_bUtf8 ? " bytes" : " characters";
    std::string strLength = std::to_string(m_nLength) + pszUnit;
    if (m_bUtf8 && m_nCharacters != m_nLength)
        strLength += " (" + std::to_string(m_nCharacters) + " characters)";
    std::string strMessage = first.Name() + " is " + strLength + " long, over the limit of " +
                             std::to_string(nLimit) + (m_bUtf8 ? pszUnit : "");
    if (first.eField == EField::Count && IsAllDigits(first.strText))
        strMessage = "the number of quotes must be 0 to 999, at most 3 digits";
    const std::string strNext = m_second ? m_second->Name() : "the next field";
    if (m_nLength == first.nSize - 1)
        strMessage +=
            ": it is read whole, but its line end is read as " + strNext + ", which is then empty";
    else
        strMessage += ": only its first " + std::to_string(first.nSize - 1) + pszUnit +
                      " are read (room for " + std::to_string(nLimit) +
                      " and a line end), and the rest is read as " + strNext;
    m_diagnostics.Add(first.nLine, first.nColumn + 1, ESeverity::Error, strMessage);
    m_first.reset();
    m_second.reset();
}

#include "LongLines.h"

#include "CodePage.h"
#include "FieldEncoding.h"
#include "QuoteState.h"

#include <algorithm>

namespace {

bool IsAllDigits(const std::string& strText)
{
    return std::all_of(strText.begin(), strText.end(),
                       [](char ch) { return ch >= '0' && ch <= '9'; });
}

} // namespace

// In UTF-8 every byte but a continuation byte begins a character; in a double-byte code page
// every byte but the second of a character.
void CLongLines::Add(const std::string& strText)
{
    m_nLength += strText.size();
    for (const char ch : strText) {
        const auto uch = static_cast<unsigned char>(ch);
        const bool bSecond = m_bUtf8 ? (uch & 0xC0) == 0x80 : m_bTrailNext;
        m_bTrailNext = !m_bUtf8 && !bSecond && m_codePage.IsLeadByte(uch);
        m_nCharacters += bSecond ? 0 : 1;
    }
}

void CLongLines::Take(const SFieldRead& read)
{
    if (!m_first) {
        if (read.bFull) {
            m_first = read;
            m_bUtf8 = DecideFieldEncoding(read.strText.data(), read.strText.size(), true).bUtf8;
            m_nLength = m_nCharacters = 0;
            m_bTrailNext = false;
            Add(read.strText);
        }
        return;
    }
    if (!read.bMissing) {
        Add(read.strText);
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
        Add(read.strText);
        if (!read.bFull)
            Close();
    }
}

void CLongLines::Close()
{
    const SFieldRead& first = *m_first;
    const std::size_t nLimit = first.nSize - 2;
    // Limits count bytes, which are characters unless the line has characters of several.
    const bool bBytes = m_bUtf8 || m_nCharacters != m_nLength;
    const char* pszUnit = bBytes ? " bytes" : " characters";
    std::string strLength = std::to_string(m_nLength) + pszUnit;
    if (m_nCharacters != m_nLength)
        strLength += " (" + std::to_string(m_nCharacters) + " characters)";
    std::string strMessage = first.Name() + " is " + strLength + " long, over the limit of " +
                             std::to_string(nLimit) + (bBytes ? pszUnit : "");
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

#include "LongLines.h"

#include "QuoteState.h"

#include <algorithm>

namespace {

bool IsAllDigits(const std::string& strText)
{
    return std::all_of(strText.begin(), strText.end(),
                       [](char ch) { return ch >= '0' && ch <= '9'; });
}

} // namespace

void CLongLines::Take(const SFieldRead& read)
{
    if (!m_first) {
        if (read.bFull)
            m_first = read;
        m_nLength = read.strText.size();
        return;
    }
    if (!read.bMissing) {
        m_nLength += read.strText.size();
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
        if (!read.bFull)
            Close();
    }
}

void CLongLines::Close()
{
    const SFieldRead& first = *m_first;
    const std::size_t nLimit = first.nSize - 2;
    std::string strMessage = first.Name() + " is " + std::to_string(m_nLength) +
                             " characters long, over the limit of " + std::to_string(nLimit);
    if (first.eField == EField::Count && IsAllDigits(first.strText))
        strMessage = "the number of quotes must be 0 to 999, at most 3 digits";
    const std::string strNext = m_second ? m_second->Name() : "the next field";
    if (m_nLength == first.nSize - 1)
        strMessage +=
            ": it is read whole, but its line end is read as " + strNext + ", which is then empty";
    else
        strMessage += ": only its first " + std::to_string(first.nSize - 1) +
                      " characters are read, and the rest is read as " + strNext;
    m_diagnostics.Add(first.nLine, first.nColumn + 1, ESeverity::Error, strMessage);
    m_first.reset();
    m_second.reset();
}

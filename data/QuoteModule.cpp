#include "DecimalText.h"
#include "FieldEncoding.h"
#include "LineFile.h"
#include "QuoteSelection.h"
#include "QuoteState.h"
#include "QuoteView.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

bool IsSeparator(const char* pszLine)
{
    return pszLine[0] == '%';
}

// Title, count and separator; false when the count or the separator is not there.
bool ReadHeader(CQuoteState& state, CLineReader& reader)
{
    reader.ReadBoundedLine(state.m_szTitle);
    reader.ReadBoundedLine(state.m_szCount);
    reader.ReadBoundedLine(state.m_szQuote);
    const char chCount = state.m_szCount[0];
    return chCount >= '0' && chCount <= '9' && IsSeparator(state.m_szQuote);
}

void ReadOneQuote(CQuoteState& state, CLineReader& reader)
{
    reader.ReadBoundedLine(state.m_szQuote);
    if (IsSeparator(state.m_szQuote))
        reader.ReadBoundedLine(state.m_szQuote);
    reader.ReadBoundedLine(state.m_szAuthor);
    if (IsSeparator(state.m_szAuthor))
        state.m_szAuthor[0] = ' ';
}

const std::size_t kQuoteSize = sizeof CQuoteState::m_szQuote;
const std::size_t kAuthorSize = sizeof CQuoteState::m_szAuthor;

// A quote passed over as it would be read: a separator line, which may be left out, the
// text and the attribution.
void SkipOneQuote(CLineReader& reader)
{
    if (reader.SkipBoundedLine(kQuoteSize) == '%')
        reader.SkipBoundedLine(kQuoteSize);
    reader.SkipBoundedLine(kAuthorSize);
}

// Passes over whole quotes as long as the reader has found their line ends and every line is
// whole within its limit, which is nearly always; returns how many. A separator line must
// begin with "%", so it is never an empty one, whose first byte is its line end.
int PassFoundQuotes(CLineReader& reader, int nQuotes)
{
    const CLineReader::SFoundLines found = reader.FoundLines();
    std::size_t nLine = 0;
    std::size_t nStart = found.nPos;
    const auto passLine = [&](std::size_t nSize) {
        if (nLine == found.nCount || found.pEnds[nLine] - nStart + 1 >= nSize)
            return false;
        nStart = found.pEnds[nLine++] + std::size_t{1};
        return true;
    };
    int nPassed = 0;
    while (nPassed < nQuotes && nLine < found.nCount) {
        const std::size_t nQuoteLine = nLine;
        const std::size_t nQuoteStart = nStart;
        const bool bSeparator = found.pBytes[nStart] == '%';
        if (!((!bSeparator || passLine(kQuoteSize)) && passLine(kQuoteSize) &&
              passLine(kAuthorSize))) {
            nLine = nQuoteLine;
            nStart = nQuoteStart;
            break;
        }
        ++nPassed;
    }
    reader.PassLines(nLine);
    return nPassed;
}

// The quotes before the chosen one are only passed over. Past the end of the file every read
// is empty, so the rest of the walk is known there.
void SkipQuotes(CLineReader& reader, int nQuotes)
{
    while (nQuotes > 0 && !reader.IsAtEnd()) {
        const int nPassed = PassFoundQuotes(reader, nQuotes);
        nQuotes -= nPassed;
        if (nPassed == 0) {
            SkipOneQuote(reader);
            --nQuotes;
        }
    }
}

void WalkToCurrentQuote(CQuoteState& state, CLineReader& reader)
{
    SkipQuotes(reader, state.m_nCurrentQuote);
    ReadOneQuote(state, reader);
}

// Cut to the quote buffer like any field; the display then drops a character the cut split.
void ShowInvalidModule(CQuoteState& state)
{
    const std::string& strMessage = state.m_strInvalidModule;
    const std::size_t nLength = std::min(strMessage.size(), sizeof state.m_szQuote - 1);
    std::memcpy(state.m_szQuote, strMessage.data(), nLength);
    state.m_szQuote[nLength] = '\0';
    state.m_szAuthor[0] = '\0';
}

void ReadModule(CQuoteState& state, CLineReader& reader)
{
    if (!ReadHeader(state, reader)) {
        ShowInvalidModule(state);
        return;
    }
    state.m_nQuoteCount = DecimalTextToInt(state.m_szCount);
    SelectQuote(state);
    if (state.m_nCurrentQuote >= 0)
        WalkToCurrentQuote(state, reader);
}

} // namespace

void CQuoteState::ShowQuoteText(IQuoteView& view)
{
    CLineFile module(FileInWorkDir(m_strModulePath), ELineMode::Text);
    if (module.IsOpen())
        ReadModule(*this, module.Reader());
    else
        SetDefaults(view);
    const unsigned nTextCodePage = DropCutCharacter(m_szQuote, m_codePage);
    const unsigned nAuthorCodePage = DropCutCharacter(m_szAuthor, m_codePage);
    m_strQuoteText = BreakQuoteLines(
        m_szQuote, nTextCodePage == kCodePageUtf8 ? CLegacyCodePage(kCodePageUtf8) : m_codePage);
    view.SetQuoteFields({m_strQuoteText, nTextCodePage}, {m_szAuthor, nAuthorCodePage});
    m_bHoldQuote = true;
    m_bFirstShow = false;
}

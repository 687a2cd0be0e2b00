#include "ModuleCheck.h"

#include "Counted.h"
#include "DecimalText.h"
#include "FieldRead.h"
#include "LongLines.h"
#include "ModuleBytes.h"
#include "ModuleEncoding.h"
#include "QuoteState.h"
#include "SystemFile.h"

#include <algorithm>

namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Letters or digits after a "%" mean words, not a decorated separator.
bool HasWords(const std::string& strText)
{
    return std::any_of(strText.begin(), strText.end(), [](char ch) {
        const auto uch = static_cast<unsigned char>(ch);
        const unsigned nLower = uch | 0x20u;
        return IsDigit(ch) || (nLower >= 'a' && nLower <= 'z') || uch >= 0xC0;
    });
}

// A whole line read as nothing, not the end of a long line.
bool IsBlank(const SFieldRead& read)
{
    return read.strText.empty() && read.nColumn == 0 && !read.bMissing;
}

class CModuleWalk {
public:
    CModuleWalk(IByteSource& source, const CCodePage& codePage, SModuleCheck& check)
        : m_reader(source), m_longLines(check.diagnostics, codePage),
          m_encoding(check.diagnostics, codePage), m_check(check)
    {
    }

    bool IsReadable() const { return m_reader.IsReadable(); }
    void Walk();

private:
    SFieldRead Next(std::size_t nSize, EField eField, std::int64_t nQuote = 0);
    bool ReadHeader();
    void CheckCountText(const SFieldRead& count);
    bool ReadQuote(std::int64_t nQuote);
    void CheckDeclared();
    void Add(const SFieldRead& read, ESeverity eSeverity, const std::string& strMessage);
    void NoteShift(std::uint64_t nLine);
    void CheckBlanks(const SFieldRead& text, const SFieldRead& attribution);

    CFieldReader m_reader;
    CLongLines m_longLines;
    CModuleEncoding m_encoding;
    SModuleCheck& m_check;
    std::uint64_t m_nCountLine = 0;
    std::uint64_t m_nFirstShift = 0; // the line of the first problem that puts reads out of step
    std::uint64_t m_nBlankAttribution = 0;
};

// A quote's first line is its separator only when it begins with "%".
SFieldRead CModuleWalk::Next(std::size_t nSize, EField eField, std::int64_t nQuote)
{
    SFieldRead read = m_reader.Read(nSize);
    read.eField = eField == EField::Separator && read.First() != '%' ? EField::Text : eField;
    read.nQuote = nQuote;
    if (read.bFull)
        NoteShift(read.nLine);
    m_longLines.Take(read);
    const bool bShown =
        eField == EField::Title || read.eField == EField::Text || eField == EField::Attribution;
    if (bShown && !read.bMissing)
        m_encoding.Take(read);
    return read;
}

void CModuleWalk::Add(const SFieldRead& read, ESeverity eSeverity, const std::string& strMessage)
{
    m_check.diagnostics.Add(read.nLine, read.nColumn + 1, eSeverity, strMessage);
}

void CModuleWalk::NoteShift(std::uint64_t nLine)
{
    if (m_nFirstShift == 0 || nLine < m_nFirstShift)
        m_nFirstShift = nLine;
}

void CModuleWalk::CheckBlanks(const SFieldRead& text, const SFieldRead& attribution)
{
    const std::string strBlank = "a blank line is read as ";
    if (IsBlank(text)) {
        Add(text, ESeverity::Error,
            strBlank + text.Name() +
                ": the quote shows empty, and the next line is read as its attribution");
        NoteShift(text.nLine);
    }
    if (IsBlank(attribution)) {
        Add(attribution, ESeverity::Error,
            strBlank + attribution.Name() +
                ": for a quote without attribution, write \"%\" on this line");
        m_nBlankAttribution = attribution.nLine;
    }
}

void CModuleWalk::Walk()
{
    if (ReadHeader()) {
        std::int64_t nQuote = 1;
        while (ReadQuote(nQuote))
            ++nQuote;
        CheckDeclared();
    }
    m_longLines.Finish(m_reader);
    m_encoding.Finish();
    m_check.strEncoding = m_encoding.Name();
}

bool CModuleWalk::ReadHeader()
{
    if (Next(sizeof CQuoteState::m_szTitle, EField::Title).bMissing) {
        m_check.diagnostics.Add(0, 0, ESeverity::Error,
                                "the module will not load: the file is empty");
        return false;
    }
    const SFieldRead count = Next(sizeof CQuoteState::m_szCount, EField::Count);
    const SFieldRead separator = Next(sizeof CQuoteState::m_szQuote, EField::HeaderSeparator);
    const char* pszWillNotLoad = "the module will not load: ";
    if (!IsDigit(count.First())) {
        Add(count, ESeverity::Error,
            pszWillNotLoad + count.Name() + " must begin with a digit, but it is read as " +
                count.Quoted());
        return false;
    }
    if (separator.First() != '%') {
        Add(separator, ESeverity::Error,
            pszWillNotLoad + separator.Name() + " must begin with \"%\", but it is read as " +
                separator.Quoted());
        return false;
    }
    m_nCountLine = count.nLine;
    m_check.bLoads = true;
    m_check.nDeclared = DecimalTextToInt(count.strText.c_str());
    CheckCountText(count);
    return true;
}

void CModuleWalk::CheckCountText(const SFieldRead& count)
{
    const std::string& strText = count.strText;
    if (count.bFull || count.nColumn != 0 || std::all_of(strText.begin(), strText.end(), IsDigit))
        return;
    Add(count, ESeverity::Warning,
        "\"" + strText + "\" is read as the number " + std::to_string(m_check.nDeclared) +
            ": the text after the digits is ignored");
}

// False once the file has ended before a quote's text.
bool CModuleWalk::ReadQuote(std::int64_t nQuote)
{
    SFieldRead text = Next(sizeof CQuoteState::m_szQuote, EField::Separator, nQuote);
    // Followed by a "%" line, a blank attribution most likely stands for none and shifts nothing.
    if (m_nBlankAttribution != 0 && text.eField != EField::Separator && !text.strText.empty())
        NoteShift(m_nBlankAttribution);
    m_nBlankAttribution = 0;
    if (text.eField == EField::Separator) {
        if (text.nColumn == 0 && HasWords(text.strText))
            Add(text, ESeverity::Warning,
                "this line begins with \"%\", so it is passed over as " + text.Name() +
                    ": its text is never shown");
        text = Next(sizeof CQuoteState::m_szQuote, EField::Text, nQuote);
        if (text.First() == '%' && text.nColumn == 0 && !HasWords(text.strText)) {
            Add(text, ESeverity::Error,
                "two \"%\" lines in a row: the second is read as " + text.Name());
            NoteShift(text.nLine);
        }
    }
    if (text.bMissing)
        return false;
    const SFieldRead attribution =
        Next(sizeof CQuoteState::m_szAuthor, EField::Attribution, nQuote);
    if (IsBlank(text) && attribution.bMissing) {
        Add(text, ESeverity::Warning, "a blank line at the end of the file");
        return false;
    }
    CheckBlanks(text, attribution);
    ++m_check.nPresent;
    return !attribution.bMissing;
}

std::string QuoteRange(std::int64_t nFirst, std::int64_t nLast, const char* pszOne,
                       const char* pszMany)
{
    if (nFirst == nLast)
        return "quote " + std::to_string(nFirst) + " " + pszOne;
    const char* pszJoin = nLast == nFirst + 1 ? " and " : " to ";
    return "quotes " + std::to_string(nFirst) + pszJoin + std::to_string(nLast) + " " + pszMany;
}

void CModuleWalk::CheckDeclared()
{
    const std::int64_t nDeclared = m_check.nDeclared;
    const std::int64_t nPresent = m_check.nPresent;
    std::string strMessage;
    if (nPresent == 0)
        strMessage = "the module has no quotes: the window shows two empty fields";
    else if (nDeclared > nPresent)
        strMessage = QuoteRange(nPresent + 1, nDeclared, "shows", "show") + " two empty fields";
    else if (nDeclared == 0)
        strMessage = "only quote 1 is shown";
    else if (nDeclared < nPresent)
        strMessage = QuoteRange(nDeclared + 1, nPresent, "is", "are") + " never shown";
    else
        return;
    if (nPresent != 0)
        strMessage = "the module declares " +
                     Counted(static_cast<std::uint64_t>(nDeclared), "quote") + ", but " +
                     std::to_string(nPresent) + (nPresent == 1 ? " is" : " are") +
                     " present: " + strMessage;
    if (m_nFirstShift != 0)
        strMessage += ", likely because line " + std::to_string(m_nFirstShift) +
                      " shifts every read after it";
    m_check.diagnostics.Add(m_nCountLine, 1, ESeverity::Error, strMessage);
}

} // namespace

SModuleCheck CheckModule(const std::string& strPath, const CCodePage& codePage)
{
    // Named as a command line names it: in the process's ANSI code page, unless it reads as UTF-8.
    const SFileName name = {std::string(), strPath, CLegacyCodePage(CLegacyCodePage::kProcessAnsi)};
    CInputFile bytes(name);
    CInputFile lines(name);
    return CheckModule(bytes, lines, codePage);
}

SModuleCheck CheckModule(IByteSource& bytes, IByteSource& lines, const CCodePage& codePage)
{
    SModuleCheck check;
    CModuleWalk walk(lines, codePage, check);
    if (!walk.IsReadable() || !ScanModuleBytes(bytes, codePage, check.diagnostics)) {
        check.diagnostics = CDiagnostics();
        return check;
    }
    check.bReadable = true;
    walk.Walk();
    return check;
}

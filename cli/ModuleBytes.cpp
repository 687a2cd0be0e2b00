#include "ModuleBytes.h"

#include "CodePage.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

const unsigned char kCtrlZ = 0x1A;

std::string Hex(unsigned char ch)
{
    char szHex[8];
    std::snprintf(szHex, sizeof szHex, "0x%02X", static_cast<unsigned>(ch));
    return szHex;
}

// Continuation bytes a UTF-8 lead byte announces, 0 when it is none.
int Utf8Continuations(unsigned char ch)
{
    if (ch >= 0xC2 && ch <= 0xDF)
        return 1;
    if (ch >= 0xE0 && ch <= 0xEF)
        return 2;
    if (ch >= 0xF0 && ch <= 0xF4)
        return 3;
    return 0;
}

enum EByteProblem { CONTROL, LONE_CR, UNASSIGNED, PROBLEM_KINDS };

class CByteScanner {
public:
    CByteScanner(CDiagnostics& diagnostics, const CCodePage& codePage)
        : m_diagnostics(diagnostics), m_codePage(codePage)
    {
    }

    void Feed(unsigned char ch);
    void Finish(std::uint64_t nBytesLeft);
    bool Stopped() const { return m_bStopped; }

private:
    void Single(unsigned char ch, std::uint64_t nColumn);
    void FlushSequence();
    void EndLine();
    void Report(EByteProblem eKind, std::uint64_t nColumn, std::string strMessage);

    CDiagnostics& m_diagnostics;
    const CCodePage& m_codePage;
    std::uint64_t m_nLine = 1;
    std::uint64_t m_nColumn = 0; // of the byte last fed, from 1
    bool m_bCrPending = false;
    bool m_reported[PROBLEM_KINDS] = {};
    // A UTF-8 character being read: its bytes are no code page bytes to judge.
    unsigned char m_sequence[4] = {};
    int m_nSequence = 0;
    int m_nNeeded = 0;
    std::uint64_t m_nSequenceColumn = 0;
    // The last byte began a character of two bytes in the code page.
    bool m_bTrailNext = false;
    bool m_bStopped = false;
};

void CByteScanner::Report(EByteProblem eKind, std::uint64_t nColumn, std::string strMessage)
{
    if (m_reported[eKind])
        return;
    m_reported[eKind] = true;
    m_diagnostics.Add(m_nLine, nColumn, ESeverity::Warning,
                      "column " + std::to_string(nColumn) + ": " + std::move(strMessage));
}

void CByteScanner::EndLine()
{
    FlushSequence();
    m_bTrailNext = false;
    ++m_nLine;
    m_nColumn = 0;
    for (bool& bReported : m_reported)
        bReported = false;
}

// A lead byte whose continuation did not come: its bytes stand for themselves.
void CByteScanner::FlushSequence()
{
    for (int i = 0; i < m_nSequence; ++i)
        Single(m_sequence[i], m_nSequenceColumn + static_cast<std::uint64_t>(i));
    m_nSequence = 0;
    m_nNeeded = 0;
}

// The byte after a lead byte is the second of its character, whatever it would be on its own;
// no second byte is below 0x40.
void CByteScanner::Single(unsigned char ch, std::uint64_t nColumn)
{
    const bool bTrail = m_bTrailNext && ch >= 0x40;
    m_bTrailNext = !bTrail && m_codePage.IsLeadByte(ch);
    if (bTrail || m_bTrailNext)
        return;
    if (ch == '\t')
        Report(CONTROL, nColumn, "a tab is a control character, not printable text");
    else if (ch < 0x20 || ch == 0x7F)
        Report(CONTROL, nColumn, "byte " + Hex(ch) + " is a control character, not printable text");
    else if (!m_codePage.IsCharacter(ch))
        Report(UNASSIGNED, nColumn, "byte " + Hex(ch) + " is no character in " + m_codePage.Name());
}

void CByteScanner::Feed(unsigned char ch)
{
    if (m_bCrPending && ch != '\n')
        Report(LONE_CR, m_nColumn,
               "a CR without an LF after it is no line end: it stays in the text");
    m_bCrPending = false;
    if (ch == kCtrlZ) {
        m_bStopped = true;
        return;
    }
    if (ch == '\n') {
        EndLine();
        return;
    }
    ++m_nColumn;
    if (m_nNeeded > 0 && (ch & 0xC0) == 0x80) {
        m_sequence[m_nSequence++] = ch;
        if (--m_nNeeded == 0)
            m_nSequence = 0;
        return;
    }
    FlushSequence();
    if (ch == '\r') {
        m_bCrPending = true;
        m_bTrailNext = false;
        return;
    }
    m_nNeeded = m_bTrailNext ? 0 : Utf8Continuations(ch);
    if (m_nNeeded > 0) {
        m_sequence[m_nSequence++] = ch;
        m_nSequenceColumn = m_nColumn;
        return;
    }
    Single(ch, m_nColumn);
}

void CByteScanner::Finish(std::uint64_t nBytesLeft)
{
    if (m_bCrPending)
        Report(LONE_CR, m_nColumn,
               "a CR without an LF after it is no line end: it stays in the text");
    FlushSequence();
    if (m_bStopped && nBytesLeft > 0)
        m_diagnostics.Add(m_nLine, m_nColumn + 1, ESeverity::Error,
                          "column " + std::to_string(m_nColumn + 1) +
                              ": a Ctrl-Z byte (0x1A) ends the file here: the " +
                              std::to_string(nBytesLeft) + " bytes after it are never read");
}

} // namespace

bool ScanModuleBytes(IByteSource& source, const CCodePage& codePage, CDiagnostics& diagnostics)
{
    CByteScanner scanner(diagnostics, codePage);
    const std::size_t kChunk = 65536;
    std::unique_ptr<char[]> pChunk(new char[kChunk]);
    std::uint64_t nLeft = 0;
    std::ptrdiff_t nGot = 0;
    while ((nGot = source.Read(pChunk.get(), kChunk)) > 0) {
        std::size_t i = 0;
        for (; i < static_cast<std::size_t>(nGot) && !scanner.Stopped(); ++i)
            scanner.Feed(static_cast<unsigned char>(pChunk[i]));
        nLeft += static_cast<std::size_t>(nGot) - i;
    }
    scanner.Finish(nLeft);
    return nGot == 0;
}

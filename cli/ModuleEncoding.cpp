#include "ModuleEncoding.h"

#include "CodePage.h"
#include "FieldEncoding.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsAscii(const std::string& strText)
{
    return std::all_of(strText.begin(), strText.end(),
                       [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

} // namespace

CModuleEncoding::CModuleEncoding(CDiagnostics& diagnostics, const CCodePage& codePage)
    : m_diagnostics(diagnostics), m_codePage(codePage), m_legacy(codePage.Legacy())
{
}

void CModuleEncoding::Take(const SFieldRead& read)
{
    // The window shows a field up to a NUL byte; an editor's byte-order mark is no title.
    std::string strShown = read.strText.substr(0, read.strText.find('\0'));
    const bool bFilled = strShown.size() + 1 == read.nSize;
    std::uint64_t nColumn = read.nColumn + 1;
    const std::size_t nMark = sizeof kszByteOrderMark - 1;
    if (read.eField == EField::Title && read.nColumn == 0 &&
        strShown.compare(0, nMark, kszByteOrderMark) == 0) {
        strShown.erase(0, nMark);
        nColumn += nMark;
        m_bUtf8 = true;
    }
    if (IsAscii(strShown))
        return;
    const SFieldEncoding encoding =
        DecideFieldEncoding(strShown.data(), strShown.size(), bFilled, m_legacy);
    if (encoding.nShown < strShown.size())
        ReportCut(read, nColumn + encoding.nShown);
    if (encoding.bUtf8) {
        m_bUtf8 = true;
        return;
    }
    m_bAnsi = true;
    const SAnsiField field = {read.nLine, nColumn + encoding.nInvalid, read.Name()};
    if (m_bUtf8)
        ReportAnsi(field);
    else if (m_pending.size() < CDiagnostics::kMaxKept)
        m_pending.push_back(field);
    else
        ++m_nPendingDropped;
}

void CModuleEncoding::Finish()
{
    if (!m_bUtf8)
        return;
    for (const SAnsiField& field : m_pending)
        ReportAnsi(field);
    m_diagnostics.Count(m_nPendingDropped, ESeverity::Warning);
    m_pending.clear();
    m_nPendingDropped = 0;
}

std::string CModuleEncoding::Name() const
{
    if (m_bUtf8)
        return m_bAnsi ? "mixed encodings" : "UTF-8";
    return m_bAnsi ? m_codePage.Name() : "ASCII";
}

void CModuleEncoding::ReportAnsi(const SAnsiField& field)
{
    m_diagnostics.Add(field.nLine, field.nColumn, ESeverity::Warning,
                      "column " + std::to_string(field.nColumn) + ": " + field.strName +
                          " is not UTF-8 from here on, so all of it shows in " + m_codePage.Name() +
                          ", unlike the module's UTF-8 fields");
}

void CModuleEncoding::ReportCut(const SFieldRead& read, std::uint64_t nCut)
{
    m_diagnostics.Add(read.nLine, nCut, ESeverity::Warning,
                      "column " + std::to_string(nCut) + ": the limit cuts a character in two: " +
                          read.Name() + " shows without it");
}

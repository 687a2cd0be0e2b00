#include "Diagnostics.h"

#include <algorithm>

void CDiagnostics::Add(std::uint64_t nLine, std::uint64_t nColumn, ESeverity eSeverity,
                       std::string strMessage)
{
    ++(eSeverity == ESeverity::Error ? m_nErrors : m_nWarnings);
    if (m_diagnostics.size() == kMaxKept) {
        ++m_nDropped;
        return;
    }
    m_diagnostics.push_back({nLine, nColumn, eSeverity, std::move(strMessage)});
}

void CDiagnostics::Count(std::uint64_t nCount, ESeverity eSeverity)
{
    (eSeverity == ESeverity::Error ? m_nErrors : m_nWarnings) += nCount;
    m_nDropped += nCount;
}

std::vector<SDiagnostic> CDiagnostics::Sorted() const
{
    std::vector<SDiagnostic> sorted = m_diagnostics;
    std::stable_sort(sorted.begin(), sorted.end(), [](const SDiagnostic& a, const SDiagnostic& b) {
        return a.nLine != b.nLine ? a.nLine < b.nLine : a.nColumn < b.nColumn;
    });
    return sorted;
}

std::string FormatDiagnostic(const std::string& strPath, const SDiagnostic& diagnostic)
{
    std::string strText = strPath;
    if (diagnostic.nLine != 0)
        strText += ":" + std::to_string(diagnostic.nLine);
    strText += diagnostic.eSeverity == ESeverity::Error ? ": error: " : ": warning: ";
    return strText + diagnostic.strMessage;
}

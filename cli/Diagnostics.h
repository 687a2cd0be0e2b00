// The problems found in one module, as a compiler lists them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class ESeverity { Warning, Error };

struct SDiagnostic {
    std::uint64_t nLine;   // 0: the file as a whole
    std::uint64_t nColumn; // from 1; orders a cause before what it leads to on its line
    ESeverity eSeverity;
    std::string strMessage;
};

class CDiagnostics {
public:
    void Add(std::uint64_t nLine, std::uint64_t nColumn, ESeverity eSeverity,
             std::string strMessage);
    // Problems past the list's bound, only counted.
    void Count(std::uint64_t nCount, ESeverity eSeverity);

    std::uint64_t Errors() const { return m_nErrors; }
    std::uint64_t Warnings() const { return m_nWarnings; }
    // In the order of their places in the file; a file broken on every line keeps only the first
    // kMaxKept found.
    std::vector<SDiagnostic> Sorted() const;
    std::uint64_t Dropped() const { return m_nDropped; }

    static constexpr std::size_t kMaxKept = 500;

private:
    std::vector<SDiagnostic> m_diagnostics;
    std::uint64_t m_nErrors = 0;
    std::uint64_t m_nWarnings = 0;
    std::uint64_t m_nDropped = 0;
};

// "file:line: error: message", or "file: error: message" for the file as a whole.
std::string FormatDiagnostic(const std::string& strPath, const SDiagnostic& diagnostic);

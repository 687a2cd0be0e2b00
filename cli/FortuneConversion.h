// A whole fortune file converted: the quotes to write and the cookies skipped, by reason.
#pragma once

#include "FortuneCookie.h"
#include "LineReader.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct SFortuneConversion {
    std::vector<SQuote> m_quotes;
    // Wide enough that no file, however huge, can wrap them.
    std::array<std::uint64_t, static_cast<std::size_t>(ESkipReason::Count)> m_nSkipped = {};

    std::uint64_t SkippedTotal() const;
};

// Keeps at most nMax quotes; later cookies that would convert are counted as beyond it.
SFortuneConversion ConvertFortunes(CLineReader& reader, int nMax, const CCodePage* pCodePage);

// One line, without its line end: what was written from strName and what was skipped why.
std::string FormatSummary(const std::string& strName, const SFortuneConversion& conversion);

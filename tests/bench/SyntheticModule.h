// A quote module of realistic shape, made up for the benchmarks: same bytes every run.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct SSyntheticModule {
    std::string strBytes;
    // Per quote: its text as the quote field shows it, and the offset just past its
    // attribution line, which is where a reader that shows it can stop.
    std::vector<std::string> quoteTexts;
    std::vector<std::size_t> quoteEnds;
};

// Texts of 60 to 180 characters, some broken with "~", attributions of 15 to 40, CR LF.
SSyntheticModule MakeSyntheticModule(int nQuotes);

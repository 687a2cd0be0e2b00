#include "SyntheticModule.h"

#include <cstdint>

namespace {

const char* const kWords[] = {
    "the",   "time",    "light", "river", "of",      "and",      "mind",   "a",    "never",
    "is",    "what",    "we",    "know",  "silence", "patience", "every",  "in",   "who",
    "water", "stone",   "to",    "wise",  "heart",   "speaks",   "little", "more", "than",
    "quiet", "morning", "it",    "not",   "for",     "great",    "things", "done", "slowly",
};
const int kWordCount = static_cast<int>(sizeof kWords / sizeof kWords[0]);

// A fixed generator, so the file and so the timings do not vary between runs.
class CWordPicker {
public:
    int Below(int nLimit)
    {
        m_nState = m_nState * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((m_nState >> 33) % static_cast<std::uint64_t>(nLimit));
    }
    int Between(int nLow, int nHigh) { return nLow + Below(nHigh - nLow + 1); }
    const char* Word() { return kWords[Below(kWordCount)]; }

private:
    std::uint64_t m_nState = 0x5eed;
};

// Words up to the length, then cut or padded to exactly that length.
std::string MakeLine(CWordPicker& picker, int nLength, bool bBreaks)
{
    std::string strLine = picker.Word();
    while (static_cast<int>(strLine.size()) < nLength) {
        strLine += bBreaks && picker.Below(12) == 0 ? '~' : ' ';
        strLine += picker.Word();
    }
    strLine.resize(static_cast<std::size_t>(nLength));
    if (strLine.back() == ' ' || strLine.back() == '~')
        strLine.back() = '.';
    return strLine;
}

std::string ShownText(const std::string& strLine)
{
    std::string strShown;
    for (char ch : strLine) {
        if (ch == '~')
            strShown += "\r\n";
        else
            strShown += ch;
    }
    return strShown;
}

} // namespace

SSyntheticModule MakeSyntheticModule(int nQuotes)
{
    CWordPicker picker;
    SSyntheticModule module;
    module.strBytes = "Benchmark sayings\r\n" + std::to_string(nQuotes) + "\r\n%\r\n";
    for (int i = 0; i < nQuotes; ++i) {
        if (i > 0)
            module.strBytes += "%\r\n";
        const std::string strText = MakeLine(picker, picker.Between(60, 180), true);
        const std::string strAuthor = MakeLine(picker, picker.Between(15, 40), false);
        module.strBytes += strText + "\r\n" + strAuthor + "\r\n";
        module.quoteTexts.push_back(ShownText(strText));
        module.quoteEnds.push_back(module.strBytes.size());
    }
    return module;
}

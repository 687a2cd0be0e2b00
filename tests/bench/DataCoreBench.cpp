// The data core against plain stdio on the same bytes, in the current folder: display/N and
// fread/N, LoadSettings and fread/settings, SaveSettings and fwrite/settings.
#include "QuoteState.h"
#include "RecordingView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const int kQuoteCount = 999;
const int kShownQuotes[] = {0, 500, 998};
const char kModuleName[] = "benchmark.adg";
const char kSettingsName[] = "index.txt";
const std::string kSettings = std::string(kModuleName) + "\n0\n10\n2\n0\n0";
// The line reader reads in chunks of this size; the plain loop uses the same.
const std::size_t kChunkSize = 65536;

// Letters with a space about every sixth character, in texts sometimes a "~" instead. The
// generator is a fixed one, so the file and so the timings do not vary between runs.
std::string MakeLine(std::minstd_rand& random, unsigned nLow, unsigned nHigh, bool bBreaks)
{
    std::string strLine(nLow + random() % (nHigh - nLow + 1), '.');
    for (std::size_t i = 1; i + 1 < strLine.size(); ++i) {
        const auto nPick = random() % 72;
        strLine[i] = static_cast<char>('a' + nPick % 26);
        if (nPick < 12)
            strLine[i] = bBreaks && nPick == 0 ? '~' : ' ';
    }
    return strLine;
}

// Per quote: its attribution, and the offset just past it, where a reader showing it can stop.
struct SModule {
    std::string strBytes = "Benchmark sayings\r\n" + std::to_string(kQuoteCount) + "\r\n%\r\n";
    std::vector<std::string> authors;
    std::vector<std::size_t> quoteEnds;
};

SModule MakeModule()
{
    std::minstd_rand random;
    SModule module;
    for (int i = 0; i < kQuoteCount; ++i) {
        module.strBytes += (i > 0 ? "%\r\n" : "") + MakeLine(random, 60, 180, true) + "\r\n";
        module.authors.push_back(MakeLine(random, 15, 40, false));
        module.strBytes += module.authors.back() + "\r\n";
        module.quoteEnds.push_back(module.strBytes.size());
    }
    return module;
}

std::size_t ReadPrefix(const std::string& strPath, std::size_t nBytes)
{
    std::FILE* pFile = std::fopen(strPath.c_str(), "rb");
    if (pFile == nullptr)
        return 0;
    // Allocated per open and left unfilled, as the reader allocates its chunk.
    const std::unique_ptr<char[]> pBuffer(new char[kChunkSize]);
    std::size_t nTotal = 0, nGot = 1;
    while (nTotal < nBytes && nGot > 0) {
        nGot = std::fread(pBuffer.get(), 1, std::min(kChunkSize, nBytes - nTotal), pFile);
        nTotal += nGot;
    }
    std::fclose(pFile);
    return nTotal;
}

bool WriteAll(const char* pszPath, const std::string& strBytes)
{
    std::FILE* pFile = std::fopen(pszPath, "wb");
    if (pFile == nullptr)
        return false;
    const bool bWritten =
        std::fwrite(strBytes.data(), 1, strBytes.size(), pFile) == strBytes.size();
    return std::fclose(pFile) == 0 && bWritten;
}

// A display that holds shows m_nCurrentQuote and holds it again: the walk is the whole cost.
void ShowQuote(benchmark::State& st, int nIndex, const std::string& strAuthor)
{
    CQuoteState state;
    CRecordingView view;
    state.m_strModulePath = kModuleName;
    state.m_nCurrentQuote = nIndex;
    while (st.KeepRunning())
        state.ShowQuoteText(view);
    if (view.m_strAuthor != strAuthor)
        st.SkipWithError("the display shows another quote than the one asked for");
}

void LoadSettings(benchmark::State& st)
{
    CQuoteState state;
    CRecordingView view;
    while (st.KeepRunning())
        state.LoadSettings(view);
    if (state.m_strModulePath != kModuleName)
        st.SkipWithError("the settings file did not load");
}

void SaveSettings(benchmark::State& st)
{
    CQuoteState state;
    state.m_strModulePath = kModuleName;
    state.m_nCurrentQuote = 0;
    while (st.KeepRunning())
        state.SaveSettings();
}

using SFiles = std::vector<std::pair<std::string, std::size_t>>;

void PlainReads(benchmark::State& st, const SFiles& files)
{
    while (st.KeepRunning())
        for (const auto& file : files)
            benchmark::DoNotOptimize(ReadPrefix(file.first, file.second));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    const SModule module = MakeModule();
    if (!WriteAll(kModuleName, module.strBytes) || !WriteAll(kSettingsName, kSettings)) {
        std::fprintf(stderr, "data_bench: cannot write the benchmark files\n");
        return 1;
    }
    for (int nIndex : kShownQuotes) {
        const auto nQuote = static_cast<std::size_t>(nIndex);
        benchmark::RegisterBenchmark(("display/" + std::to_string(nIndex)).c_str(), ShowQuote,
                                     nIndex, module.authors[nQuote]);
        benchmark::RegisterBenchmark(("fread/" + std::to_string(nIndex)).c_str(), PlainReads,
                                     SFiles{{kModuleName, module.quoteEnds[nQuote]}});
    }
    benchmark::RegisterBenchmark("LoadSettings", LoadSettings);
    // LoadSettings reads index.txt whole and the module's title line.
    benchmark::RegisterBenchmark(
        "fread/settings", PlainReads,
        SFiles{{kSettingsName, kSettings.size()}, {kModuleName, module.strBytes.find('\n') + 1}});
    benchmark::RegisterBenchmark("SaveSettings", SaveSettings);
    benchmark::RegisterBenchmark("fwrite/settings", [](benchmark::State& st) {
        while (st.KeepRunning())
            benchmark::DoNotOptimize(WriteAll(kSettingsName, kSettings));
    });
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

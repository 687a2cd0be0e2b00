// The data core against a plain stdio read or write of the same bytes, measured in one run.
// Writes its files into the current folder and its rows to rows.tsv there.
#include "QuoteState.h"
#include "RecordingView.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
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

// A fixed generator, so the file and so the timings do not vary between runs.
class CLinePicker {
public:
    // Letters with a space about every sixth character, in texts sometimes a "~" instead.
    std::string Line(int nLow, int nHigh, bool bBreaks)
    {
        std::string strLine(static_cast<std::size_t>(nLow + Below(nHigh - nLow + 1)), '.');
        for (std::size_t i = 1; i + 1 < strLine.size(); ++i) {
            const int nPick = Below(72);
            strLine[i] = static_cast<char>('a' + nPick % 26);
            if (nPick < 12)
                strLine[i] = bBreaks && nPick == 0 ? '~' : ' ';
        }
        return strLine;
    }

private:
    int Below(int nLimit)
    {
        m_nState = m_nState * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((m_nState >> 33) % static_cast<std::uint64_t>(nLimit));
    }

    std::uint64_t m_nState = 0x5eed;
};

// Per quote: its attribution, and the offset just past it, where a reader that shows the quote
// can stop.
struct SModule {
    std::string strBytes = "Benchmark sayings\r\n" + std::to_string(kQuoteCount) + "\r\n%\r\n";
    std::vector<std::string> authors;
    std::vector<std::size_t> quoteEnds;
};

SModule MakeModule()
{
    CLinePicker picker;
    SModule module;
    for (int i = 0; i < kQuoteCount; ++i) {
        module.strBytes += (i > 0 ? "%\r\n" : "") + picker.Line(60, 180, true) + "\r\n";
        module.authors.push_back(picker.Line(15, 40, false));
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
    // Allocated per open, as the reader allocates its chunk.
    std::vector<char> buffer(kChunkSize);
    std::size_t nTotal = 0, nGot = 1;
    while (nTotal < nBytes && nGot > 0) {
        nGot = std::fread(buffer.data(), 1, std::min(kChunkSize, nBytes - nTotal), pFile);
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

// A display that holds shows m_nCurrentQuote: the walk to it is the whole cost.
void ShowHeldQuote(CQuoteState& state, CRecordingView& view, int nIndex)
{
    state.m_nCurrentQuote = nIndex;
    state.m_bHoldQuote = true;
    state.m_bFirstShow = false;
    state.ShowQuoteText(view);
}

// The plain reads of the first bytes of each file.
auto PlainReads(std::vector<std::pair<std::string, std::size_t>> prefixes)
{
    return [prefixes](benchmark::State& st) {
        for (auto _ : st)
            for (const auto& prefix : prefixes)
                benchmark::DoNotOptimize(ReadPrefix(prefix.first, prefix.second));
    };
}

// One row of the table: the data core's work against the plain stdio work on the same bytes.
struct SRow {
    std::string strName, strPlain;
    const char* pszBudget;
};

template <typename Work, typename Plain>
void AddRow(std::vector<SRow>& rows, const SRow& row, Work work, Plain plain)
{
    benchmark::RegisterBenchmark(row.strName.c_str(), work);
    benchmark::RegisterBenchmark((row.strName + " (plain)").c_str(), plain);
    rows.push_back(row);
}

std::vector<SRow> RegisterAll(const SModule& module)
{
    std::vector<SRow> rows;
    for (int nIndex : kShownQuotes) {
        const std::size_t nEnd = module.quoteEnds[static_cast<std::size_t>(nIndex)];
        const std::string strAuthor = module.authors[static_cast<std::size_t>(nIndex)];
        const SRow row = {
            "Quote display, index " + std::to_string(nIndex) + " of " + std::to_string(kQuoteCount),
            "fread of " + std::to_string(nEnd) + " bytes:", nIndex == kQuoteCount - 1 ? "<=3" : ""};
        AddRow(
            rows, row,
            [=](benchmark::State& st) {
                CQuoteState state;
                CRecordingView view;
                state.m_strModulePath = kModuleName;
                ShowHeldQuote(state, view, nIndex);
                if (view.m_strAuthor != strAuthor)
                    st.SkipWithError("the display shows another quote than the one asked for");
                for (auto _ : st)
                    ShowHeldQuote(state, view, nIndex);
            },
            PlainReads({{kModuleName, nEnd}}));
    }
    // LoadSettings reads index.txt whole and the module's title line.
    AddRow(
        rows, {"LoadSettings (index.txt, module title)", "fread of the same bytes:", ""},
        [](benchmark::State& st) {
            CQuoteState state;
            CRecordingView view;
            for (auto _ : st)
                state.LoadSettings(view);
            if (state.m_strModulePath != kModuleName)
                st.SkipWithError("the settings file did not load");
        },
        PlainReads(
            {{kSettingsName, kSettings.size()}, {kModuleName, module.strBytes.find('\n') + 1}}));
    AddRow(
        rows, {"SaveSettings (index.txt)", "fwrite of the same bytes:", ""},
        [](benchmark::State& st) {
            CQuoteState state;
            state.m_strModulePath = kModuleName;
            state.m_nCurrentQuote = 0;
            for (auto _ : st)
                state.SaveSettings();
        },
        [](benchmark::State& st) {
            for (auto _ : st)
                benchmark::DoNotOptimize(WriteAll(kSettingsName, kSettings));
        });
    return rows;
}

// Keeps each benchmark's median CPU time per iteration, the kernel's share included: unlike
// wall time, it leaves out the waits for a core that other work on the machine held.
class CMedianReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the report goes to a log more often than to a terminal.
    CMedianReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median" || run.error_occurred || run.iterations == 0)
                continue;
            char szSeconds[32] = "";
            std::snprintf(szSeconds, sizeof szSeconds, "%.6g",
                          run.cpu_accumulated_time / static_cast<double>(run.iterations));
            m_medians[run.run_name.function_name] = szSeconds;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Empty for a benchmark that did not run or reported an error.
    std::map<std::string, std::string> m_medians;
};

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
    const std::vector<SRow> rows = RegisterAll(module);
    CMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::string strRows;
    for (const SRow& row : rows)
        strRows += row.strName + "\ts\t" + reporter.m_medians[row.strName] + "\t" + row.strPlain +
                   "\t" + reporter.m_medians[row.strName + " (plain)"] + "\t" + row.pszBudget +
                   "\t\n";
    return WriteAll("rows.tsv", strRows) ? 0 : 1;
}

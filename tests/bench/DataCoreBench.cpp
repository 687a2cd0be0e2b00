// The data core against the physical limit of the same bytes, measured in one run.
// Usage: data_bench --rows=FILE [Google Benchmark flags]
#include "BenchRow.h"
#include "MedianReporter.h"
#include "QuoteState.h"
#include "RawFileAccess.h"
#include "RecordingView.h"
#include "SyntheticModule.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const int kQuoteCount = 999;
const int kShownQuotes[] = {0, 500, 998};
const char kModuleName[] = "benchmark.adg";
const char kSettingsName[] = "index.txt";
const double kDisplayBudget = 3.0;

// The benchmarks' files live in a fresh current directory, removed at the end.
class CScratchFolder {
public:
    CScratchFolder()
    {
        const auto nTicks = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path =
            std::filesystem::temp_directory_path() / ("adagio-bench-" + std::to_string(nTicks));
        std::filesystem::create_directories(m_path);
        m_previous = std::filesystem::current_path();
        std::filesystem::current_path(m_path);
    }
    ~CScratchFolder()
    {
        std::error_code error;
        std::filesystem::current_path(m_previous, error);
        std::filesystem::remove_all(m_path, error);
    }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

private:
    std::filesystem::path m_path, m_previous;
};

std::string SettingsBytes(int nIndex)
{
    return std::string(kModuleName) + "\n" + std::to_string(nIndex) + "\n10\n2\n0\n0";
}

std::string DisplayName(int nIndex)
{
    return "display/" + std::to_string(nIndex);
}

std::string RawReadName(int nIndex)
{
    return "fread/" + std::to_string(nIndex);
}

// A display that holds shows m_nCurrentQuote: the walk to it is the whole cost.
void ShowHeldQuote(CQuoteState& state, CRecordingView& view, int nIndex)
{
    state.m_nCurrentQuote = nIndex;
    state.m_bHoldQuote = true;
    state.m_bFirstShow = false;
    state.ShowQuoteText(view);
}

void RegisterDisplay(const SSyntheticModule& module, int nIndex)
{
    const std::string strExpected = module.quoteTexts[static_cast<std::size_t>(nIndex)];
    benchmark::RegisterBenchmark(DisplayName(nIndex).c_str(), [=](benchmark::State& st) {
        CQuoteState state;
        CRecordingView view;
        state.m_strModulePath = kModuleName;
        ShowHeldQuote(state, view, nIndex);
        if (view.m_strText != strExpected)
            st.SkipWithError("the display shows another quote than the one asked for");
        while (st.KeepRunning()) {
            ShowHeldQuote(state, view, nIndex);
            benchmark::DoNotOptimize(view.m_strText.data());
        }
    });
}

void RegisterRawRead(const std::string& strName, std::vector<std::string> paths,
                     std::vector<std::size_t> sizes)
{
    benchmark::RegisterBenchmark(strName.c_str(), [=](benchmark::State& st) {
        while (st.KeepRunning()) {
            for (std::size_t i = 0; i < paths.size(); ++i)
                benchmark::DoNotOptimize(ReadFilePrefix(paths[i].c_str(), sizes[i]));
        }
    });
}

void RegisterSettings(std::size_t nTitleLine)
{
    const std::string strSettings = SettingsBytes(0);
    benchmark::RegisterBenchmark("LoadSettings", [](benchmark::State& st) {
        CQuoteState state;
        CRecordingView view;
        while (st.KeepRunning()) {
            state.LoadSettings(view);
            benchmark::DoNotOptimize(state.m_szTitle);
        }
        if (state.m_strModulePath != kModuleName)
            st.SkipWithError("the settings file did not load");
    });
    RegisterRawRead("fread/settings", {kSettingsName, kModuleName},
                    {strSettings.size(), nTitleLine});
    benchmark::RegisterBenchmark("SaveSettings", [](benchmark::State& st) {
        CQuoteState state;
        state.m_strModulePath = kModuleName;
        state.m_nCurrentQuote = 0;
        state.m_bTimerEnabled = 0;
        while (st.KeepRunning())
            state.SaveSettings();
    });
    benchmark::RegisterBenchmark("fwrite/settings", [strSettings](benchmark::State& st) {
        while (st.KeepRunning())
            benchmark::DoNotOptimize(WriteWholeFile(kSettingsName, strSettings));
    });
}

void RegisterAll(const SSyntheticModule& module)
{
    for (int nIndex : kShownQuotes) {
        RegisterDisplay(module, nIndex);
        RegisterRawRead(RawReadName(nIndex), {kModuleName},
                        {module.quoteEnds[static_cast<std::size_t>(nIndex)]});
    }
    RegisterSettings(module.strBytes.find('\n') + 1);
}

SBenchRow CompareRow(const CMedianReporter& reporter, const std::string& strName,
                     const std::string& strSubject, const std::string& strLimit,
                     const std::string& strLimitLabel, double dBudget)
{
    SBenchRow row = {strName, "not measured", strLimitLabel, "-", "-", "-"};
    double dSubject = 0.0, dLimit = 0.0;
    if (dBudget > 0.0) {
        row.strBudget = "<= " + FormatRatio(dBudget);
        row.strVerdict = Verdict(false);
    }
    if (!reporter.Median(strSubject, dSubject) || !reporter.Median(strLimit, dLimit) ||
        dLimit <= 0.0)
        return row;
    const double dRatio = dSubject / dLimit;
    row.strMeasured = FormatSeconds(dSubject);
    row.strReference = strLimitLabel + " " + FormatSeconds(dLimit);
    row.strRatio = FormatRatio(dRatio);
    if (dBudget > 0.0)
        row.strVerdict = Verdict(dRatio <= dBudget);
    return row;
}

std::vector<SBenchRow> MakeRows(const CMedianReporter& reporter, const SSyntheticModule& module)
{
    std::vector<SBenchRow> rows;
    for (int nIndex : kShownQuotes) {
        const std::size_t nBytes = module.quoteEnds[static_cast<std::size_t>(nIndex)];
        rows.push_back(CompareRow(reporter,
                                  "Quote display, index " + std::to_string(nIndex) + " of " +
                                      std::to_string(kQuoteCount),
                                  DisplayName(nIndex), RawReadName(nIndex),
                                  "fread of " + FormatBytes(static_cast<double>(nBytes)) + ":",
                                  nIndex == kQuoteCount - 1 ? kDisplayBudget : 0.0));
    }
    rows.push_back(CompareRow(reporter, "LoadSettings (index.txt, module title)", "LoadSettings",
                              "fread/settings", "fread of the same bytes:", 0.0));
    rows.push_back(CompareRow(reporter, "SaveSettings (index.txt)", "SaveSettings",
                              "fwrite/settings", "fwrite of the same bytes:", 0.0));
    return rows;
}

// Takes --rows=FILE out of the arguments and adds defaults that flags given later override.
std::vector<char*> PrepareArguments(int argc, char** argv, std::string& strRowsPath)
{
    static char szRepetitions[] = "--benchmark_repetitions=9";
    static char szInterleave[] = "--benchmark_enable_random_interleaving=true";
    static char szAggregates[] = "--benchmark_report_aggregates_only=true";
    static char szMinTime[] = "--benchmark_min_time=0.1";
    std::vector<char*> args = {argv[0], szRepetitions, szInterleave, szAggregates, szMinTime};
    const char kRowsFlag[] = "--rows=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kRowsFlag, sizeof kRowsFlag - 1) == 0)
            strRowsPath = argv[i] + sizeof kRowsFlag - 1;
        else
            args.push_back(argv[i]);
    }
    return args;
}

} // namespace

int main(int argc, char** argv)
{
    std::string strRowsPath;
    std::vector<char*> args = PrepareArguments(argc, argv, strRowsPath);
    int nArgs = static_cast<int>(args.size());
    benchmark::Initialize(&nArgs, args.data());
    if (benchmark::ReportUnrecognizedArguments(nArgs, args.data()))
        return 2;

    const CScratchFolder scratch;
    const SSyntheticModule module = MakeSyntheticModule(kQuoteCount);
    if (!WriteWholeFile(kModuleName, module.strBytes) ||
        !WriteWholeFile(kSettingsName, SettingsBytes(0))) {
        std::fprintf(stderr, "data_bench: cannot write the benchmark files\n");
        return 1;
    }
    RegisterAll(module);
    CMedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    if (!strRowsPath.empty() && !WriteRows(strRowsPath, MakeRows(reporter, module))) {
        std::fprintf(stderr, "data_bench: cannot write %s\n", strRowsPath.c_str());
        return 1;
    }
    return 0;
}

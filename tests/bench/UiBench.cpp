// The program under Wine: start-up to the first quote against a minimal dialog of the same
// template, the Next click, and what the process holds after start and after many clicks.
// Usage: ui_bench ROWS_FILE
#include "BenchFolder.h"
#include "BenchRow.h"
#include "ChildProgram.h"
#include "SampleStats.h"
#include "Stopwatch.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kStartRuns = 25;
const int kClicks = 1000;
const int kReferenceClicks = 200;
const DWORD kStartTimeoutMs = 20000;
const DWORD kClickTimeoutMs = 2000;
const DWORD kSettleMs = 300;
const double kStartBudget = 1.2;
const double kClickBudgetSeconds = 0.005;
// Module path, index 0, interval, sequential order, timer off, centred: the program stays
// open until it is closed.
const char kSettings[] = "miscellaneous.adg\n0\n10\n2\n0\n0";

struct SPrograms {
    std::string strAppFolder, strAppExe;
    std::string strMinimalFolder, strMinimalExe;
};

bool LayOut(SPrograms& programs)
{
    const std::string strRoot = ToWindowsPath(ADAGIO_BENCH_DIR);
    programs.strAppFolder = strRoot + "\\adagiomill";
    programs.strMinimalFolder = strRoot + "\\minimal";
    programs.strAppExe = programs.strAppFolder + "\\Adagiomill.exe";
    programs.strMinimalExe = programs.strMinimalFolder + "\\MinimalDialog.exe";
    return MakeFolder(programs.strAppFolder) && MakeFolder(programs.strMinimalFolder) &&
           CopyInto(ToWindowsPath(ADAGIO_EXE), programs.strAppFolder, "Adagiomill.exe") &&
           CopyInto(ToWindowsPath(ADAGIO_DEFAULT_MODULE), programs.strAppFolder,
                    "miscellaneous.adg") &&
           CopyInto(ToWindowsPath(ADAGIO_MINIMAL_EXE), programs.strMinimalFolder,
                    "MinimalDialog.exe");
}

// Every run of the program starts from the same settings, whatever the last one saved.
bool ResetSettings(const SPrograms& programs)
{
    return WriteFileBytes(programs.strAppFolder + "\\index.txt", kSettings);
}

bool TimeStart(const std::string& strExe, const std::string& strFolder, SStartPhases& phases)
{
    CChildProgram child;
    std::string strText;
    if (!child.Start(strExe, strFolder) || !child.WaitForNewText("", strText, kStartTimeoutMs))
        return false;
    phases = child.Phases();
    return true;
}

struct SStartSeries {
    std::vector<double> created, answering, text;

    void Add(const SStartPhases& phases)
    {
        created.push_back(phases.dCreated);
        answering.push_back(phases.dAnswering);
        text.push_back(phases.dText);
    }
};

struct SStartTimes {
    SStartSeries app, minimal;
};

// Interleaved, alternating which goes first, after one unmeasured start of each.
bool MeasureStarts(const SPrograms& programs, SStartTimes& times)
{
    for (int nRun = -1; nRun < kStartRuns; ++nRun) {
        SStartPhases app, minimal;
        const bool bAppFirst = nRun % 2 == 0;
        for (const bool bApp : {bAppFirst, !bAppFirst}) {
            const bool bStarted =
                bApp ? ResetSettings(programs) &&
                           TimeStart(programs.strAppExe, programs.strAppFolder, app)
                     : TimeStart(programs.strMinimalExe, programs.strMinimalFolder, minimal);
            if (!bStarted)
                return false;
        }
        if (nRun < 0)
            continue;
        times.app.Add(app);
        times.minimal.Add(minimal);
        std::fprintf(stderr, "start %2d: Adagiomill %.1f ms, minimal dialog %.1f ms\n", nRun + 1,
                     app.dText * 1e3, minimal.dText * 1e3);
    }
    return true;
}

struct SClickRun {
    std::vector<double> clicks;
    SChildMemory afterStart, afterClicks;
};

bool MeasureClicks(const SPrograms& programs, SClickRun& run)
{
    CChildProgram child;
    std::string strText;
    if (!ResetSettings(programs) || !child.Start(programs.strAppExe, programs.strAppFolder) ||
        !child.WaitForNewText("", strText, kStartTimeoutMs))
        return false;
    ::Sleep(kSettleMs);
    run.afterStart = child.Memory();
    for (int i = 0; i < kClicks; ++i) {
        const std::string strOld = strText;
        const CStopwatch clock;
        if (!child.ClickNext() || !child.WaitForNewText(strOld, strText, kClickTimeoutMs))
            return false;
        run.clicks.push_back(clock.Seconds());
    }
    ::Sleep(kSettleMs);
    run.afterClicks = child.Memory();
    return true;
}

struct SMinimalRun {
    std::vector<double> clicks;
    SChildMemory memory;
};

// The same measurements on the minimal dialog: its Next button has no handler, so a click
// costs the button's own work and the two messages across processes, nothing else.
bool MeasureMinimal(const SPrograms& programs, SMinimalRun& run)
{
    CChildProgram child;
    std::string strText;
    if (!child.Start(programs.strMinimalExe, programs.strMinimalFolder) ||
        !child.WaitForNewText("", strText, kStartTimeoutMs))
        return false;
    ::Sleep(kSettleMs);
    run.memory = child.Memory();
    for (int i = 0; i < kReferenceClicks; ++i) {
        const CStopwatch clock;
        if (!child.ClickNext() || !child.ReadQuoteField(strText))
            return false;
        run.clicks.push_back(clock.Seconds());
    }
    return true;
}

SBenchRow RatioRow(const std::string& strName, double dValue, double dReference,
                   const std::string& strReferenceLabel, bool bSeconds)
{
    const auto format = [bSeconds](double d) {
        return bSeconds ? FormatSeconds(d) : FormatBytes(d);
    };
    return {strName,
            format(dValue),
            strReferenceLabel + " " + format(dReference),
            dReference > 0.0 ? FormatRatio(dValue / dReference) : "-",
            "-",
            "-"};
}

std::string ObjectCount(long nCount)
{
    return nCount < 0 ? "not counted" : std::to_string(nCount);
}

void AddStartRows(const SStartTimes& times, std::vector<SBenchRow>& rows)
{
    const double dApp = Median(times.app.text);
    const double dMinimal = Median(times.minimal.text);
    SBenchRow row = RatioRow("Start-up to first quote (median of " + std::to_string(kStartRuns) +
                                 ", interleaved)",
                             dApp, dMinimal, "minimal dialog:", true);
    row.strBudget = "<= " + FormatRatio(kStartBudget);
    row.strVerdict = Verdict(dApp <= kStartBudget * dMinimal);
    rows.push_back(row);
    // The fastest start is the one least disturbed by whatever else the machine was doing.
    rows.push_back(RatioRow("Start-up, fastest run", Percentile(times.app.text, 0.0),
                            Percentile(times.minimal.text, 0.0), "minimal dialog:", true));
    rows.push_back(RatioRow("Start-up phase: dialog created", Median(times.app.created),
                            Median(times.minimal.created), "minimal dialog:", true));
    rows.push_back(RatioRow("Start-up phase: dialog answers messages", Median(times.app.answering),
                            Median(times.minimal.answering), "minimal dialog:", true));
}

void AddClickRows(const SClickRun& run, const SMinimalRun& minimal, std::vector<SBenchRow>& rows)
{
    const double dMedian = Median(run.clicks);
    SBenchRow row = RatioRow("Next click to new text (median of " + std::to_string(kClicks) + ")",
                             dMedian, Median(minimal.clicks), "minimal dialog, no handler:", true);
    row.strBudget = "< " + FormatSeconds(kClickBudgetSeconds);
    row.strVerdict = Verdict(dMedian < kClickBudgetSeconds);
    rows.push_back(row);
    rows.push_back(RatioRow("Next click, 90th percentile", Percentile(run.clicks, 0.9),
                            Percentile(minimal.clicks, 0.9), "minimal dialog:", true));
}

void AddMemoryRows(const SClickRun& run, const SChildMemory& minimal, std::vector<SBenchRow>& rows)
{
    rows.push_back(RatioRow("Peak working set after start", run.afterStart.dPeakWorkingSet,
                            minimal.dPeakWorkingSet, "minimal dialog:", false));
    rows.push_back(RatioRow("Peak working set after " + std::to_string(kClicks) + " clicks",
                            run.afterClicks.dPeakWorkingSet, run.afterStart.dPeakWorkingSet,
                            "after start:", false));
    rows.push_back(RatioRow("Private bytes after start", run.afterStart.dPrivateBytes,
                            minimal.dPrivateBytes, "minimal dialog:", false));
    rows.push_back(RatioRow("Private bytes after " + std::to_string(kClicks) + " clicks",
                            run.afterClicks.dPrivateBytes, run.afterStart.dPrivateBytes,
                            "after start:", false));
    rows.push_back(
        {"GDI objects after start / after " + std::to_string(kClicks) + " clicks",
         ObjectCount(run.afterStart.nGdiObjects) + " / " + ObjectCount(run.afterClicks.nGdiObjects),
         "minimal dialog: " + ObjectCount(minimal.nGdiObjects), "-", "-", "-"});
    rows.push_back({"USER objects after start / after " + std::to_string(kClicks) + " clicks",
                    ObjectCount(run.afterStart.nUserObjects) + " / " +
                        ObjectCount(run.afterClicks.nUserObjects),
                    "minimal dialog: " + ObjectCount(minimal.nUserObjects), "-", "-", "-"});
}

int Fail(const char* pszWhat)
{
    std::fprintf(stderr, "ui_bench: %s\n", pszWhat);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Fail("usage: ui_bench ROWS_FILE");
    SPrograms programs;
    if (!LayOut(programs))
        return Fail("cannot lay out the program folders");
    SStartTimes times;
    if (!MeasureStarts(programs, times))
        return Fail("a program did not show its quote");
    SClickRun run;
    if (!MeasureClicks(programs, run))
        return Fail("a Next click did not change the quote");
    SMinimalRun minimal;
    if (!MeasureMinimal(programs, minimal))
        return Fail("the minimal dialog did not answer");

    std::vector<SBenchRow> rows;
    AddStartRows(times, rows);
    AddClickRows(run, minimal, rows);
    AddMemoryRows(run, minimal.memory, rows);
    if (!WriteRows(ToWindowsPath(argv[1]), rows))
        return Fail("cannot write the rows");
    return 0;
}

// The program under Wine against a minimal dialog of the same template: start-up to the first
// quote, the Next click, and what the process holds after start and after many clicks.
#include "resource.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The program first, then its reference.
const char* const kExes[] = {"Adagiomill.exe", "MinimalDialog.exe"};
const int kClicks = 1000;
// Every fifth round also clicks the minimal dialog's button without a handler.
const int kPlainClickEvery = 5;
const int kStartRuns = 51;
// Only a hung or failed program waits this long.
const DWORD kTimeoutMs = 20000;
const DWORD kSettleMs = 300;

double Now()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

// The median resists the odd run that other work on the machine slowed down.
double Median(std::vector<double> samples)
{
    const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
    std::nth_element(samples.begin(), middle, samples.end());
    return middle == samples.end() ? 0.0 : *middle;
}

// Every run starts from the same settings, whatever the last one saved: index 0, sequential,
// timer off, so the program stays open until it is closed. The minimal dialog ignores them.
bool ResetSettings(const std::string& strFolder)
{
    std::FILE* pFile = std::fopen((strFolder + "\\index.txt").c_str(), "wb");
    if (pFile == nullptr)
        return false;
    const bool bWritten = std::fputs("miscellaneous.adg\n0\n10\n2\n0\n0", pFile) >= 0;
    return std::fclose(pFile) == 0 && bWritten;
}

// One run of a dialog program, started in its folder; ended with the object, so no stray
// program outlives the benchmark.
class CChildProgram {
public:
    CChildProgram(const std::string& strFolder, const char* pszExe)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!::CreateProcessA((strFolder + "\\" + pszExe).c_str(), nullptr, nullptr, nullptr, FALSE,
                              0, nullptr, strFolder.c_str(), &startup, &m_process))
            m_process = {};
    }
    CChildProgram(const CChildProgram&) = delete;
    CChildProgram& operator=(const CChildProgram&) = delete;
    // Ended, not closed: whatever it would save is reset before the next start anyway.
    ~CChildProgram()
    {
        if (m_process.hProcess == nullptr)
            return;
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, kTimeoutMs);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }

    // Returns once the control's window procedure has handled the message in the program.
    bool Send(int nControl, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        DWORD_PTR nResult = 0;
        return ::SendMessageTimeoutA(::GetDlgItem(m_hDialog, nControl), nMessage, wParam, lParam,
                                     SMTO_NORMAL, kTimeoutMs, &nResult) != 0;
    }

    // Empty until the dialog has been initialised: only then does its thread take messages.
    std::string ReadQuote() const
    {
        char szText[1024] = "";
        Send(IDC_QUOTE_TEXT, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText));
        szText[sizeof szText - 1] = '\0';
        return szText;
    }

    // Polls the quote field until it holds text other than before, sleeping a millisecond
    // between reads so the poll takes little from a starting program.
    bool WaitForNewText(std::string& strText)
    {
        const std::string strOld = strText;
        for (const double dStart = Now(); (Now() - dStart) * 1000.0 < kTimeoutMs; ::Sleep(1)) {
            if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0)
                return false;
            if (m_hDialog == nullptr)
                ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(this));
            strText = ReadQuote();
            if (!strText.empty() && strText != strOld)
                return true;
        }
        return false;
    }

    // GUI objects as "GDI / USER"; Wine does not count them, the calls fail there.
    void ReadMemory(PROCESS_MEMORY_COUNTERS& counters, std::string& strGuiObjects) const
    {
        ::GetProcessMemoryInfo(m_process.hProcess, &counters, sizeof counters);
        ::SetLastError(ERROR_SUCCESS);
        const DWORD nGdi = ::GetGuiResources(m_process.hProcess, GR_GDIOBJECTS);
        const DWORD nUser = ::GetGuiResources(m_process.hProcess, GR_USEROBJECTS);
        strGuiObjects = ::GetLastError() == ERROR_SUCCESS
                            ? std::to_string(nGdi) + " / " + std::to_string(nUser)
                            : "not counted";
    }

private:
    static BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam)
    {
        auto* pThis = reinterpret_cast<CChildProgram*>(lParam);
        DWORD nProcessId = 0;
        ::GetWindowThreadProcessId(hwnd, &nProcessId);
        if (nProcessId != pThis->m_process.dwProcessId ||
            ::GetDlgItem(hwnd, IDC_QUOTE_TEXT) == nullptr)
            return TRUE;
        pThis->m_hDialog = hwnd;
        return FALSE;
    }

    PROCESS_INFORMATION m_process = {};
    HWND m_hDialog = nullptr;
};

struct SMeasures {
    std::vector<double> starts, clicks, plainClicks;
    PROCESS_MEMORY_COUNTERS afterStart = {}, afterClicks = {};
    std::string strGuiAfterStart, strGuiAfterClicks;
};

// Each start is timed from just before CreateProcess until the quote field holds text. The
// two programs are interleaved, alternating which goes first, after one unmeasured start each.
bool MeasureStarts(char** ppszFolders, SMeasures* pMeasures)
{
    for (int nRun = -1; nRun < kStartRuns; ++nRun)
        for (const int i : {nRun & 1, 1 - (nRun & 1)}) {
            if (!ResetSettings(ppszFolders[i]))
                return false;
            const double dStart = Now();
            CChildProgram child(ppszFolders[i], kExes[i]);
            std::string strText;
            if (!child.WaitForNewText(strText))
                return false;
            if (nRun >= 0)
                pMeasures[i].starts.push_back(Now() - dStart);
        }
    return true;
}

// One click on a button of the child, timed until the handler has run and, where it shows a
// quote, until the quote field holds new text.
bool TimeClick(CChildProgram& child, int nButton, std::string* pText, std::vector<double>& samples)
{
    const double dStart = Now();
    const bool bAnswered =
        child.Send(nButton, BM_CLICK) &&
        (pText != nullptr ? child.WaitForNewText(*pText) : !child.ReadQuote().empty());
    samples.push_back(Now() - dStart);
    return bAnswered;
}

// Both programs run side by side and their clicks alternate, so other work on the machine
// slows both alike. The minimal dialog's Next sets both fields to fixed texts; its Previous
// has no handler and costs the button's own work and the two messages across processes.
bool MeasureClicks(char** ppszFolders, SMeasures* pMeasures)
{
    if (!ResetSettings(ppszFolders[0]) || !ResetSettings(ppszFolders[1]))
        return false;
    CChildProgram app(ppszFolders[0], kExes[0]), minimal(ppszFolders[1], kExes[1]);
    std::string strAppText, strMinimalText;
    if (!app.WaitForNewText(strAppText) || !minimal.WaitForNewText(strMinimalText))
        return false;
    ::Sleep(kSettleMs);
    app.ReadMemory(pMeasures[0].afterStart, pMeasures[0].strGuiAfterStart);
    minimal.ReadMemory(pMeasures[1].afterStart, pMeasures[1].strGuiAfterStart);
    for (int i = 0; i < kClicks; ++i) {
        if (!TimeClick(app, IDC_NEXT, &strAppText, pMeasures[0].clicks) ||
            !TimeClick(minimal, IDC_NEXT, &strMinimalText, pMeasures[1].clicks) ||
            (i % kPlainClickEvery == 0 &&
             !TimeClick(minimal, IDC_PREVIOUS, nullptr, pMeasures[1].plainClicks)))
            return false;
    }
    ::Sleep(kSettleMs);
    app.ReadMemory(pMeasures[0].afterClicks, pMeasures[0].strGuiAfterClicks);
    return true;
}

bool WriteRows(const char* pszPath, const SMeasures& app, const SMeasures& minimal)
{
    std::FILE* pRows = std::fopen(pszPath, "wb");
    if (pRows == nullptr)
        return false;
    // Columns: name, unit, measured, reference label, reference, budget; the report formats them.
    const auto addRow = [pRows](const std::string& strName, const char* pszUnit, double dMeasured,
                                const char* pszLabel, double dReference,
                                const char* pszBudget = "") {
        std::fprintf(pRows, "%s\t%s\t%.6g\t%s\t%.6g\t%s\t\n", strName.c_str(), pszUnit, dMeasured,
                     pszLabel, dReference, pszBudget);
    };
    const std::string strClicks = std::to_string(kClicks) + " clicks";
    addRow("Start-up to first quote (median of " + std::to_string(kStartRuns) + ", interleaved)",
           "s", Median(app.starts), "minimal dialog:", Median(minimal.starts), "<=1.1");
    addRow("Next click to new text (median of " + strClicks + ", interleaved)", "s",
           Median(app.clicks), "minimal dialog setting both fields:", Median(minimal.clicks),
           "<=1.5");
    addRow("Next click, against a button without handler", "s", Median(app.clicks),
           "minimal dialog, no handler:", Median(minimal.plainClicks));
    const PROCESS_MEMORY_COUNTERS &start = app.afterStart, &clicks = app.afterClicks,
                                  &reference = minimal.afterStart;
    addRow("Peak working set after start", "B", start.PeakWorkingSetSize,
           "minimal dialog:", reference.PeakWorkingSetSize);
    addRow("Peak working set after " + strClicks, "B", clicks.PeakWorkingSetSize,
           "after start:", start.PeakWorkingSetSize);
    // The commit charge: Wine leaves PrivateUsage at 0, PagefileUsage is the same figure.
    addRow("Private bytes after start", "B", start.PagefileUsage,
           "minimal dialog:", reference.PagefileUsage);
    addRow("Private bytes after " + strClicks, "B", clicks.PagefileUsage,
           "after start:", start.PagefileUsage);
    std::fprintf(pRows,
                 "GDI / USER objects after start, after %s\t\t%s, %s\tminimal dialog: %s\t\t\t\n",
                 strClicks.c_str(), app.strGuiAfterStart.c_str(), app.strGuiAfterClicks.c_str(),
                 minimal.strGuiAfterStart.c_str());
    return std::fclose(pRows) == 0;
}

int Fail(const char* pszWhat)
{
    std::fprintf(stderr, "ui_bench: %s\n", pszWhat);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    SMeasures measures[2];
    if (argc != 4)
        return Fail("usage: ui_bench APP_FOLDER MINIMAL_FOLDER ROWS_FILE");
    if (!MeasureStarts(argv + 1, measures))
        return Fail("a program did not show its quote");
    if (!MeasureClicks(argv + 1, measures))
        return Fail("a click was not answered");
    return WriteRows(argv[3], measures[0], measures[1]) ? 0 : Fail("cannot write the rows");
}

// The program under Wine against a minimal dialog of the same template: start-up to the first
// quote, the Next click, and what the process holds after start and after many clicks.
// Usage: ui_bench APP_FOLDER MINIMAL_FOLDER ROWS_FILE
#include "resource.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The program first, then its reference.
const char* const kExes[] = {"Adagiomill.exe", "MinimalDialog.exe"};
const int kClicks[] = {1000, 200};
const int kStartRuns = 25;
const DWORD kStartTimeoutMs = 20000;
const DWORD kAnswerMs = 5000;
const DWORD kSettleMs = 300;

double Now()
{
    LARGE_INTEGER frequency = {}, counter = {};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The median resists the odd run that other work on the machine slowed down.
double Median(std::vector<double> samples)
{
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples.empty() ? 0.0 : samples[samples.size() / 2];
}

struct SMemory {
    PROCESS_MEMORY_COUNTERS counters = {};
    std::string strGuiObjects = "not counted";
};

// One run of a dialog program, started in its folder; ended with the object, so no stray
// program outlives the benchmark.
class CChildProgram {
public:
    CChildProgram(const std::string& strFolder, const char* pszExe)
    {
        const std::string strPath = strFolder + "\\" + pszExe;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        if (!::CreateProcessA(strPath.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                              strFolder.c_str(), &startup, &m_process))
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
        ::WaitForSingleObject(m_process.hProcess, kAnswerMs);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }

    // Returns once the control's window procedure has handled the message in the program.
    bool Send(int nControl, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        DWORD_PTR nResult = 0;
        return ::SendMessageTimeoutA(::GetDlgItem(m_hDialog, nControl), nMessage, wParam, lParam,
                                     SMTO_NORMAL, kAnswerMs, &nResult) != 0;
    }

    // The dialog's thread takes sent messages only once the dialog has been initialised.
    bool ReadQuote(std::string& strText) const
    {
        char szText[1024] = "";
        if (!Send(IDC_QUOTE_TEXT, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText)))
            return false;
        szText[sizeof szText - 1] = '\0';
        strText = szText;
        return true;
    }

    // Polls the quote field until it holds text other than before, sleeping a millisecond
    // between reads so the poll takes little from a starting program.
    bool WaitForNewText(std::string& strText, DWORD nTimeoutMs)
    {
        const std::string strOld = strText;
        for (const double dStart = Now(); (Now() - dStart) * 1000.0 < nTimeoutMs; ::Sleep(1)) {
            if (m_process.hProcess == nullptr ||
                ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0)
                return false;
            if (m_hDialog == nullptr)
                ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(this));
            if (ReadQuote(strText) && !strText.empty() && strText != strOld)
                return true;
        }
        return false;
    }

    SMemory Memory() const
    {
        SMemory memory;
        ::GetProcessMemoryInfo(m_process.hProcess, &memory.counters, sizeof memory.counters);
        // Wine does not count GUI objects: the calls fail there.
        ::SetLastError(ERROR_SUCCESS);
        const DWORD nGdi = ::GetGuiResources(m_process.hProcess, GR_GDIOBJECTS);
        const DWORD nUser = ::GetGuiResources(m_process.hProcess, GR_USEROBJECTS);
        if (::GetLastError() == ERROR_SUCCESS)
            memory.strGuiObjects = std::to_string(nGdi) + " / " + std::to_string(nUser);
        return memory;
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

// Seconds from just before CreateProcess until the quote field holds text; negative if never.
double TimeStart(const char* pszFolder, const char* pszExe)
{
    if (!ResetSettings(pszFolder))
        return -1.0;
    const double dStart = Now();
    CChildProgram child(pszFolder, pszExe);
    std::string strText;
    return child.WaitForNewText(strText, kStartTimeoutMs) ? Now() - dStart : -1.0;
}

struct SMeasures {
    std::vector<double> starts, clicks;
    SMemory afterStart, afterClicks;
};

// Interleaved, alternating which goes first, after one unmeasured start of each.
bool MeasureStarts(char** ppszFolders, SMeasures* pMeasures)
{
    for (int nRun = -1; nRun < kStartRuns; ++nRun) {
        for (const int i : {nRun & 1, 1 - (nRun & 1)}) {
            const double dSeconds = TimeStart(ppszFolders[i], kExes[i]);
            if (dSeconds < 0.0)
                return false;
            if (nRun >= 0)
                pMeasures[i].starts.push_back(dSeconds);
        }
    }
    return true;
}

// The minimal dialog's Next button has no handler and its text never changes: a click there
// costs the button's own work and the two messages across processes, nothing else.
bool MeasureClicks(const char* pszFolder, int nProgram, SMeasures& measures)
{
    if (!ResetSettings(pszFolder))
        return false;
    CChildProgram child(pszFolder, kExes[nProgram]);
    std::string strText;
    if (!child.WaitForNewText(strText, kStartTimeoutMs))
        return false;
    ::Sleep(kSettleMs);
    measures.afterStart = child.Memory();
    for (int i = 0; i < kClicks[nProgram]; ++i) {
        const double dStart = Now();
        if (!child.Send(IDC_NEXT, BM_CLICK) ||
            !(nProgram == 0 ? child.WaitForNewText(strText, kAnswerMs) : child.ReadQuote(strText)))
            return false;
        measures.clicks.push_back(Now() - dStart);
    }
    ::Sleep(kSettleMs);
    measures.afterClicks = child.Memory();
    return true;
}

// Columns: name, unit, measured, reference label, reference, budget; the report formats them.
void Row(std::FILE* pRows, const std::string& strName, const char* pszUnit, double dMeasured,
         const char* pszLabel, double dReference, const char* pszBudget = "")
{
    std::fprintf(pRows, "%s\t%s\t%.6g\t%s\t%.6g\t%s\t\n", strName.c_str(), pszUnit, dMeasured,
                 pszLabel, dReference, pszBudget);
}

bool WriteRows(const char* pszPath, const SMeasures& app, const SMeasures& minimal)
{
    std::FILE* pRows = std::fopen(pszPath, "wb");
    if (pRows == nullptr)
        return false;
    const std::string strClicks = std::to_string(kClicks[0]) + " clicks";
    Row(pRows,
        "Start-up to first quote (median of " + std::to_string(kStartRuns) + ", interleaved)", "s",
        Median(app.starts), "minimal dialog:", Median(minimal.starts), "<=1.2");
    Row(pRows, "Next click to new text (median of " + strClicks + ")", "s", Median(app.clicks),
        "minimal dialog, no handler:", Median(minimal.clicks), "<0.005");
    const PROCESS_MEMORY_COUNTERS &start = app.afterStart.counters,
                                  &clicks = app.afterClicks.counters,
                                  &reference = minimal.afterStart.counters;
    Row(pRows, "Peak working set after start", "B", start.PeakWorkingSetSize,
        "minimal dialog:", reference.PeakWorkingSetSize);
    Row(pRows, "Peak working set after " + strClicks, "B", clicks.PeakWorkingSetSize,
        "after start:", start.PeakWorkingSetSize);
    // The commit charge: Wine leaves PrivateUsage at 0, PagefileUsage is the same figure.
    Row(pRows, "Private bytes after start", "B", start.PagefileUsage,
        "minimal dialog:", reference.PagefileUsage);
    Row(pRows, "Private bytes after " + strClicks, "B", clicks.PagefileUsage,
        "after start:", start.PagefileUsage);
    std::fprintf(pRows,
                 "GDI / USER objects after start, after %s\t\t%s, %s\tminimal dialog: %s\t\t\t\n",
                 strClicks.c_str(), app.afterStart.strGuiObjects.c_str(),
                 app.afterClicks.strGuiObjects.c_str(), minimal.afterStart.strGuiObjects.c_str());
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
    if (!MeasureClicks(argv[1], 0, measures[0]) || !MeasureClicks(argv[2], 1, measures[1]))
        return Fail("a Next click was not answered");
    return WriteRows(argv[3], measures[0], measures[1]) ? 0 : Fail("cannot write the rows");
}

#include "ChildProgram.h"

#include "resource.h"

#include <cstring>
#include <psapi.h>
#include <vector>

namespace {

const DWORD kAnswerMs = 5000;
const DWORD kCloseMs = 5000;
const char kDialogClass[] = "#32770";

struct SDialogSearch {
    DWORD nProcessId;
    HWND hFound;
};

BOOL CALLBACK MatchQuoteDialog(HWND hwnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<SDialogSearch*>(lParam);
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hwnd, &nProcessId);
    char szClass[16] = "";
    ::GetClassNameA(hwnd, szClass, sizeof szClass);
    if (nProcessId != pSearch->nProcessId || std::strcmp(szClass, kDialogClass) != 0 ||
        ::GetDlgItem(hwnd, IDC_QUOTE_TEXT) == nullptr)
        return TRUE;
    pSearch->hFound = hwnd;
    return FALSE;
}

long GuiObjects(HANDLE hProcess, DWORD nKind)
{
    ::SetLastError(ERROR_SUCCESS);
    const DWORD nCount = ::GetGuiResources(hProcess, nKind);
    return nCount == 0 && ::GetLastError() != ERROR_SUCCESS ? -1 : static_cast<long>(nCount);
}

} // namespace

CChildProgram::~CChildProgram()
{
    Close();
}

bool CChildProgram::Start(const std::string& strExe, const std::string& strFolder)
{
    Close();
    std::vector<char> commandLine(strExe.begin(), strExe.end());
    commandLine.insert(commandLine.begin(), '"');
    commandLine.push_back('"');
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    m_phases = {};
    m_sinceStart.Restart();
    return ::CreateProcessA(strExe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            strFolder.c_str(), &startup, &m_process) != 0;
}

bool CChildProgram::FindDialog()
{
    SDialogSearch search = {m_process.dwProcessId, nullptr};
    ::EnumWindows(MatchQuoteDialog, reinterpret_cast<LPARAM>(&search));
    m_hDialog = search.hFound;
    return m_hDialog != nullptr;
}

bool CChildProgram::ReadQuoteField(std::string& strText) const
{
    char szText[1024] = "";
    DWORD_PTR nResult = 0;
    if (!::SendMessageTimeoutA(::GetDlgItem(m_hDialog, IDC_QUOTE_TEXT), WM_GETTEXT, sizeof szText,
                               reinterpret_cast<LPARAM>(szText), SMTO_NORMAL, kAnswerMs, &nResult))
        return false;
    szText[sizeof szText - 1] = '\0';
    strText = szText;
    return true;
}

// The field is read at once after a click, whose handler has already set it; at start-up
// the poll sleeps a millisecond between reads so it takes little from the starting program.
bool CChildProgram::WaitForNewText(const std::string& strOld, std::string& strText,
                                   DWORD nTimeoutMs)
{
    const CStopwatch clock;
    while (clock.Seconds() * 1000.0 < nTimeoutMs) {
        const bool bFound = m_hDialog != nullptr || FindDialog();
        if (bFound)
            NotePhase(m_phases.dCreated);
        // The read waits until the dialog's thread takes messages, so it answers only once
        // the dialog has been initialised.
        if (bFound && ReadQuoteField(strText)) {
            NotePhase(m_phases.dAnswering);
            if (!strText.empty() && strText != strOld) {
                NotePhase(m_phases.dText);
                return true;
            }
        }
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0)
            return false;
        ::Sleep(1);
    }
    return false;
}

void CChildProgram::NotePhase(double& dPhase)
{
    if (dPhase < 0.0)
        dPhase = m_sinceStart.Seconds();
}

bool CChildProgram::ClickNext()
{
    DWORD_PTR nResult = 0;
    return m_hDialog != nullptr &&
           ::SendMessageTimeoutA(::GetDlgItem(m_hDialog, IDC_NEXT), BM_CLICK, 0, 0, SMTO_NORMAL,
                                 kAnswerMs, &nResult) != 0;
}

SChildMemory CChildProgram::Memory() const
{
    SChildMemory memory;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (::GetProcessMemoryInfo(m_process.hProcess,
                               reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters)) {
        memory.dPeakWorkingSet = static_cast<double>(counters.PeakWorkingSetSize);
        // Wine leaves PrivateUsage at 0; the page-file figure is the same commit on Windows.
        memory.dPrivateBytes = static_cast<double>(
            counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage);
    }
    memory.nGdiObjects = GuiObjects(m_process.hProcess, GR_GDIOBJECTS);
    memory.nUserObjects = GuiObjects(m_process.hProcess, GR_USEROBJECTS);
    return memory;
}

void CChildProgram::Close()
{
    if (m_process.hProcess == nullptr)
        return;
    if (m_hDialog != nullptr)
        ::PostMessageA(m_hDialog, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(m_process.hProcess, m_hDialog != nullptr ? kCloseMs : 0) !=
        WAIT_OBJECT_0) {
        ::TerminateProcess(m_process.hProcess, 1);
        ::WaitForSingleObject(m_process.hProcess, kCloseMs);
    }
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
    m_process = {};
    m_hDialog = nullptr;
}

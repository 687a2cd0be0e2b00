#include "HelpEngine.h"

#include "Wait.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<DWORD> ChildProcesses(DWORD nParentId)
{
    std::vector<DWORD> children;
    const HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = hSnapshot != INVALID_HANDLE_VALUE && ::Process32First(hSnapshot, &entry);
         bMore; bMore = ::Process32Next(hSnapshot, &entry)) {
        if (entry.th32ParentProcessID == nParentId)
            children.push_back(entry.th32ProcessID);
    }
    if (hSnapshot != INVALID_HANDLE_VALUE)
        ::CloseHandle(hSnapshot);
    return children;
}

struct SWindowSearch {
    std::vector<DWORD> processes;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<SWindowSearch*>(lParam);
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hwnd, &nProcessId);
    const auto& processes = pSearch->processes;
    if (::IsWindowVisible(hwnd) &&
        std::find(processes.begin(), processes.end(), nProcessId) != processes.end())
        pSearch->windows.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> ChildProcessWindows(DWORD nParentId)
{
    SWindowSearch search = {ChildProcesses(nParentId), {}};
    if (!search.processes.empty())
        ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.windows;
}

// "No" declines to look for the file; a window without such a button is simply closed.
void Dismiss(HWND hwnd)
{
    for (const int nAnswer : {IDNO, IDCANCEL}) {
        if (const HWND hButton = ::GetDlgItem(hwnd, nAnswer)) {
            ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(nAnswer, BN_CLICKED),
                           reinterpret_cast<LPARAM>(hButton));
            return;
        }
    }
    ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

} // namespace

bool HasChildProcessWindow(DWORD nParentId)
{
    return !ChildProcessWindows(nParentId).empty();
}

bool EndChildProcesses(DWORD nParentId)
{
    const bool bEnded = WaitUntil([&] {
        for (const HWND hwnd : ChildProcessWindows(nParentId))
            Dismiss(hwnd);
        return ChildProcesses(nParentId).empty();
    });
    for (const DWORD nChild : ChildProcesses(nParentId)) {
        const HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, nChild);
        if (hProcess) {
            ::TerminateProcess(hProcess, 1);
            ::WaitForSingleObject(hProcess, kWaitMs);
            ::CloseHandle(hProcess);
        }
    }
    return bEnded;
}

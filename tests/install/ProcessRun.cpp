#include "ProcessRun.h"

#include <windows.h>

#include <tlhelp32.h>
#include <vector>

namespace {

class CHandle {
public:
    explicit CHandle(HANDLE h = nullptr) : m_h(h) {}
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;
    ~CHandle()
    {
        if (m_h && m_h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(m_h);
        }
    }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

DWORD Remaining(ULONGLONG nDeadline)
{
    const ULONGLONG nNow = ::GetTickCount64();
    return nNow >= nDeadline ? 0 : static_cast<DWORD>(nDeadline - nNow);
}

// The parent's handle stays open meanwhile, so its id cannot pass to another process.
std::vector<DWORD> ChildrenOf(DWORD nParentId)
{
    std::vector<DWORD> children;
    CHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = ::Process32First(snapshot.Get(), &entry); bMore;
         bMore = ::Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID == nParentId) {
            children.push_back(entry.th32ProcessID);
        }
    }
    return children;
}

bool WaitForProcess(HANDLE hProcess, ULONGLONG nDeadline)
{
    return ::WaitForSingleObject(hProcess, Remaining(nDeadline)) == WAIT_OBJECT_0;
}

} // namespace

bool RunToEnd(const std::string& strCommandLine, unsigned nTimeoutMs)
{
    const ULONGLONG nDeadline = ::GetTickCount64() + nTimeoutMs;
    std::vector<char> command(strCommandLine.begin(), strCommandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    CHandle thread(process.hThread);
    CHandle parent(process.hProcess);
    if (!WaitForProcess(parent.Get(), nDeadline)) {
        return false;
    }
    for (DWORD nChildId : ChildrenOf(process.dwProcessId)) {
        CHandle child(::OpenProcess(SYNCHRONIZE, FALSE, nChildId));
        if (child.Get() && !WaitForProcess(child.Get(), nDeadline)) {
            return false;
        }
    }
    return true;
}

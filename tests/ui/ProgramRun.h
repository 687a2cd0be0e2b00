// One run of the program, started in its folder; a run still going when the object dies
// is killed, so a stuck program never outlives its test.
#pragma once

#include "Wait.h"

#include <string>
#include <windows.h>

class CProgramRun {
public:
    CProgramRun() = default;
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;
    ~CProgramRun();

    // Starts Adagiomill.exe from the folder, with the folder as working directory.
    bool Start(const std::string& strFolder);
    // The same, but working in another directory, as a shortcut elsewhere would start it.
    bool Start(const std::string& strFolder, const std::string& strWorkDir);
    DWORD ProcessId() const { return m_nProcessId; }
    bool IsRunning() const;
    // True when the program ended before the deadline.
    bool WaitForEnd(unsigned nTimeoutMs = kWaitMs) const;
    void Kill();

private:
    HANDLE m_hProcess = nullptr;
    DWORD m_nProcessId = 0;
};

#include "ProgramRun.h"

#include <vector>

CProgramRun::~CProgramRun()
{
    Kill();
    if (m_hProcess)
        ::CloseHandle(m_hProcess);
}

bool CProgramRun::Start(const std::string& strFolder)
{
    return Start(strFolder, strFolder);
}

bool CProgramRun::Start(const std::string& strFolder, const std::string& strWorkDir)
{
    const std::string strExe = strFolder + "\\Adagiomill.exe";
    const std::string strCommand = "\"" + strExe + "\"";
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(strExe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          strWorkDir.c_str(), &startup, &process)) {
        return false;
    }
    ::CloseHandle(process.hThread);
    m_hProcess = process.hProcess;
    m_nProcessId = process.dwProcessId;
    return true;
}

bool CProgramRun::IsRunning() const
{
    return m_hProcess && ::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

bool CProgramRun::WaitForEnd(unsigned nTimeoutMs) const
{
    return m_hProcess && ::WaitForSingleObject(m_hProcess, nTimeoutMs) == WAIT_OBJECT_0;
}

void CProgramRun::Kill()
{
    if (IsRunning()) {
        ::TerminateProcess(m_hProcess, 1);
        ::WaitForSingleObject(m_hProcess, kWaitMs);
    }
}

// Driving the program from outside with messages only, as under Xvfb nothing has the focus; every
// wait has a deadline. No test framework here: the installer probe builds on this too.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

constexpr unsigned kWaitMs = 5000;

// Texts and paths are UTF-8 here; Windows gets them wide, so any folder name will do.
std::wstring Wide(const std::string& strUtf8);
std::string Utf8(const wchar_t* pszWide);

// False when the deadline passed first.
bool WaitUntil(const std::function<bool()>& fnDone, unsigned nTimeoutMs = kWaitMs);

// A visible dialog holding the control, of the process (0: any) and owned by hOwner (null: any).
HWND FindDialog(int nControlId, DWORD nProcessId, HWND hOwner = nullptr);

// Nothing when the window does not answer in time.
std::optional<LRESULT> SendWithDeadline(HWND hwnd, UINT nMessage, WPARAM wParam = 0,
                                        LPARAM lParam = 0);
std::optional<LRESULT> SendToItem(HWND hDlg, int nControlId, UINT nMessage, WPARAM wParam = 0,
                                  LPARAM lParam = 0);

// Texts in UTF-8, through the wide messages; a marker text when the window does not answer.
std::string WindowText(HWND hwnd);
std::string ItemText(HWND hDlg, int nControlId);
bool SetItemText(HWND hDlg, int nControlId, const std::string& strText);

// Returns once the click's handler has run: not for a button that opens a modal dialog.
bool ClickButton(HWND hDlg, int nControlId);
// The button's command, queued; for buttons that open a modal dialog.
bool PostCommand(HWND hDlg, int nControlId);

// The window has taken its pending messages and holds no part waiting to be painted.
bool IsPainted(HWND hwnd);

// In screen pixels; empty for a window that is gone.
RECT WindowRect(HWND hwnd);

// A process started by the test, killed if still going when the object dies.
class CProgramRun {
public:
    CProgramRun() = default;
    CProgramRun(const CProgramRun&) = delete;
    CProgramRun& operator=(const CProgramRun&) = delete;
    ~CProgramRun();

    // An empty working directory: the caller's. Both in UTF-8.
    bool Start(const std::string& strCommandLine, const std::string& strWorkDir);
    DWORD ProcessId() const { return m_nProcessId; }
    bool WaitForEnd(unsigned nTimeoutMs = kWaitMs) const;

private:
    HANDLE m_hProcess = nullptr;
    DWORD m_nProcessId = 0;
};

std::vector<DWORD> ChildProcesses(DWORD nParentId);

// A shortcut read back through the shell's own link object, as Windows reads it.
struct SShellLink {
    std::string strTarget;
    std::string strWorkDir;
};

// Nothing when the file is missing or is not a shortcut.
std::optional<SShellLink> LoadShellLink(const std::string& strPath);

#include "Driver.h"

#include <cstring>
#include <filesystem>

#include <shlobj.h>
#include <tlhelp32.h>

const UINT kAnswerMs = 2000;
const DWORD kPollMs = 20;

// The C++ library's own UTF-8 and UTF-16 conversions, which a path takes.
std::wstring Wide(const std::string& strUtf8)
{
    return std::filesystem::u8path(strUtf8).wstring();
}

std::string Utf8(const wchar_t* pszWide)
{
    return std::filesystem::path(pszWide).u8string();
}

bool WaitUntil(const std::function<bool()>& fnDone, unsigned nTimeoutMs)
{
    const ULONGLONG nDeadline = ::GetTickCount64() + nTimeoutMs;
    while (!fnDone()) {
        if (::GetTickCount64() >= nDeadline)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

HWND FindDialog(int nControlId, DWORD nProcessId, HWND hOwner)
{
    for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        char szClass[16] = "";
        ::GetClassNameA(hwnd, szClass, sizeof szClass);
        DWORD nOwner = 0;
        ::GetWindowThreadProcessId(hwnd, &nOwner);
        if (::IsWindowVisible(hwnd) && std::strcmp(szClass, "#32770") == 0 &&
            ::GetDlgItem(hwnd, nControlId) && (!nProcessId || nOwner == nProcessId) &&
            (!hOwner || ::GetWindow(hwnd, GW_OWNER) == hOwner))
            return hwnd;
    }
    return nullptr;
}

std::optional<LRESULT> SendWithDeadline(HWND hwnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR nResult = 0;
    if (!hwnd || !::SendMessageTimeoutW(hwnd, nMessage, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs,
                                        &nResult))
        return std::nullopt;
    return static_cast<LRESULT>(nResult);
}

std::string WindowText(HWND hwnd)
{
    wchar_t szText[1024] = L"";
    if (!SendWithDeadline(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(szText)))
        return "<window did not answer>";
    szText[1023] = L'\0';
    return Utf8(szText);
}

std::optional<LRESULT> SendToItem(HWND hDlg, int nControlId, UINT nMessage, WPARAM wParam,
                                  LPARAM lParam)
{
    return SendWithDeadline(::GetDlgItem(hDlg, nControlId), nMessage, wParam, lParam);
}

std::string ItemText(HWND hDlg, int nControlId)
{
    return WindowText(::GetDlgItem(hDlg, nControlId));
}

bool SetItemText(HWND hDlg, int nControlId, const std::string& strText)
{
    const std::wstring strWide = Wide(strText);
    return SendToItem(hDlg, nControlId, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strWide.c_str()))
        .has_value();
}

bool ClickButton(HWND hDlg, int nControlId)
{
    return SendToItem(hDlg, nControlId, BM_CLICK).has_value();
}

bool PostCommand(HWND hDlg, int nControlId)
{
    const HWND hButton = ::GetDlgItem(hDlg, nControlId);
    return hButton && ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nControlId, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(hButton)) != 0;
}

bool IsPainted(HWND hwnd)
{
    return SendWithDeadline(hwnd, WM_NULL) && !::GetUpdateRect(hwnd, nullptr, FALSE);
}

RECT WindowRect(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

CProgramRun::~CProgramRun()
{
    if (m_hProcess) {
        // Fails harmlessly on a process that has ended.
        ::TerminateProcess(m_hProcess, 1);
        ::WaitForSingleObject(m_hProcess, kWaitMs);
        ::CloseHandle(m_hProcess);
    }
}

bool CProgramRun::Start(const std::string& strCommandLine, const std::string& strWorkDir)
{
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring strCommand = Wide(strCommandLine);
    const std::wstring strDir = Wide(strWorkDir);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          strDir.empty() ? nullptr : strDir.c_str(), &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    m_hProcess = process.hProcess;
    m_nProcessId = process.dwProcessId;
    return true;
}

bool CProgramRun::WaitForEnd(unsigned nTimeoutMs) const
{
    return m_hProcess && ::WaitForSingleObject(m_hProcess, nTimeoutMs) == WAIT_OBJECT_0;
}

std::vector<DWORD> ChildProcesses(DWORD nParentId)
{
    std::vector<DWORD> children;
    const HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = hSnapshot != INVALID_HANDLE_VALUE && ::Process32First(hSnapshot, &entry);
         bMore; bMore = ::Process32Next(hSnapshot, &entry))
        if (entry.th32ParentProcessID == nParentId)
            children.push_back(entry.th32ProcessID);
    if (hSnapshot != INVALID_HANDLE_VALUE)
        ::CloseHandle(hSnapshot);
    return children;
}

std::optional<SShellLink> LoadShellLink(const std::string& strPath)
{
    const bool bCom = SUCCEEDED(::CoInitialize(nullptr));
    std::optional<SShellLink> link;
    IShellLinkW* pLink = nullptr;
    IPersistFile* pFile = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, reinterpret_cast<void**>(&pLink))) &&
        SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile))) &&
        SUCCEEDED(pFile->Load(Wide(strPath).c_str(), STGM_READ))) {
        // The item list holds the target in UTF-16; Wine's GetPath answers in the ANSI code page.
        wchar_t szTarget[MAX_PATH] = L"";
        wchar_t szWorkDir[MAX_PATH] = L"";
        PIDLIST_ABSOLUTE pItems = nullptr;
        if (SUCCEEDED(pLink->GetIDList(&pItems))) {
            ::SHGetPathFromIDListW(pItems, szTarget);
            ::CoTaskMemFree(pItems);
        }
        pLink->GetWorkingDirectory(szWorkDir, MAX_PATH);
        szTarget[MAX_PATH - 1] = szWorkDir[MAX_PATH - 1] = L'\0';
        link = SShellLink{Utf8(szTarget), Utf8(szWorkDir)};
    }
    if (pFile)
        pFile->Release();
    if (pLink)
        pLink->Release();
    if (bCom)
        ::CoUninitialize();
    return link;
}

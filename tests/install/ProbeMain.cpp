// adagio-probe: what the install test and the screenshots need from inside Wine.
//   link <file.lnk>              prints the shortcut's target and working directory
//   launch <file.lnk>            starts the target in the working directory, prints the quote
//                                window's caption and fields, closes it with Close
//   rect <caption prefix>        waits for the window, prints its frame as WxH+X+Y
//   post <caption prefix> <id>   sends the window a button command
//   run <program> [arguments]    runs the program to its end, with what it started
#include "ProcessRun.h"
#include "ShortcutReader.h"
#include "TopWindow.h"
#include "resource.h"

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kQuoteCaptionPrefix[] = "Adagiomill v";
const DWORD kEndWaitMs = 10000;

class CComScope {
public:
    CComScope() { ::CoInitialize(nullptr); }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;
    ~CComScope() { ::CoUninitialize(); }
};

int Fail(const char* pszWhat)
{
    std::fprintf(stderr, "adagio-probe: %s\n", pszWhat);
    return 1;
}

bool PostButton(HWND hwnd, int nId)
{
    return ::PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                          reinterpret_cast<LPARAM>(::GetDlgItem(hwnd, nId))) != 0;
}

int PrintLink(const std::string& strLink)
{
    CComScope com;
    SShortcut shortcut;
    if (!ReadShortcut(strLink, shortcut)) {
        return Fail("not a readable shortcut");
    }
    std::printf("target=%s\nworkdir=%s\n", shortcut.strTarget.c_str(), shortcut.strWorkDir.c_str());
    return 0;
}

bool StartProgram(const SShortcut& shortcut, PROCESS_INFORMATION& process)
{
    const std::string strCommand = "\"" + shortcut.strTarget + "\"";
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return ::CreateProcessA(shortcut.strTarget.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, shortcut.strWorkDir.c_str(), &startup, &process) != 0;
}

int ShowAndClose(const PROCESS_INFORMATION& process)
{
    const HWND hwnd = WaitForWindow(kQuoteCaptionPrefix, process.dwProcessId);
    if (!hwnd || !WaitUntilPainted(hwnd)) {
        return Fail("the quote window did not show");
    }
    std::printf("caption=%s\nquote=%s\nauthor=%s\n", WindowText(hwnd).c_str(),
                WindowText(::GetDlgItem(hwnd, IDC_QUOTE_TEXT)).c_str(),
                WindowText(::GetDlgItem(hwnd, IDC_QUOTE_AUTHOR)).c_str());
    if (!PostButton(hwnd, IDCANCEL) ||
        ::WaitForSingleObject(process.hProcess, kEndWaitMs) != WAIT_OBJECT_0) {
        return Fail("the program did not end on Close");
    }
    return 0;
}

int LaunchLink(const std::string& strLink)
{
    SShortcut shortcut;
    {
        CComScope com;
        if (!ReadShortcut(strLink, shortcut)) {
            return Fail("not a readable shortcut");
        }
    }
    PROCESS_INFORMATION process = {};
    if (!StartProgram(shortcut, process)) {
        return Fail("the shortcut's target did not start");
    }
    const int nResult = ShowAndClose(process);
    if (nResult != 0) {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return nResult;
}

int PrintRect(const std::string& strPrefix)
{
    const HWND hwnd = WaitForWindow(strPrefix);
    if (!hwnd || !WaitUntilPainted(hwnd)) {
        return Fail("no such window");
    }
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    return 0;
}

int PostCommand(const std::string& strPrefix, const char* pszId)
{
    const HWND hwnd = WaitForWindow(strPrefix);
    if (!hwnd || !PostButton(hwnd, std::atoi(pszId))) {
        return Fail("no such window");
    }
    return 0;
}

int RunProgram(int argc, char** argv)
{
    std::string strCommandLine = std::string("\"") + argv[2] + "\"";
    for (int i = 3; i < argc; ++i) {
        strCommandLine += std::string(" ") + argv[i];
    }
    return RunToEnd(strCommandLine) ? 0 : Fail("the program did not run to its end");
}

int Usage()
{
    return Fail("usage: link|launch <file.lnk>, rect <caption>, post <caption> <id>, "
                "run <program> [arguments]");
}

} // namespace

int main(int argc, char** argv)
{
    const std::string strCommand = argc > 1 ? argv[1] : "";
    if (argc == 3 && strCommand == "link") {
        return PrintLink(argv[2]);
    }
    if (argc == 3 && strCommand == "launch") {
        return LaunchLink(argv[2]);
    }
    if (argc == 3 && strCommand == "rect") {
        return PrintRect(argv[2]);
    }
    if (argc == 4 && strCommand == "post") {
        return PostCommand(argv[2], argv[3]);
    }
    if (argc >= 3 && strCommand == "run") {
        return RunProgram(argc, argv);
    }
    return Usage();
}

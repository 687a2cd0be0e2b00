// adagio-probe: what the install test and the screenshots need from inside Wine.
//   link <file.lnk>            prints the shortcut's target and working directory
//   rect <control id>          prints the frame of the dialog holding the control, WxH+X+Y
//   post <control id> <id>     sends that dialog a button command
//   run <program> [arguments]  runs the program to its end, with what it started
//   texts <control id>         prints the texts of that dialog and of its controls, one a line
#include "Driver.h"
#include "resource.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The first start of a program in a fresh prefix is slow.
const unsigned kShowWaitMs = 15000;
// An NSIS uninstaller copies itself to the temporary folder and lets the copy do the work.
const unsigned kRunWaitMs = 60000;

int Fail(const char* pszWhat)
{
    std::fprintf(stderr, "adagio-probe: %s\n", pszWhat);
    return 1;
}

HWND WaitForDialog(DWORD nProcessId, int nControlId)
{
    HWND hwnd = nullptr;
    const bool bShown =
        WaitUntil([&] { return (hwnd = FindDialog(nControlId, nProcessId)) && IsPainted(hwnd); },
                  kShowWaitMs);
    return bShown ? hwnd : nullptr;
}

int PrintLink(const std::string& strLink)
{
    const std::optional<SShellLink> link = LoadShellLink(strLink);
    if (!link)
        return Fail("not a readable shortcut");
    std::printf("target=%s\nworkdir=%s\n", link->strTarget.c_str(), link->strWorkDir.c_str());
    return 0;
}

int PrintRect(int nControlId)
{
    const HWND hwnd = WaitForDialog(0, nControlId);
    if (!hwnd)
        return Fail("no such window");
    const RECT rect = WindowRect(hwnd);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left,
                rect.top);
    return 0;
}

int PostButton(int nControlId, int nButton)
{
    const HWND hwnd = WaitForDialog(0, nControlId);
    return hwnd && PostCommand(hwnd, nButton) ? 0 : Fail("no such window");
}

int RunProgram(int argc, char** argv)
{
    std::string strCommandLine = std::string("\"") + argv[2] + "\"";
    for (int i = 3; i < argc; ++i)
        strCommandLine += std::string(" ") + argv[i];
    CProgramRun run;
    if (!run.Start(strCommandLine, "") || !run.WaitForEnd(kRunWaitMs))
        return Fail("the program did not run to its end");
    // The run still holds the parent's handle, so its id cannot pass to another process.
    if (!WaitUntil([&] { return ChildProcesses(run.ProcessId()).empty(); }, kRunWaitMs))
        return Fail("what the program started did not end");
    return 0;
}

int PrintTexts(int nControlId)
{
    const HWND hwnd = WaitForDialog(0, nControlId);
    if (!hwnd)
        return Fail("no such window");
    std::printf("%s\n", WindowText(hwnd).c_str());
    const auto printText = [](HWND hChild, LPARAM) {
        return std::printf("%s\n", WindowText(hChild).c_str()) > 0 ? TRUE : FALSE;
    };
    ::EnumChildWindows(hwnd, printText, 0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string strCommand = argc > 1 ? argv[1] : "";
    if (argc == 3 && strCommand == "link")
        return PrintLink(argv[2]);
    if (argc == 3 && strCommand == "rect")
        return PrintRect(std::atoi(argv[2]));
    if (argc == 4 && strCommand == "post")
        return PostButton(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 3 && strCommand == "run")
        return RunProgram(argc, argv);
    if (argc == 3 && strCommand == "texts")
        return PrintTexts(std::atoi(argv[2]));
    return Fail("usage: link <file.lnk>, rect <control id>, post <control id> <id>, "
                "run <program> [arguments], texts <control id>");
}

// A folder where index.txt cannot be written (a directory holds its name): a Close by the
// user says so once, every other close stays silent, and nothing is written elsewhere.
#include "ProgramTest.h"

#include <filesystem>

namespace {

// The system keeps a message box's text in its static control 0xFFFF.
const int kBoxText = 0xFFFF;

struct SCloseWay {
    const char* pszName;
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    bool bUserClose;
};

using CUnwritableFolderTest = CProgramTest;

// A message box would keep the program from ending: each silent close must end it at once.
TEST_F(CUnwritableFolderTest, OnlyAUsersCloseSaysTheSettingsWereLost)
{
    const SCloseWay kWays[] = {
        {"Close", WM_COMMAND, IDCANCEL, 0, true},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, 1, true},
        {"system menu", WM_SYSCOMMAND, SC_CLOSE, 0, true},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN << 16, true},
        {"another program", WM_CLOSE, 0, 0, false},
        {"close timer", WM_TIMER, 1, 0, false},
    };
    char szSuggested[MAX_PATH] = "";
    ::ExpandEnvironmentStringsA("%LOCALAPPDATA%\\Programs\\Adagiomill", szSuggested, MAX_PATH);
    const std::string strMessage =
        "Adagiomill could not save its settings in the folder " + m_strFolder +
        ".\n\nWindows does not let it write files there. Move the Adagiomill folder to a folder "
        "of your own, such as " +
        std::string(szSuggested) + ", and start Adagiomill from there.";
    ASSERT_TRUE(::CreateDirectoryA(PathOf("index.txt").c_str(), nullptr));
    for (const SCloseWay& way : kWays) {
        const HWND hQuote = StartProgram();
        ASSERT_NE(hQuote, nullptr) << way.pszName;
        ASSERT_TRUE(::PostMessageA(hQuote, way.nMessage, way.wParam, way.lParam));
        HWND hBox = nullptr;
        if (way.bUserClose) {
            ASSERT_TRUE(WaitUntil([&] { return (hBox = FindDialog(kBoxText, m_run.ProcessId())); }))
                << way.pszName << ": no message box";
            EXPECT_EQ(WindowText(hBox), "Adagiomill");
            EXPECT_EQ(ItemText(hBox, kBoxText), strMessage);
            EXPECT_TRUE(ClickButton(hBox, IDOK));
        }
        EXPECT_TRUE(m_run.WaitForEnd()) << way.pszName << ": the program did not end";
    }
    std::vector<std::string> vecLeft;
    for (const auto& entry : std::filesystem::directory_iterator(m_strFolder))
        vecLeft.push_back(entry.path().filename().string());
    std::sort(vecLeft.begin(), vecLeft.end());
    EXPECT_EQ(vecLeft,
              (std::vector<std::string>{"Adagiomill.exe", "index.txt", "miscellaneous.adg"}));
}

} // namespace

// A folder where index.txt cannot be written (a directory holds its name): a Close by the
// user says so once, every other close stays silent, and nothing is written elsewhere.
#include "ProgramTest.h"

#include <filesystem>

namespace {

using CUnwritableFolderTest = CProgramTest;

// A message box would keep the program from ending: each silent close must end it at once.
TEST_F(CUnwritableFolderTest, OnlyAUsersCloseSaysTheSettingsWereLost)
{
    // The close, the message posted to the quote window, and whether the user gave it.
    const std::tuple<const char*, UINT, WPARAM, LPARAM, bool> kCloses[] = {
        {"Close", WM_COMMAND, IDCANCEL, 0, true},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, 1, true},
        {"system menu", WM_SYSCOMMAND, SC_CLOSE, 0, true},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN << 16, true},
        {"another program", WM_CLOSE, 0, 0, false},
        {"close timer", WM_TIMER, 1, 0, false}};
    char szSuggested[MAX_PATH] = "";
    ::ExpandEnvironmentStringsA("%LOCALAPPDATA%\\Programs\\Adagiomill", szSuggested, MAX_PATH);
    const std::string strMessage =
        "Adagiomill could not save its settings in the folder " + m_strFolder +
        ".\n\nWindows does not let it write files there. Move the Adagiomill folder to a folder "
        "of your own, such as " +
        szSuggested + ", and start Adagiomill from there.";
    ASSERT_TRUE(::CreateDirectoryA(PathOf("index.txt").c_str(), nullptr));
    for (const auto& [pszClose, nMessage, wParam, lParam, bUserClose] : kCloses) {
        const HWND hQuote = StartProgram();
        ASSERT_TRUE(hQuote && ::PostMessageA(hQuote, nMessage, wParam, lParam)) << pszClose;
        // The system keeps a message box's text in its static control 0xFFFF.
        HWND hBox = nullptr;
        if (bUserClose) {
            ASSERT_TRUE(WaitUntil([&] { return (hBox = FindDialog(0xFFFF, m_run.ProcessId())); }))
                << pszClose << ": no message box";
            EXPECT_EQ(WindowText(hBox), "Adagiomill");
            EXPECT_EQ(ItemText(hBox, 0xFFFF), strMessage);
            EXPECT_TRUE(ClickButton(hBox, IDOK));
        }
        EXPECT_TRUE(m_run.WaitForEnd()) << pszClose << ": the program did not end";
    }
    std::vector<std::string> vecLeft;
    for (const auto& entry : std::filesystem::directory_iterator(m_strFolder))
        vecLeft.push_back(entry.path().filename().string());
    EXPECT_EQ(vecLeft.size(), 3u) << "written elsewhere: " << testing::PrintToString(vecLeft);
}

} // namespace

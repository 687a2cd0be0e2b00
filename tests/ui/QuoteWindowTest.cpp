// The quote window end to end: the built program in a fresh folder, driven through its
// windows, with the settings it leaves in index.txt checked byte for byte.
#include "ProgramTest.h"

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const std::string kDefaultCaption = kCaptionPrefix + "Miscellaneous";
const char kDefaultSaved[] = "miscellaneous.adg\n0\n10\n2\n1\n0";
// The first quote of the module we ship, a "~" shown as a line break.
const SDisplay kFirstDefault = {
    "All the world's a stage,\r\nAnd all the men and women merely players.", "William Shakespeare"};
const char kThree[] = "three.adg";

using CQuoteWindowTest = CProgramTest;

// The first run shows the first quote of the module we ship and saves the defaults. Then saved 7
// lies beyond a module that has since shrunk: the first display wraps to quote 1. A module gone
// keeps the quote shown until the next step, which falls back to the module we ship.
TEST_F(CQuoteWindowTest, FirstRunStepsWrapAndDeletedModuleFallsBack)
{
    HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), kDefaultCaption);
    EXPECT_EQ(Shown(hwnd), kFirstDefault);
    CloseProgram(hwnd);
    EXPECT_EQ(Saved(), kDefaultSaved);

    Prepare({kThree, 7}, ModuleText("Three", 3, 3));
    hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), kCaptionPrefix + "Three");
    EXPECT_EQ(ShownIndex(hwnd, "Three"), 0);
    const std::pair<int, int> kSteps[] = {{IDC_PREVIOUS, 2}, {IDC_NEXT, 0}, {IDC_NEXT, 1}};
    for (const auto& [nButton, nQuote] : kSteps) {
        ASSERT_TRUE(ClickButton(hwnd, nButton));
        EXPECT_EQ(ShownIndex(hwnd, "Three"), nQuote);
    }
    ASSERT_TRUE(::DeleteFileW(Wide(PathOf(kThree)).c_str()));
    ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT));
    EXPECT_EQ(WindowText(hwnd), kDefaultCaption);
    EXPECT_EQ(Shown(hwnd), Quote("Three", 1));
    ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT));
    EXPECT_EQ(Shown(hwnd), kFirstDefault);
    CloseProgram(hwnd);
    EXPECT_EQ(Saved(), kDefaultSaved);
}

// Each field shows by its own bytes: UTF-8 without a byte-order mark, through Unicode windows
// that hold any character, as Windows keeps it and not only as Wine does.
TEST_F(CQuoteWindowTest, Utf8ModuleShowsEveryScript)
{
    const SDisplay kQuotes[] = {{u8"La vie est brève, l’art est long — déjà vu.", u8"Hippocrate"},
                                {u8"Σπεῦδε βραδέως.", u8"Αὔγουστος"},
                                {u8"欲速則不達。", u8"孔子"}};
    std::string strModule = u8"Sprüche\r\n3\r\n";
    for (const auto& [strText, strAuthor] : kQuotes)
        strModule += "%\r\n" + strText + "\r\n" + strAuthor + "\r\n";
    Prepare({kThree, 2}, strModule);
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    for (const HWND hWindow :
         {hwnd, ::GetDlgItem(hwnd, IDC_QUOTE_TEXT), ::GetDlgItem(hwnd, IDC_QUOTE_AUTHOR)})
        EXPECT_TRUE(::IsWindowUnicode(hWindow)) << ::GetDlgCtrlID(hWindow);
    wchar_t szCaption[64] = L"";
    ::GetWindowTextW(hwnd, szCaption, 64);
    EXPECT_STREQ(szCaption, L"Adagiomill v1.2.0 -- Sprüche");
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(Shown(hwnd), kQuotes[i % 3]) << i;
        ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT));
    }
    CloseProgram(hwnd);
}

// index.txt unwritable (a directory holds its name): only a Close by the user says so, once;
// a box at another close would keep the program from ending. Nothing is written elsewhere.
TEST_F(CQuoteWindowTest, OnlyAUsersCloseSaysTheSettingsWereLostInAnUnwritableFolder)
{
    // The close, the message posted to the quote window, and whether the user gave it. The
    // message box's caption and text, which the system keeps in its static control 0xFFFF.
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
        "Adagiomill|Adagiomill could not save its settings in the folder " + m_strFolder +
        ".\n\nWindows does not let it write files there. "
        "Move the Adagiomill folder to a folder of your own, such as " +
        szSuggested + ", and start Adagiomill from there.";
    ASSERT_TRUE(::CreateDirectoryW(Wide(PathOf("index.txt")).c_str(), nullptr));
    for (const auto& [pszClose, nMessage, wParam, lParam, bUserClose] : kCloses) {
        const HWND hQuote = StartProgram();
        ASSERT_TRUE(hQuote && ::PostMessageA(hQuote, nMessage, wParam, lParam)) << pszClose;
        if (HWND hBox = nullptr; bUserClose) {
            ASSERT_TRUE(WaitUntil([&] { return (hBox = FindDialog(0xFFFF, 0)); })) << pszClose;
            EXPECT_EQ(WindowText(hBox) + "|" + ItemText(hBox, 0xFFFF), strMessage);
            EXPECT_TRUE(ClickButton(hBox, IDOK));
        }
        EXPECT_TRUE(m_run.WaitForEnd()) << pszClose << ": the program did not end";
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::u8path(m_strFolder)), {}), 3)
        << "written elsewhere";
}

TEST_F(CQuoteWindowTest, CloseTimerEndsProgramAndSavesSettings)
{
    Prepare({kThree, 0, 1, 2, 1}, ModuleText("Three", 3, 3));
    const ULONGLONG nStart = ::GetTickCount64();
    ASSERT_TRUE(m_run.Start("\"" + PathOf("Adagiomill.exe") + "\"", m_strFolder) &&
                m_run.WaitForEnd(3 * kWaitMs))
        << "the close timer did not end it";
    EXPECT_GE(::GetTickCount64() - nStart, 900u) << "ended before its one-second interval";
    EXPECT_EQ(Saved(), SavedText({kThree, 1, 1, 2, 1}));
}

// index.txt held for a moment, as a virus scanner or a synchronising client holds a file, costs
// no setting: the program tries the replace again, and leaves no temporary behind.
TEST_F(CQuoteWindowTest, SettingsHeldForAMomentAtCloseStillArrive)
{
    Prepare({kThree, 0}, ModuleText("Three", 3, 3));
    const HWND hwnd = StartProgram();
    const fs::path temporary = fs::u8path(PathOf("index.txt.new"));
    const HANDLE hHeld = ::CreateFileW(Wide(PathOf("index.txt")).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    const bool bTried =
        PostCommand(hwnd, IDCANCEL) && WaitUntil([&] { return fs::exists(temporary); });
    ::Sleep(100);
    ::CloseHandle(hHeld);
    ASSERT_TRUE(bTried) << "no temporary was written while index.txt was held";
    EXPECT_TRUE(m_run.WaitForEnd());
    EXPECT_EQ(Saved(), SavedText({kThree, 1}));
    EXPECT_FALSE(fs::exists(temporary));
}

} // namespace

// The options dialog end to end: settings changed through the real dialog, the refusals it
// shows, and what reaches the quote window and index.txt.
#include "ProgramTest.h"

namespace {

const char kModule[] = "sayings.adg";
const char kTitle[] = "Sayings";
const std::string kSayings = ModuleText(kTitle, 3, 3);
const int kRandom = 1, kSequential = 2;
enum { kCenter, kTopLeft };
// The system keeps a message box's text in its static control 0xFFFF.
const int kBoxText = 0xFFFF;
// Window corners on the 1024 x 768 virtual desktop.
const std::pair<int, int> kCorners[] = {{308, 298}, {52, 62}};

std::pair<int, int> TopLeft(HWND hwnd)
{
    const RECT rect = WindowRect(hwnd);
    return {rect.left, rect.top};
}

class COptionsDialogTest : public CProgramTest {
protected:
    // Presses OK and expects the message box; the dialog stays open after it.
    static void ExpectRefusal(HWND hOptions, const char* pszMessage)
    {
        ASSERT_TRUE(PostCommand(hOptions, IDOK));
        HWND hBox = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (hBox = FindDialog(kBoxText, 0, hOptions)); }))
            << "no message box";
        EXPECT_EQ(WindowText(hBox), "Adagiomill");
        EXPECT_EQ(ItemText(hBox, kBoxText), pszMessage);
        // The dialog answers only once the handler that showed the box has returned.
        ASSERT_TRUE(ClickButton(hBox, IDOK) && WaitUntil([&] { return !::IsWindow(hBox); }) &&
                    SendWithDeadline(hOptions, WM_NULL));
        EXPECT_TRUE(::IsWindowVisible(hOptions)) << "the dialog closed after a refusal";
        const auto nLength = static_cast<WORD>(ItemText(hOptions, IDC_INTERVAL).size());
        EXPECT_EQ(SendToItem(hOptions, IDC_INTERVAL, EM_GETSEL), MAKELONG(0, nLength))
            << "the seconds are not selected whole";
        // GetFocus answers only for the caller's own thread; a disabled field cannot have it.
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(hOptions, nullptr), &info));
        const HWND hInterval = ::GetDlgItem(hOptions, IDC_INTERVAL);
        if (::IsWindowEnabled(hInterval)) {
            EXPECT_EQ(info.hwndFocus, hInterval) << "the seconds field has no focus";
        }
    }
};

// An out-of-range interval is refused even with the timer off. A title line longer than the
// title reader takes spoils the header: such a module stays active, showing a message, and a
// module away from index.txt is saved by its full path.
TEST_F(COptionsDialogTest, RefusalsArrowsAndInvalidModule)
{
    // Beside the program's folder, not in it.
    const std::string strFarPath = m_strFolder + "-far.adg";
    ASSERT_TRUE(Write(strFarPath, ModuleText("A Title Longer Than Twenty-Four", 2, 2)));
    Prepare({kModule, 0, 40}, kSayings);
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), "40");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(hOptions, IDC_INTERVAL_SPIN)));
    ExpectRefusal(hOptions, "Please enter an integer between 5 and 30.");

    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(hOptions, IDC_INTERVAL_SPIN)));
    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "7x"));
    ExpectRefusal(hOptions, "Please enter an integer.");
    // Up from 29 reaches the bound and stays there.
    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "29"));
    for (const char* pszAfter : {"30", "30"}) {
        // Repeat count 1; the key-up also carries the previous-state and transition bits.
        const LPARAM lDown = 1 | static_cast<LPARAM>(::MapVirtualKeyA(VK_UP, 0)) << 16;
        ASSERT_TRUE(SendToItem(hOptions, IDC_INTERVAL, WM_KEYDOWN, VK_UP, lDown) &&
                    SendToItem(hOptions, IDC_INTERVAL, WM_KEYUP, VK_UP, lDown | 0xC0000000));
        EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), pszAfter);
    }
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK)) << "30 refused";

    hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    ChooseModule(hOptions, strFarPath, "A Title Longer Than Twen");
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    EXPECT_EQ(WindowText(hQuote), kCaptionPrefix + "A Title Longer Than Twen");
    ASSERT_TRUE(ClickButton(hQuote, IDC_NEXT));
    EXPECT_EQ(Shown(hQuote), kInvalidModule);
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({strFarPath, 0, 30, kSequential, 1}));
}

// Cancel drops every change but still places the window again and redraws it, so the quote
// edited on disk meanwhile shows. OK applies everything at once; a module beside index.txt
// is saved by its bare name.
TEST_F(COptionsDialogTest, CancelKeepsEverySettingAndOkAppliesAll)
{
    Prepare({kModule, 0, 12, kSequential, 0, kTopLeft}, kSayings);
    ASSERT_TRUE(Write("other.adg", ModuleText("Other", 2, 2)));
    const std::string strOther = m_strFolder + "\\other.adg";
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    EXPECT_EQ(TopLeft(hQuote), kCorners[kTopLeft]);
    ::SetWindowPos(hQuote, nullptr, 200, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    EXPECT_EQ(SendToItem(hOptions, IDC_SEQUENTIAL, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(SendToItem(hOptions, IDC_POSITION, LB_GETCURSEL), kTopLeft);
    // Tab reaches the order buttons at the first; the box after them starts a group again.
    const LONG kTabGroup = WS_GROUP | WS_TABSTOP;
    for (const int nId : {IDC_SEQUENTIAL, IDC_RANDOM, IDC_START_WITH_WINDOWS})
        EXPECT_EQ(::GetWindowLongA(::GetDlgItem(hOptions, nId), GWL_STYLE) & kTabGroup,
                  nId == IDC_RANDOM ? 0 : kTabGroup);

    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "25"));
    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    ASSERT_TRUE(ClickButton(hOptions, IDC_RANDOM));
    ASSERT_TRUE(SendToItem(hOptions, IDC_POSITION, LB_SETCURSEL, kCenter));
    ChooseModule(hOptions, strOther, "Other");
    std::string strEdited = kSayings;
    const std::string strOld = Quote(kTitle, 1).first;
    ASSERT_TRUE(
        Write(kModule, strEdited.replace(strEdited.find(strOld), strOld.size(), "Revised.")));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDCANCEL));
    EXPECT_EQ(TopLeft(hQuote), kCorners[kTopLeft]);
    EXPECT_EQ(WindowText(hQuote), kCaptionPrefix + kTitle);
    EXPECT_EQ(ItemText(hQuote, IDC_QUOTE_TEXT), "Revised.");
    ASSERT_TRUE(ClickButton(hQuote, IDC_NEXT));
    EXPECT_EQ(ShownIndex(hQuote, kTitle), 2) << "not sequential in the old module any more";

    hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    ASSERT_TRUE(ClickButton(hOptions, IDC_RANDOM));
    ASSERT_TRUE(SendToItem(hOptions, IDC_POSITION, LB_SETCURSEL, kCenter));
    ChooseModule(hOptions, strOther, "Other");
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    EXPECT_EQ(TopLeft(hQuote), kCorners[kCenter]);
    EXPECT_EQ(WindowText(hQuote), kCaptionPrefix + "Other");
    const int nShown = ShownIndex(hQuote, "Other");
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({"other.adg", nShown, 12, kRandom, 1, kCenter}));
}

// The Open dialog moves the current directory to the folder it shows. A redraw and a session end
// meanwhile still use the working directory's files, its Greek name notwithstanding; the session
// end saves only when the session does end, and once: not again at a Close that still comes.
TEST_F(COptionsDialogTest, SessionEndWhileOpenDialogShowsAnotherFolder)
{
    const std::string strDir = PathOf(u8"Ελληνικά"), strSaved = strDir + "\\index.txt";
    ASSERT_TRUE(::CreateDirectoryW(Wide(strDir).c_str(), nullptr) &&
                ::CreateDirectoryW(Wide(PathOf("away")).c_str(), nullptr) &&
                Write(strSaved, SavedText({kModule, 1}) + "\n") &&
                Write(strDir + "\\" + kModule, kSayings));
    const HWND hQuote = StartProgram(strDir);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    const HWND hOpen = OpenDialogIn(hOptions, PathOf("away"));
    ASSERT_NE(hOpen, nullptr);
    ASSERT_TRUE(SendWithDeadline(hQuote, WM_ACTIVATEAPP, FALSE));
    EXPECT_EQ(SendWithDeadline(hQuote, WM_QUERYENDSESSION), TRUE);
    ASSERT_TRUE(SendWithDeadline(hQuote, WM_ENDSESSION, FALSE));
    EXPECT_EQ(Read(strSaved), SavedText({kModule, 1}) + "\n");
    ASSERT_TRUE(SendWithDeadline(hQuote, WM_ENDSESSION, TRUE));
    EXPECT_EQ(Read(strSaved), SavedText({kModule, 2}));
    ASSERT_TRUE(::DeleteFileW(Wide(strSaved).c_str()));
    ASSERT_TRUE(SendWithDeadline(hQuote, WM_ENDSESSION, TRUE));
    ASSERT_TRUE(SendWithDeadline(hQuote, WM_COMMAND, IDCANCEL));
    EXPECT_FALSE(Read(strSaved)) << "saved again after the session end";
}

} // namespace

// The options dialog end to end: every setting changed through the real dialog, the
// refusals it shows, and what reaches the quote window and index.txt.
#include "ProgramTest.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace {

const char kNotInteger[] = "Please enter an integer.";
const char kOutOfRange[] = "Please enter an integer between 5 and 30.";

const char kModule[] = "sayings.adg";
const char kTitle[] = "Sayings";
const std::string kSayings = ModuleText(kTitle, 3, 3);

const int kRandom = 1, kSequential = 2;
enum { kCenter, kTopLeft, kTopRight };

// Window corners on the 1024 x 768 virtual desktop.
const std::pair<int, int> kCorners[] = {{308, 298}, {52, 62}, {564, 62}};

std::pair<int, int> TopLeft(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    return {rect.left, rect.top};
}

// The Open dialog's file name field, a combo box (cmb13) that hands its text to its edit.
const int kFileNameCombo = 0x47C;

// The help engine runs as a process of its own, started by the program. Asked for a help
// file that is missing, it shows a box of its own and keeps the asking thread waiting: "No"
// declines to look for the file; a window without that button is simply closed. False when
// a child of the process is still there at the deadline.
bool EndChildProcesses(DWORD nParentId)
{
    return WaitUntil([&] {
        const std::vector<DWORD> children = ChildProcesses(nParentId);
        for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
            DWORD nOwner = 0;
            ::GetWindowThreadProcessId(hwnd, &nOwner);
            const bool bChild = std::count(children.begin(), children.end(), nOwner) != 0;
            if (bChild && ::IsWindowVisible(hwnd) && !PostCommand(hwnd, IDNO) &&
                !PostCommand(hwnd, IDCANCEL))
                ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
        }
        return children.empty();
    });
}

class COptionsDialogTest : public CProgramTest {
protected:
    void TearDown() override
    {
        EndChildProcesses(m_run.ProcessId());
        CProgramTest::TearDown();
    }

    // Presses OK and expects the message; the dialog stays open with the seconds text
    // selected whole and, unless the field is disabled, focused.
    void ExpectRefusal(HWND hOptions, const char* pszMessage) const
    {
        // The system keeps a message box's text in its static control 0xFFFF.
        const int kBoxText = 0xFFFF;
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
            << "not selected whole";
        // GetFocus answers only for the caller's own thread.
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetGUIThreadInfo(::GetWindowThreadProcessId(hOptions, nullptr), &info));
        if (IsItemEnabled(hOptions, IDC_INTERVAL)) {
            EXPECT_EQ(info.hwndFocus, ::GetDlgItem(hOptions, IDC_INTERVAL)) << "no focus";
        }
    }

    static void ChooseModule(HWND hOptions, const std::string& strTyped,
                             const std::string& strTitle)
    {
        ASSERT_TRUE(PostCommand(hOptions, IDC_LOAD_MODULE));
        HWND hOpen = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (hOpen = FindDialog(kFileNameCombo, 0, hOptions)); }));
        // Typed as a user types a name; a full path keeps the answer independent of the
        // folder the dialog happens to show first.
        ASSERT_TRUE(SetItemText(hOpen, kFileNameCombo, strTyped) && PostCommand(hOpen, IDOK));
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(hOpen); }));
        EXPECT_EQ(ItemText(hOptions, IDC_CURRENT_MODULE), strTitle);
    }

    void LoadModule(HWND hQuote, const std::string& strTyped, const std::string& strTitle) const
    {
        const HWND hOptions = OpenOptions(hQuote);
        ASSERT_NE(hOptions, nullptr);
        ChooseModule(hOptions, strTyped, strTitle);
        ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
        EXPECT_EQ(WindowText(hQuote), kCaptionPrefix + strTitle);
    }
};

// An out-of-range interval is refused even with the timer off. Only the first 31 characters
// count: the letter after them is never looked at.
TEST_F(COptionsDialogTest, SecondsRefusedSteppedAndAccepted)
{
    Prepare({kModule, 0, 40}, kSayings);
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);
    EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), "40");
    EXPECT_FALSE(IsItemEnabled(hOptions, IDC_INTERVAL_SPIN));
    ExpectRefusal(hOptions, kOutOfRange);
    ASSERT_TRUE(PostCommand(hOptions, ID_HELP_INDEX));
    EXPECT_TRUE(WaitUntil([&] { return !ChildProcesses(m_run.ProcessId()).empty(); }))
        << "the help engine was not started";
    EXPECT_TRUE(EndChildProcesses(m_run.ProcessId())) << "the help engine did not end";
    ASSERT_TRUE(SendWithDeadline(hOptions, WM_NULL)) << "the dialog does not answer";

    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    EXPECT_TRUE(IsItemEnabled(hOptions, IDC_INTERVAL_SPIN));
    const std::pair<const char*, const char*> kRefusals[] = {
        {"", kNotInteger}, {"7x", kNotInteger}, {"4", kOutOfRange}, {"31", kOutOfRange}};
    for (const auto& [pszText, pszMessage] : kRefusals) {
        SCOPED_TRACE(std::string("text \"") + pszText + "\"");
        ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, pszText));
        ExpectRefusal(hOptions, pszMessage);
    }
    EXPECT_EQ(SendToItem(hOptions, IDC_INTERVAL_SPIN, UDM_GETRANGE), MAKELONG(30, 5));
    const std::tuple<const char*, UINT, const char*> kArrows[] = {
        {"28", VK_UP, "29"}, {"30", VK_UP, "30"}, {"6", VK_DOWN, "5"}, {"5", VK_DOWN, "5"}};
    for (const auto& [pszStart, nKey, pszAfter] : kArrows) {
        ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, pszStart));
        // Repeat count 1; the key-up also carries the previous-state and transition bits.
        const LPARAM lDown = 1 | static_cast<LPARAM>(::MapVirtualKeyA(nKey, 0)) << 16;
        ASSERT_TRUE(SendToItem(hOptions, IDC_INTERVAL, WM_KEYDOWN, nKey, lDown) &&
                    SendToItem(hOptions, IDC_INTERVAL, WM_KEYUP, nKey, lDown | 0xC0000000));
        EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), pszAfter) << "from " << pszStart;
    }
    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    EXPECT_FALSE(IsItemEnabled(hOptions, IDC_INTERVAL));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK)) << "5 refused";
    const HWND hAgain = OpenOptions(hQuote);
    ASSERT_NE(hAgain, nullptr);
    EXPECT_EQ(ItemText(hAgain, IDC_INTERVAL), "5");
    ASSERT_TRUE(SetItemText(hAgain, IDC_INTERVAL, "12" + std::string(29, ' ') + "x"));
    ASSERT_TRUE(EndOptions(hQuote, hAgain, IDOK)) << "the letter after 31 characters counted";
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({kModule, 1, 12}));
}

// An order other than 1 and 2 shows as Random but goes back unchanged; a position outside
// the list centres the window, selects nothing and goes back as -1.
TEST_F(COptionsDialogTest, OpeningShowsSettingsAndOkHandsThemBack)
{
    // Timer, order, position, selected entry.
    const int kOpenings[][4] = {
        {1, kSequential, kCenter, kCenter}, {0, kRandom, kTopRight, kTopRight}, {0, 7, 3, -1}};
    for (const auto& opening : kOpenings) {
        SCOPED_TRACE(testing::Message() << "order " << opening[1] << ", position " << opening[2]);
        SSettings settings = {kModule, 0, 12, opening[1], opening[0], opening[2]};
        Prepare(settings, kSayings);
        const HWND hQuote = StartProgram();
        ASSERT_NE(hQuote, nullptr);
        const HWND hOptions = OpenOptions(hQuote);
        ASSERT_NE(hOptions, nullptr);
        EXPECT_EQ(TopLeft(hQuote), kCorners[opening[3] < 0 ? kCenter : opening[3]]);
        // In random order the first display may pick any other quote.
        settings.nIndex = ShownIndex(hQuote, kTitle);

        EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), "12");
        EXPECT_EQ(IsItemChecked(hOptions, IDC_ENABLE_TIMER), opening[0] != 0);
        EXPECT_EQ(IsItemEnabled(hOptions, IDC_INTERVAL), opening[0] != 0);
        EXPECT_EQ(IsItemChecked(hOptions, IDC_SEQUENTIAL), opening[1] == kSequential);
        EXPECT_EQ(IsItemChecked(hOptions, IDC_RANDOM), opening[1] != kSequential);
        EXPECT_EQ(ItemText(hOptions, IDC_CURRENT_MODULE), kTitle);
        EXPECT_EQ(SendToItem(hOptions, IDC_POSITION, LB_GETCURSEL), opening[3]);
        ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
        CloseProgram(hQuote);
        settings.nPosition = opening[3];
        EXPECT_EQ(Saved(), SavedText(settings));
    }
}

// Cancel drops every change but still places the window again and redraws it, so the quote
// edited on disk meanwhile shows.
TEST_F(COptionsDialogTest, CancelKeepsEverySettingAndOkPlacesWindowAtOnce)
{
    Prepare({kModule, 0, 12, kSequential, 0, kTopLeft}, kSayings);
    ASSERT_TRUE(Write("other.adg", ModuleText("Other", 2, 2)));
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    EXPECT_EQ(TopLeft(hQuote), kCorners[kTopLeft]);
    ::SetWindowPos(hQuote, nullptr, 200, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);

    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "25"));
    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    ASSERT_TRUE(ClickButton(hOptions, IDC_RANDOM));
    ASSERT_TRUE(SendToItem(hOptions, IDC_POSITION, LB_SETCURSEL, kTopRight));
    ChooseModule(hOptions, m_strFolder + "\\other.adg", "Other");

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

    const HWND hAgain = OpenOptions(hQuote);
    ASSERT_NE(hAgain, nullptr);
    ASSERT_TRUE(SendToItem(hAgain, IDC_POSITION, LB_SETCURSEL, kCenter));
    ASSERT_TRUE(ClickButton(hAgain, IDC_RANDOM));
    ASSERT_TRUE(EndOptions(hQuote, hAgain, IDOK));
    EXPECT_EQ(TopLeft(hQuote), kCorners[kCenter]);
    EXPECT_EQ(ShownIndex(hQuote, kTitle), 2) << "a new order moved the quote";
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({kModule, 2, 12, kRandom, 0, kCenter}));
}

// A module beside index.txt is saved by its bare name, even one too long for the Open
// dialog's own title field; one elsewhere by its full path. A title line longer than the
// title reader takes spoils the header; such a module stays active, showing a message.
TEST_F(COptionsDialogTest, LoadedModuleBecomesActiveAndIsSaved)
{
    const std::string strLongName = std::string(70, 'n');
    const std::string strElsewhere = m_strFolder + "-elsewhere";
    const std::string strFarPath = strElsewhere + "\\far.adg";
    std::filesystem::create_directories(strElsewhere);
    ASSERT_TRUE(Write(strFarPath, ModuleText("A Title Longer Than Twenty-Four", 2, 2)));
    ASSERT_TRUE(Write(strLongName + ".adg", ModuleText("Long Name", 2, 2)));
    Prepare({kModule}, kSayings);

    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    LoadModule(hQuote, m_strFolder + "\\" + strLongName, "Long Name");
    EXPECT_EQ(ShownIndex(hQuote, "Long Name"), 0);
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), SavedText({strLongName + ".adg"}));

    const HWND hAgain = StartProgram();
    ASSERT_NE(hAgain, nullptr);
    EXPECT_EQ(WindowText(hAgain), kCaptionPrefix + "Long Name");
    EXPECT_EQ(ShownIndex(hAgain, "Long Name"), 1);
    LoadModule(hAgain, strFarPath, "A Title Longer Than Twen");
    EXPECT_EQ(Shown(hAgain), kInvalidModule);
    ASSERT_TRUE(ClickButton(hAgain, IDC_NEXT));
    EXPECT_EQ(Shown(hAgain), kInvalidModule);
    CloseProgram(hAgain);
    EXPECT_EQ(Saved(), SavedText({strFarPath}));
}

} // namespace

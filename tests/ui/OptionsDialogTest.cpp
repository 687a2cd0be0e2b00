// The options dialog end to end: every setting changed through the real dialog, the
// refusals it shows, and what reaches the quote window and index.txt.
#include "ProgramTest.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>

namespace {

const char kNotInteger[] = "Please enter an integer.";
const char kOutOfRange[] = "Please enter an integer between 5 and 30.";
const char kInvalidModule[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";

const char kModule[] = "sayings.adg";
const char kTitle[] = "Sayings";
const int kQuotes = 3;

const int kRandom = 1, kSequential = 2;
enum { kCenter, kTopLeft, kTopRight };

// Window corners on the 1024 x 768 virtual desktop.
const std::pair<int, int> kCorners[] = {{308, 298}, {52, 62}, {564, 62}};

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
    // What the help engine shows about the missing help file is its own business.
    void TearDown() override
    {
        EndChildProcesses(m_run.ProcessId());
        CProgramTest::TearDown();
    }

    // The usual start: three quotes, timer off, index 0 so the first display shows quote 1.
    SSettings PrepareUsual(int nInterval = 10, int nTimer = 0) const
    {
        SSettings settings;
        settings.strModule = kModule;
        settings.nInterval = nInterval;
        settings.nTimer = nTimer;
        EXPECT_TRUE(Write(kModule, ModuleText(kTitle, kQuotes, kQuotes)));
        Prepare(settings);
        return settings;
    }

    // The quote window and its options dialog, open.
    std::pair<HWND, HWND> StartWithOptions()
    {
        const HWND hQuote = StartProgram();
        return {hQuote, hQuote ? OpenOptions(hQuote) : nullptr};
    }

    // Presses OK and expects the message; the dialog stays open with the seconds text
    // selected whole and, unless the field is disabled, focused.
    void ExpectRefusal(HWND hOptions, const char* pszMessage) const
    {
        ASSERT_TRUE(PostCommand(hOptions, IDOK));
        HWND hBox = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (hBox = FindOwnedDialog(hOptions, "Adagiomill")); }))
            << "no message box captioned Adagiomill";
        // The system keeps a message box's text in its static control 0xFFFF.
        EXPECT_EQ(ItemText(hBox, 0xFFFF), pszMessage);
        // The dialog answers only once the handler that showed the box has returned.
        ASSERT_TRUE(ClickButton(hBox, IDOK) && WaitUntil([&] { return !::IsWindow(hBox); }) &&
                    SendWithDeadline(hOptions, WM_NULL));
        EXPECT_TRUE(::IsWindowVisible(hOptions)) << "the dialog closed after a refusal";
        const HWND hSeconds = ::GetDlgItem(hOptions, IDC_INTERVAL);
        const int nLength = static_cast<int>(ItemText(hOptions, IDC_INTERVAL).size());
        EXPECT_EQ(EditSelection(hSeconds), std::make_pair(0, nLength)) << "not selected whole";
        if (IsItemEnabled(hOptions, IDC_INTERVAL)) {
            EXPECT_EQ(FocusOfThread(hOptions), hSeconds) << "the seconds field has no focus";
        }
    }

    // Chooses the module in the Open dialog; the options dialog then shows its title.
    static void ChooseModule(HWND hOptions, const std::string& strTyped,
                             const std::string& strTitle)
    {
        ASSERT_TRUE(PostCommand(hOptions, IDC_LOAD_MODULE));
        HWND hOpen = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (hOpen = FindOwnedDialog(hOptions, kFileNameCombo)); }));
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

// An out-of-range interval from index.txt, with the timer off: refused all the same. Help
// on the way leaves the dialog open and answering. With the timer ticked, the arrows stop
// at the bounds, and OK with the timer cleared again takes the lower one. Only the first
// 31 characters count: the letter after them is never looked at.
TEST_F(COptionsDialogTest, SecondsRefusedSteppedAndAccepted)
{
    SSettings settings = PrepareUsual(40);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);
    EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), "40");
    EXPECT_FALSE(IsItemEnabled(hOptions, IDC_INTERVAL_SPIN));
    ExpectRefusal(hOptions, kOutOfRange);
    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "7x"));
    ExpectRefusal(hOptions, kNotInteger);
    ASSERT_TRUE(PostCommand(hOptions, ID_HELP_INDEX));
    EXPECT_TRUE(WaitUntil([&] { return !ChildProcesses(m_run.ProcessId()).empty(); }))
        << "the help engine was not started";
    EXPECT_TRUE(EndChildProcesses(m_run.ProcessId())) << "the help engine did not end";
    ASSERT_TRUE(SendWithDeadline(hOptions, WM_NULL)) << "the dialog does not answer";

    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    EXPECT_TRUE(IsItemEnabled(hOptions, IDC_INTERVAL_SPIN));
    const std::pair<const char*, const char*> kRefusals[] = {
        {"", kNotInteger}, {"4", kOutOfRange}, {"31", kOutOfRange}};
    for (const auto& [pszText, pszMessage] : kRefusals) {
        SCOPED_TRACE(std::string("text \"") + pszText + "\"");
        ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, pszText));
        ExpectRefusal(hOptions, pszMessage);
    }
    EXPECT_EQ(SendWithDeadline(::GetDlgItem(hOptions, IDC_INTERVAL_SPIN), UDM_GETRANGE),
              MAKELONG(30, 5));
    const struct {
        const char* pszStart;
        UINT nKey;
        const char* pszSteps[3];
    } kArrows[] = {{"28", VK_UP, {"29", "30", "30"}}, {"7", VK_DOWN, {"6", "5", "5"}}};
    for (const auto& run : kArrows) {
        ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, run.pszStart));
        for (const char* pszStep : run.pszSteps) {
            ASSERT_TRUE(PressKey(::GetDlgItem(hOptions, IDC_INTERVAL), run.nKey));
            EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), pszStep) << "from " << run.pszStart;
        }
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
    settings.nIndex = 1;
    settings.nInterval = 12;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// What the window and the dialog show on opening, and what OK without a click hands back.
// An order other than 1 and 2 shows as Random but goes back unchanged; a position outside
// the list centres the window, selects nothing and goes back as -1.
TEST_F(COptionsDialogTest, OpeningShowsSettingsAndOkHandsThemBack)
{
    // Timer, order, position, selected entry.
    const int kOpenings[][4] = {
        {1, kSequential, kCenter, kCenter}, {0, kRandom, kTopRight, kTopRight}, {0, 7, 3, -1}};
    for (const auto& opening : kOpenings) {
        SCOPED_TRACE("order " + std::to_string(opening[1]) + ", position " +
                     std::to_string(opening[2]));
        SSettings settings = PrepareUsual(12, opening[0]);
        settings.nOrder = opening[1];
        settings.nPosition = opening[2];
        Prepare(settings);
        const auto [hQuote, hOptions] = StartWithOptions();
        ASSERT_NE(hOptions, nullptr);
        EXPECT_EQ(TopLeft(hQuote), kCorners[opening[3] < 0 ? kCenter : opening[3]]);
        // In random order the first display may pick any other quote.
        settings.nIndex = ShownIndex(hQuote, kTitle);

        EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), "12");
        for (const int nItem : {IDC_ENABLE_TIMER, IDC_INTERVAL, IDC_INTERVAL_SPIN}) {
            EXPECT_EQ(nItem == IDC_ENABLE_TIMER ? IsItemChecked(hOptions, nItem)
                                                : IsItemEnabled(hOptions, nItem),
                      opening[0] != 0)
                << "item " << nItem;
        }
        EXPECT_EQ(IsItemChecked(hOptions, IDC_SEQUENTIAL), opening[1] == kSequential);
        EXPECT_EQ(IsItemChecked(hOptions, IDC_RANDOM), opening[1] != kSequential);
        EXPECT_EQ(ItemText(hOptions, IDC_CURRENT_MODULE), kTitle);
        EXPECT_EQ(SelectedListEntry(hOptions, IDC_POSITION), opening[3]);
        ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
        CloseProgram(hQuote);
        settings.nPosition = opening[3];
        EXPECT_EQ(Saved(), SavedText(settings));
    }
}

// Cancel drops every change, a loaded module included, and still places the window
// again and redraws it: the quote edited on disk meanwhile shows. A new position applies
// as soon as OK is pressed; a new order moves no quote.
TEST_F(COptionsDialogTest, CancelKeepsEverySettingAndOkPlacesWindowAtOnce)
{
    SSettings settings = PrepareUsual(12);
    settings.nPosition = kTopLeft;
    Prepare(settings);
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
    ASSERT_TRUE(SelectListEntry(hOptions, IDC_POSITION, kTopRight));
    ChooseModule(hOptions, m_strFolder + "\\other.adg", "Other");

    std::string strEdited = ModuleText(kTitle, kQuotes, kQuotes);
    const std::string strOld = Quote(kTitle, 1).first;
    ASSERT_TRUE(
        Write(kModule, strEdited.replace(strEdited.find(strOld), strOld.size(), "Revised.")));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDCANCEL));
    EXPECT_EQ(TopLeft(hQuote), kCorners[kTopLeft]);
    EXPECT_EQ(WindowText(hQuote), std::string(kCaptionPrefix) + kTitle);
    EXPECT_EQ(ItemText(hQuote, IDC_QUOTE_TEXT), "Revised.");
    ASSERT_TRUE(ClickButton(hQuote, IDC_NEXT));
    EXPECT_EQ(ShownIndex(hQuote, kTitle), 2) << "not sequential in the old module any more";

    for (const int nPosition : {kTopRight, kCenter}) {
        const HWND hAgain = OpenOptions(hQuote);
        ASSERT_NE(hAgain, nullptr);
        ASSERT_TRUE(SelectListEntry(hAgain, IDC_POSITION, nPosition));
        ASSERT_TRUE(ClickButton(hAgain, IDC_RANDOM));
        ASSERT_TRUE(EndOptions(hQuote, hAgain, IDOK));
        EXPECT_EQ(TopLeft(hQuote), kCorners[nPosition]) << "position " << nPosition;
        EXPECT_EQ(ShownIndex(hQuote, kTitle), 2);
    }
    CloseProgram(hQuote);
    settings.nIndex = 2;
    settings.nOrder = kRandom;
    settings.nPosition = kCenter;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// A module beside index.txt is saved by its bare name, even one too long for the Open
// dialog's own title field; one elsewhere by its full path. A name typed without extension
// gets "adg"; a title line longer than the title reader takes spoils the header, and such
// a module stays active, showing a fixed message.
TEST_F(COptionsDialogTest, LoadedModuleBecomesActiveAndIsSaved)
{
    const std::string strLongName = std::string(70, 'n') + ".adg";
    const std::string strElsewhere = m_strFolder + "-elsewhere";
    const std::string strFarPath = strElsewhere + "\\far.adg";
    std::filesystem::create_directories(strElsewhere);
    ASSERT_TRUE(Write(strFarPath, ModuleText("A Title Longer Than Twenty-Four", 2, 2)));
    ASSERT_TRUE(Write("near.adg", ModuleText("Near", 2, 2)));
    ASSERT_TRUE(Write(strLongName, ModuleText("Long Name", 2, 2)));
    SSettings settings = PrepareUsual();

    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    LoadModule(hQuote, m_strFolder + "\\near", "Near");
    EXPECT_EQ(ShownIndex(hQuote, "Near"), 0);
    LoadModule(hQuote, m_strFolder + "\\" + strLongName, "Long Name");
    CloseProgram(hQuote);
    settings.strModule = strLongName;
    settings.nIndex = 0;
    EXPECT_EQ(Saved(), SavedText(settings));

    const HWND hAgain = StartProgram();
    ASSERT_NE(hAgain, nullptr);
    EXPECT_EQ(WindowText(hAgain), std::string(kCaptionPrefix) + "Long Name");
    EXPECT_EQ(ShownIndex(hAgain, "Long Name"), 1);
    LoadModule(hAgain, strFarPath, "A Title Longer Than Twen");
    const SDisplay invalid = {kInvalidModule, ""};
    EXPECT_EQ(Shown(hAgain), invalid);
    ASSERT_TRUE(ClickButton(hAgain, IDC_NEXT));
    EXPECT_EQ(Shown(hAgain), invalid);
    CloseProgram(hAgain);
    settings.strModule = strFarPath;
    EXPECT_EQ(Saved(), SavedText(settings));
}

} // namespace

// The options dialog end to end: every setting changed through the real dialog, the
// refusals it shows, and what reaches the quote window and index.txt.
#include "DialogAccess.h"
#include "FileChooser.h"
#include "HelpEngine.h"
#include "ProgramTest.h"
#include "Wait.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

const char kCaptionPrefix[] = "Adagiomill v1.2.0 -- ";
const char kNotInteger[] = "Please enter an integer.";
const char kOutOfRange[] = "Please enter an integer between 5 and 30.";
const char kInvalidModule[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";

const char kModule[] = "sayings.adg";
const char kTitle[] = "Sayings";
const int kQuotes = 3;

const int kRandom = 1;
const int kSequential = 2;
const int kCenter = 0;
const int kTopLeft = 1;
const int kTopRight = 2;

std::string QuoteText(const std::string& strTitle, int nIndex)
{
    return strTitle + " saying " + std::to_string(nIndex + 1) + ".";
}

// Every quote names its module and its place, so the window shows which one it holds.
std::string ModuleText(const std::string& strTitle, int nCount)
{
    std::string strText = strTitle + "\r\n" + std::to_string(nCount) + "\r\n";
    for (int i = 0; i < nCount; ++i) {
        strText +=
            "%\r\n" + QuoteText(strTitle, i) + "\r\nAuthor " + std::to_string(i + 1) + "\r\n";
    }
    return strText;
}

// The index of the quote shown from the module of that title, -1 for any other text.
int ShownIndex(HWND hQuote, const std::string& strTitle)
{
    const std::string strShown = ItemText(hQuote, IDC_QUOTE_TEXT);
    const std::string strLead = strTitle + " saying ";
    if (strShown.compare(0, strLead.size(), strLead) != 0) {
        return -1;
    }
    return std::atoi(strShown.c_str() + strLead.size()) - 1;
}

// A two-quote module anywhere, its folder made first.
bool WriteModuleAt(const std::string& strPath, const std::string& strTitle)
{
    std::error_code ec;
    fs::create_directories(fs::path(strPath).parent_path(), ec);
    std::ofstream file(strPath, std::ios::binary | std::ios::trunc);
    file << ModuleText(strTitle, 2);
    return static_cast<bool>(file);
}

class COptionsDialogTest : public CProgramTest {
protected:
    // The usual start: three quotes, timer off, index 0 so the first display shows quote 1.
    static SSettings Usual()
    {
        SSettings settings;
        settings.strModule = kModule;
        return settings;
    }

    void PrepareWith(const SSettings& settings, int nQuotes = kQuotes) const
    {
        ASSERT_TRUE(m_folder.Write(kModule, ModuleText(kTitle, nQuotes)));
        Prepare(settings);
    }

    // The quote window and its options dialog, open.
    std::pair<HWND, HWND> StartWithOptions()
    {
        const HWND hQuote = StartProgram();
        return {hQuote, hQuote ? OpenOptions(hQuote) : nullptr};
    }
};

// The message box of a refused seconds text, and the dialog it leaves behind.
struct SRefusal {
    const char* pszName;
    const char* pszText;
    const char* pszMessage;
    int nTimer;
};

class CRefusedSecondsTest : public COptionsDialogTest,
                            public testing::WithParamInterface<SRefusal> {};

TEST_P(CRefusedSecondsTest, ShowsMessageAndKeepsDialogOpen)
{
    const SRefusal& refusal = GetParam();
    SSettings settings = Usual();
    settings.nInterval = 30;
    settings.nTimer = refusal.nTimer;
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);
    const HWND hSeconds = ::GetDlgItem(hOptions, IDC_INTERVAL);
    EXPECT_EQ(::IsWindowEnabled(hSeconds) != FALSE, refusal.nTimer != 0);

    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, refusal.pszText));
    ASSERT_TRUE(PostCommand(hOptions, IDOK));
    const HWND hBox = WaitForMessageBox(hOptions);
    ASSERT_NE(hBox, nullptr);
    EXPECT_EQ(MessageBoxText(hBox), refusal.pszMessage);
    ASSERT_TRUE(AnswerMessageBox(hOptions, hBox));

    EXPECT_TRUE(::IsWindowVisible(hOptions)) << "the dialog closed after a refusal";
    const int nLength = static_cast<int>(std::string(refusal.pszText).size());
    EXPECT_EQ(EditSelection(hSeconds), std::make_pair(0, nLength)) << "text not selected whole";
    // A disabled field cannot take the focus.
    if (refusal.nTimer) {
        EXPECT_EQ(FocusOfThread(hOptions), hSeconds) << "the focus is not on the seconds field";
    }

    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDCANCEL));
    CloseProgram(hQuote);
    settings.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(settings));
}

std::string RefusalName(const testing::TestParamInfo<SRefusal>& info)
{
    const SRefusal& param = info.param;
    return param.pszName;
}

INSTANTIATE_TEST_SUITE_P(Texts, CRefusedSecondsTest,
                         testing::Values(SRefusal{"Letters", "12abc", kNotInteger, 1},
                                         SRefusal{"Empty", "", kNotInteger, 1},
                                         SRefusal{"PlusZero", "+0", kNotInteger, 1},
                                         SRefusal{"MinusZero", "-0", kNotInteger, 1},
                                         SRefusal{"Blanks", "   ", kNotInteger, 1},
                                         SRefusal{"TwoNumbers", "1 2", kNotInteger, 1},
                                         SRefusal{"Zero", "0", kOutOfRange, 1},
                                         SRefusal{"Four", "4", kOutOfRange, 1},
                                         SRefusal{"ThirtyOne", "31", kOutOfRange, 1},
                                         SRefusal{"MinusFive", "-5", kOutOfRange, 1},
                                         SRefusal{"TwelveDigits", "123456789012", kOutOfRange, 1},
                                         SRefusal{"DisabledLetters", "7x", kNotInteger, 0},
                                         SRefusal{"DisabledOutOfRange", "31", kOutOfRange, 0}),
                         RefusalName);

struct SAcceptance {
    const char* pszName;
    std::string strText;
    int nValue;
};

class CAcceptedSecondsTest : public COptionsDialogTest,
                             public testing::WithParamInterface<SAcceptance> {};

TEST_P(CAcceptedSecondsTest, ClosesDialogAndIsSaved)
{
    const SAcceptance& acceptance = GetParam();
    SSettings settings = Usual();
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);

    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, acceptance.strText));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK)) << "OK did not close the dialog";

    CloseProgram(hQuote);
    settings.nIndex = 1;
    settings.nInterval = acceptance.nValue;
    EXPECT_EQ(Saved(), SavedText(settings));
}

std::string AcceptanceName(const testing::TestParamInfo<SAcceptance>& info)
{
    const SAcceptance& param = info.param;
    return param.pszName;
}

// Only the first 31 characters count: the letter after them is never looked at.
INSTANTIATE_TEST_SUITE_P(
    Texts, CAcceptedSecondsTest,
    testing::Values(SAcceptance{"BlanksAround", " 12 ", 12}, SAcceptance{"PlusSign", "+7", 7},
                    SAcceptance{"Highest", "30", 30}, SAcceptance{"Lowest", "5", 5},
                    SAcceptance{"TabsAround", "\t9\t", 9}, SAcceptance{"LeadingZeros", "007", 7},
                    SAcceptance{"LetterAfter31", "12" + std::string(29, ' ') + "x", 12}),
    AcceptanceName);

TEST_F(COptionsDialogTest, ArrowsStepWithinFiveToThirty)
{
    SSettings settings = Usual();
    settings.nInterval = 30;
    settings.nTimer = 1;
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);
    const HWND hSeconds = ::GetDlgItem(hOptions, IDC_INTERVAL);
    EXPECT_EQ(SendWithDeadline(::GetDlgItem(hOptions, IDC_INTERVAL_SPIN), UDM_GETRANGE),
              MAKELONG(30, 5));

    const struct {
        const char* pszStart;
        UINT nKey;
        const char* pszSteps[3];
    } runs[] = {
        {"7", VK_DOWN, {"6", "5", "5"}},
        {"28", VK_UP, {"29", "30", "30"}},
    };
    for (const auto& run : runs) {
        ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, run.pszStart));
        for (const char* pszStep : run.pszSteps) {
            SCOPED_TRACE(std::string("from ") + run.pszStart);
            ASSERT_TRUE(PressKey(hSeconds, run.nKey));
            EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), pszStep);
        }
    }
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));

    CloseProgram(hQuote);
    settings.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// An out-of-range interval from index.txt, with the timer off: refused all the same, and
// put right by ticking the timer, correcting the field and clearing the box again.
TEST_F(COptionsDialogTest, DisabledOutOfRangeFieldIsCorrectedThroughTimerBox)
{
    SSettings settings = Usual();
    settings.nInterval = 40;
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);
    EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), "40");
    EXPECT_FALSE(IsItemEnabled(hOptions, IDC_INTERVAL));
    EXPECT_FALSE(IsItemEnabled(hOptions, IDC_INTERVAL_SPIN));

    ASSERT_TRUE(PostCommand(hOptions, IDOK));
    const HWND hBox = WaitForMessageBox(hOptions);
    ASSERT_NE(hBox, nullptr);
    EXPECT_EQ(MessageBoxText(hBox), kOutOfRange);
    ASSERT_TRUE(AnswerMessageBox(hOptions, hBox));

    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    EXPECT_TRUE(IsItemEnabled(hOptions, IDC_INTERVAL));
    EXPECT_TRUE(IsItemEnabled(hOptions, IDC_INTERVAL_SPIN));
    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "20"));
    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    EXPECT_FALSE(IsItemEnabled(hOptions, IDC_INTERVAL));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK)) << "the corrected value was refused";

    CloseProgram(hQuote);
    settings.nIndex = 1;
    settings.nInterval = 20;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// What the dialog shows on opening, and what OK without a click hands back.
struct SOpening {
    const char* pszName;
    int nTimer;
    int nOrder;
    int nPosition;
    int nSelected;
};

class COpeningTest : public COptionsDialogTest, public testing::WithParamInterface<SOpening> {};

TEST_P(COpeningTest, ShowsSettingsAndOkHandsThemBack)
{
    const SOpening& opening = GetParam();
    SSettings settings = Usual();
    settings.nInterval = 12;
    settings.nTimer = opening.nTimer;
    settings.nOrder = opening.nOrder;
    settings.nPosition = opening.nPosition;
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);
    // In random order the first display may pick any other quote.
    settings.nIndex = ShownIndex(hQuote, kTitle);

    EXPECT_EQ(ItemText(hOptions, IDC_INTERVAL), "12");
    EXPECT_EQ(IsItemChecked(hOptions, IDC_ENABLE_TIMER), opening.nTimer != 0);
    EXPECT_EQ(IsItemEnabled(hOptions, IDC_INTERVAL), opening.nTimer != 0);
    EXPECT_EQ(IsItemEnabled(hOptions, IDC_INTERVAL_SPIN), opening.nTimer != 0);
    EXPECT_EQ(IsItemChecked(hOptions, IDC_SEQUENTIAL), opening.nOrder == kSequential);
    EXPECT_EQ(IsItemChecked(hOptions, IDC_RANDOM), opening.nOrder != kSequential);
    EXPECT_EQ(ItemText(hOptions, IDC_CURRENT_MODULE), kTitle);
    EXPECT_EQ(ListEntryText(hOptions, IDC_POSITION, 0), "Center (default)");
    EXPECT_EQ(ListEntryText(hOptions, IDC_POSITION, 1), "Top Left");
    EXPECT_EQ(ListEntryText(hOptions, IDC_POSITION, 2), "Top Right");
    EXPECT_EQ(SelectedListEntry(hOptions, IDC_POSITION), opening.nSelected);
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));

    CloseProgram(hQuote);
    settings.nPosition = opening.nSelected;
    EXPECT_EQ(Saved(), SavedText(settings));
}

std::string OpeningName(const testing::TestParamInfo<SOpening>& info)
{
    const SOpening& param = info.param;
    return param.pszName;
}

// An order other than 1 and 2 shows as Random but goes back unchanged; a position
// outside the list selects nothing and goes back as -1.
INSTANTIATE_TEST_SUITE_P(
    Settings, COpeningTest,
    testing::Values(SOpening{"TimerOnSequentialCenter", 1, kSequential, kCenter, kCenter},
                    SOpening{"TimerOffRandomTopRight", 0, kRandom, kTopRight, kTopRight},
                    SOpening{"UnknownOrderAndPosition", 0, 7, 3, -1}),
    OpeningName);

// Cancel drops every change, a loaded module included, and still places the window
// again and redraws it: the quote edited on disk meanwhile shows.
TEST_F(COptionsDialogTest, CancelKeepsEverySettingAndPlacesWindowAgain)
{
    const char kOtherModule[] = "other.adg";
    SSettings settings = Usual();
    settings.nInterval = 12;
    settings.nPosition = kTopLeft;
    PrepareWith(settings);
    ASSERT_TRUE(m_folder.Write(kOtherModule, ModuleText("Other", 2)));
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    ::SetWindowPos(hQuote, nullptr, 200, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HWND hOptions = OpenOptions(hQuote);
    ASSERT_NE(hOptions, nullptr);

    ASSERT_TRUE(SetItemText(hOptions, IDC_INTERVAL, "25"));
    ASSERT_TRUE(ClickButton(hOptions, IDC_ENABLE_TIMER));
    ASSERT_TRUE(ClickButton(hOptions, IDC_RANDOM));
    ASSERT_TRUE(SelectListEntry(hOptions, IDC_POSITION, kTopRight));
    ASSERT_TRUE(PostCommand(hOptions, IDC_LOAD_MODULE));
    HWND hOpen = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (hOpen = FindOpenDialog(hOptions)); }));
    ASSERT_TRUE(ChooseFile(hOpen, m_folder.Path() + "\\" + kOtherModule));
    ASSERT_TRUE(WaitUntil([&] { return ItemText(hOptions, IDC_CURRENT_MODULE) == "Other"; }));

    std::string strEdited = ModuleText(kTitle, kQuotes);
    const std::string strOld = QuoteText(kTitle, 1);
    strEdited.replace(strEdited.find(strOld), strOld.size(), "Revised.");
    ASSERT_TRUE(m_folder.Write(kModule, strEdited));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDCANCEL));

    EXPECT_EQ(TopLeft(hQuote), std::make_pair(52, 62));
    EXPECT_EQ(WindowText(hQuote), std::string(kCaptionPrefix) + kTitle);
    EXPECT_EQ(ItemText(hQuote, IDC_QUOTE_TEXT), "Revised.");
    ASSERT_TRUE(ClickButton(hQuote, IDC_NEXT));
    EXPECT_EQ(ShownIndex(hQuote, kTitle), 2) << "not sequential in the old module any more";

    CloseProgram(hQuote);
    settings.nIndex = 2;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// Window positions on the 1024 x 768 virtual desktop, reached as soon as OK is pressed.
struct SPlacement {
    int nPosition;
    int nLeft;
    int nTop;
};

class CNewPositionTest : public COptionsDialogTest,
                         public testing::WithParamInterface<SPlacement> {};

TEST_P(CNewPositionTest, NewPositionAppliesAtOnce)
{
    const SPlacement& placement = GetParam();
    SSettings settings = Usual();
    settings.nPosition = (placement.nPosition + 1) % 3;
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);
    EXPECT_EQ(SelectedListEntry(hOptions, IDC_POSITION), settings.nPosition);

    ASSERT_TRUE(SelectListEntry(hOptions, IDC_POSITION, placement.nPosition));
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    EXPECT_EQ(TopLeft(hQuote), std::make_pair(placement.nLeft, placement.nTop));

    CloseProgram(hQuote);
    settings.nIndex = 1;
    settings.nPosition = placement.nPosition;
    EXPECT_EQ(Saved(), SavedText(settings));
}

std::string PlacementName(const testing::TestParamInfo<SPlacement>& info)
{
    return "Position" + std::to_string(info.param.nPosition);
}

INSTANTIATE_TEST_SUITE_P(Positions, CNewPositionTest,
                         testing::Values(SPlacement{kCenter, 308, 298},
                                         SPlacement{kTopLeft, 52, 62},
                                         SPlacement{kTopRight, 564, 62}),
                         PlacementName);

// A module chosen in the Open dialog: by its bare name when it lies beside index.txt, by
// its full path when it lies elsewhere.
struct SLoad {
    const char* pszName;
    bool bHere;
    std::string strFile;
    std::string strTyped;
    std::string strTitle;
    std::string strShownTitle;
    // A title line longer than the title reader takes spoils the header.
    bool bValid;

    std::string Quote(int nIndex) const
    {
        return bValid ? QuoteText(strTitle, nIndex) : kInvalidModule;
    }
};

class CLoadModuleTest : public COptionsDialogTest, public testing::WithParamInterface<SLoad> {
protected:
    std::string FolderOf(const SLoad& load) const
    {
        if (load.bHere) {
            return m_folder.Path();
        }
        return m_folder.Path() + "-elsewhere";
    }
};

TEST_P(CLoadModuleTest, BecomesActiveModuleAndIsSaved)
{
    const SLoad& load = GetParam();
    const std::string strFolder = FolderOf(load);
    const std::string strPath = strFolder + "\\" + load.strFile;
    ASSERT_TRUE(WriteModuleAt(strPath, load.strTitle));
    SSettings settings = Usual();
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);

    ASSERT_TRUE(PostCommand(hOptions, IDC_LOAD_MODULE));
    HWND hOpen = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (hOpen = FindOpenDialog(hOptions)); }));
    ASSERT_TRUE(ChooseFile(hOpen, strFolder + "\\" + load.strTyped));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(hOpen); }));
    EXPECT_EQ(ItemText(hOptions, IDC_CURRENT_MODULE), load.strShownTitle);
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));

    const std::string strCaption = kCaptionPrefix + load.strShownTitle;
    EXPECT_EQ(WindowText(hQuote), strCaption);
    EXPECT_EQ(ItemText(hQuote, IDC_QUOTE_TEXT), load.Quote(0));
    CloseProgram(hQuote);
    settings.strModule = load.bHere ? load.strFile : strPath;
    settings.nIndex = 0;
    EXPECT_EQ(Saved(), SavedText(settings));

    const HWND hAgain = StartProgram();
    ASSERT_NE(hAgain, nullptr);
    EXPECT_EQ(WindowText(hAgain), strCaption);
    EXPECT_EQ(ItemText(hAgain, IDC_QUOTE_TEXT), load.Quote(1));
    CloseProgram(hAgain);
}

std::string LoadName(const testing::TestParamInfo<SLoad>& info)
{
    const SLoad& param = info.param;
    return param.pszName;
}

// A name typed without extension gets "adg"; a title is cut to its first 24 characters.
INSTANTIATE_TEST_SUITE_P(
    Places, CLoadModuleTest,
    testing::Values(SLoad{"WorkingDirectory", true, "near.adg", "near.adg", "Near", "Near", true},
                    SLoad{"WorkingDirectoryNoExtension", true, "near.adg", "near", "Near", "Near",
                          true},
                    SLoad{"LongNameInWorkingDirectory", true, std::string(70, 'n') + ".adg",
                          std::string(70, 'n') + ".adg", "Long Name", "Long Name", true},
                    SLoad{"OtherFolder", false, "far.adg", "far.adg", "Far", "Far", true},
                    SLoad{"OtherFolderLongTitle", false, "far.adg", "far.adg",
                          "A Title Longer Than Twenty-Four", "A Title Longer Than Twen", false}),
    LoadName);

// Random order seeds its generator with the clock's seconds at every pick and never picks
// the quote shown: the picks possible for the seconds a click took.
std::set<int> RandomPicks(int nCurrent, int nCount, std::time_t nFirst, std::time_t nLast)
{
    std::set<int> picks;
    for (std::time_t nSeconds = nFirst; nSeconds <= nLast; ++nSeconds) {
        auto nState = static_cast<std::uint32_t>(nSeconds);
        const auto draw = [&nState, nCount] {
            nState = nState * 214013u + 2531011u;
            return static_cast<int>((nState >> 16) & 0x7FFFu) % nCount;
        };
        int nPick = draw();
        while (nPick == nCurrent) {
            nPick = draw();
        }
        picks.insert(nPick);
    }
    return picks;
}

class COrderTest : public COptionsDialogTest {
protected:
    void ChooseOrder(HWND hQuote, int nButton) const
    {
        const HWND hOptions = OpenOptions(hQuote);
        ASSERT_NE(hOptions, nullptr);
        ASSERT_TRUE(ClickButton(hOptions, nButton));
        EXPECT_TRUE(IsItemChecked(hOptions, nButton));
        ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    }
};

TEST_F(COrderTest, RandomChosenAlternatesBetweenTwoQuotes)
{
    SSettings settings = Usual();
    PrepareWith(settings, 2);
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    ChooseOrder(hQuote, IDC_RANDOM);
    EXPECT_EQ(ShownIndex(hQuote, kTitle), 1);

    const struct {
        int nButton;
        int nQuote;
    } steps[] = {{IDC_NEXT, 0}, {IDC_NEXT, 1}, {IDC_PREVIOUS, 0}, {IDC_NEXT, 1}};
    for (const auto& step : steps) {
        ASSERT_TRUE(ClickButton(hQuote, step.nButton));
        EXPECT_EQ(ShownIndex(hQuote, kTitle), step.nQuote);
    }

    CloseProgram(hQuote);
    settings.nIndex = 1;
    settings.nOrder = kRandom;
    EXPECT_EQ(Saved(), SavedText(settings));
}

TEST_F(COrderTest, RandomChosenPicksByClock)
{
    const int kMany = 7;
    SSettings settings = Usual();
    PrepareWith(settings, kMany);
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    ChooseOrder(hQuote, IDC_RANDOM);

    int nCurrent = ShownIndex(hQuote, kTitle);
    ASSERT_EQ(nCurrent, 1) << "choosing the order moved the quote";
    for (const int nButton : {IDC_NEXT, IDC_NEXT, IDC_PREVIOUS}) {
        const std::time_t nBefore = std::time(nullptr);
        ASSERT_TRUE(ClickButton(hQuote, nButton));
        const std::set<int> picks = RandomPicks(nCurrent, kMany, nBefore, std::time(nullptr));
        const int nShown = ShownIndex(hQuote, kTitle);
        EXPECT_EQ(picks.count(nShown), 1u) << "quote " << nShown << " is no random pick";
        nCurrent = nShown;
    }

    CloseProgram(hQuote);
    settings.nIndex = nCurrent;
    settings.nOrder = kRandom;
    EXPECT_EQ(Saved(), SavedText(settings));
}

TEST_F(COrderTest, SequentialChosenGoesOnFromQuoteShown)
{
    const int kMany = 7;
    SSettings settings = Usual();
    settings.nOrder = kRandom;
    PrepareWith(settings, kMany);
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const int nFirst = ShownIndex(hQuote, kTitle);
    ASSERT_GE(nFirst, 0);
    ChooseOrder(hQuote, IDC_SEQUENTIAL);

    const struct {
        int nButton;
        int nStep;
    } steps[] = {{IDC_NEXT, 1}, {IDC_NEXT, 2}, {IDC_PREVIOUS, 1}};
    for (const auto& step : steps) {
        ASSERT_TRUE(ClickButton(hQuote, step.nButton));
        EXPECT_EQ(ShownIndex(hQuote, kTitle), (nFirst + step.nStep) % kMany);
    }

    CloseProgram(hQuote);
    settings.nIndex = (nFirst + 1) % kMany;
    settings.nOrder = kSequential;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// Whatever the help engine shows about the missing help file is its own business; it
// is answered and ended here, also when the test fails half-way.
class CHelpEngineReaper {
public:
    explicit CHelpEngineReaper(DWORD nProgramId) : m_nProgramId(nProgramId) {}
    CHelpEngineReaper(const CHelpEngineReaper&) = delete;
    CHelpEngineReaper& operator=(const CHelpEngineReaper&) = delete;
    ~CHelpEngineReaper() { EndChildProcesses(m_nProgramId); }

private:
    DWORD m_nProgramId;
};

TEST_F(COptionsDialogTest, HelpLeavesDialogOpenAndProgramRunning)
{
    SSettings settings = Usual();
    PrepareWith(settings);
    const auto [hQuote, hOptions] = StartWithOptions();
    ASSERT_NE(hOptions, nullptr);
    const CHelpEngineReaper reaper(m_run.ProcessId());

    ASSERT_TRUE(PostCommand(hOptions, ID_HELP_INDEX));
    EXPECT_TRUE(WaitUntil([&] { return HasChildProcessWindow(m_run.ProcessId()); }))
        << "the help engine was not started";
    EXPECT_TRUE(EndChildProcesses(m_run.ProcessId())) << "the help engine had to be ended";

    ASSERT_TRUE(m_run.IsRunning());
    EXPECT_TRUE(::IsWindowVisible(hOptions));
    EXPECT_TRUE(SendWithDeadline(hOptions, WM_NULL).has_value()) << "the dialog does not answer";
    ASSERT_TRUE(EndOptions(hQuote, hOptions, IDCANCEL));

    CloseProgram(hQuote);
    settings.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(settings));
}

} // namespace

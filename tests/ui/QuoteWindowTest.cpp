// The quote window end to end: the built program in a fresh folder, driven through its
// windows, with the settings it leaves in index.txt checked byte for byte.
#include "DialogAccess.h"
#include "ProgramFolder.h"
#include "ProgramRun.h"
#include "Wait.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>
#include <windows.h>

namespace {

const char kDefaultCaption[] = "Adagiomill v1.2.0 -- Miscellaneous";
const char kInvalidModule[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";
const char kDefaultSaved[] = "miscellaneous.adg\n0\n10\n2\n1\n0";

// Three quotes: both wraps lie a step or two away.
const char kThreeModule[] = "three.adg";
const char kThreeCaption[] = "Adagiomill v1.2.0 -- Three Sayings";
const char kThreeContent[] = "Three Sayings\r\n3\r\n%\r\n"
                             "First saying,~on two lines.\r\nAuthor One\r\n%\r\n"
                             "Second saying.\r\nAuthor Two\r\n%\r\n"
                             "Third saying.\r\nAuthor Three\r\n";

struct SQuote {
    const char* pszText;
    const char* pszAuthor;
};
const SQuote kThreeQuotes[] = {
    {"First saying,\r\non two lines.", "Author One"},
    {"Second saying.", "Author Two"},
    {"Third saying.", "Author Three"},
};

const int kCenter = 0;
const int kTopLeft = 1;
const int kSequential = 2;

struct SSettings {
    std::string strModule = kThreeModule;
    int nIndex = 0;
    int nInterval = 10;
    int nOrder = kSequential;
    // Off unless a test wants it, so nothing closes the window under the test.
    int nTimer = 0;
    int nPosition = kCenter;
};

// Ends with an LF, which the program never writes: a file the program saved differs from
// the one the test prepared even when the values are the same.
std::string SettingsText(const SSettings& settings)
{
    std::ostringstream text;
    text << settings.strModule << '\n'
         << settings.nIndex << '\n'
         << settings.nInterval << '\n'
         << settings.nOrder << '\n'
         << settings.nTimer << '\n'
         << settings.nPosition << '\n';
    return text.str();
}

// What the program writes for the same values.
std::string SavedText(const SSettings& settings)
{
    std::string strText = SettingsText(settings);
    strText.pop_back();
    return strText;
}

std::vector<std::string> SplitLines(const std::string& strText)
{
    std::vector<std::string> lines;
    std::istringstream stream(strText);
    std::string strLine;
    while (std::getline(stream, strLine)) {
        if (!strLine.empty() && strLine.back() == '\r') {
            strLine.pop_back();
        }
        lines.push_back(strLine);
    }
    return lines;
}

std::string TildesToLineBreaks(const std::string& strText)
{
    std::string strShown;
    for (const char ch : strText) {
        strShown += ch == '~' ? std::string("\r\n") : std::string(1, ch);
    }
    return strShown;
}

std::string FolderNameOfCurrentTest()
{
    const testing::TestInfo* pInfo = testing::UnitTest::GetInstance()->current_test_info();
    std::string strName = std::string(pInfo->test_suite_name()) + "." + pInfo->name();
    std::replace(strName.begin(), strName.end(), '/', '_');
    return strName;
}

class CQuoteWindowTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.Create(FolderNameOfCurrentTest())); }

    void TearDown() override
    {
        if (m_run.IsRunning()) {
            m_run.Kill();
            ADD_FAILURE() << "the program was still running at the end of the test";
        }
    }

    void Prepare(const SSettings& settings)
    {
        ASSERT_TRUE(m_folder.Write(kThreeModule, kThreeContent));
        ASSERT_TRUE(m_folder.Write("index.txt", SettingsText(settings)));
    }

    // The quote window once its first display is done; null (and a failure) otherwise.
    HWND StartProgram()
    {
        if (!m_run.Start(m_folder.Path())) {
            ADD_FAILURE() << "cannot start the program in " << m_folder.Path();
            return nullptr;
        }
        HWND hwnd = nullptr;
        const bool bShown = WaitUntil([&] {
            hwnd = FindProcessDialog(m_run.ProcessId(), IDC_QUOTE_TEXT);
            return hwnd && IsPainted(hwnd) && !ItemText(hwnd, IDC_QUOTE_TEXT).empty();
        });
        if (!bShown) {
            ADD_FAILURE() << "no quote window showing a quote";
            return nullptr;
        }
        return hwnd;
    }

    void CloseProgram(HWND hwnd)
    {
        EXPECT_TRUE(ClickButton(hwnd, IDCANCEL));
        EXPECT_TRUE(m_run.WaitForEnd()) << "Close did not end the program";
    }

    std::string Saved() const { return m_folder.Read("index.txt").value_or("<no index.txt>"); }

    CProgramFolder m_folder;
    CProgramRun m_run;
};

void ExpectQuote(HWND hwnd, const SQuote& quote)
{
    EXPECT_EQ(ItemText(hwnd, IDC_QUOTE_TEXT), quote.pszText);
    EXPECT_EQ(ItemText(hwnd, IDC_QUOTE_AUTHOR), quote.pszAuthor);
}

TEST_F(CQuoteWindowTest, FirstRunShowsFirstDefaultQuoteAndSavesDefaults)
{
    const std::vector<std::string> lines =
        SplitLines(m_folder.Read("miscellaneous.adg").value_or(""));
    ASSERT_GE(lines.size(), 5u);

    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), kDefaultCaption);
    EXPECT_EQ(ItemText(hwnd, IDC_QUOTE_TEXT), TildesToLineBreaks(lines[3]));
    EXPECT_EQ(ItemText(hwnd, IDC_QUOTE_AUTHOR), lines[4]);

    CloseProgram(hwnd);
    EXPECT_EQ(Saved(), kDefaultSaved);
}

TEST_F(CQuoteWindowTest, NextAndPreviousStepAndWrapBothWays)
{
    SSettings settings;
    settings.nIndex = 2;
    Prepare(settings);
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), kThreeCaption);
    ExpectQuote(hwnd, kThreeQuotes[0]);

    const struct {
        int nButton;
        int nQuote;
    } steps[] = {
        {IDC_NEXT, 1},     {IDC_NEXT, 2},     {IDC_NEXT, 0},     {IDC_PREVIOUS, 2},
        {IDC_PREVIOUS, 1}, {IDC_PREVIOUS, 0}, {IDC_PREVIOUS, 2}, {IDC_PREVIOUS, 1},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1));
        ASSERT_TRUE(ClickButton(hwnd, steps[i].nButton));
        ExpectQuote(hwnd, kThreeQuotes[steps[i].nQuote]);
    }

    CloseProgram(hwnd);
    settings.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(settings));
}

TEST_F(CQuoteWindowTest, DeletedModuleKeepsQuoteThenFallsBackToDefaultModule)
{
    Prepare(SSettings());
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    ExpectQuote(hwnd, kThreeQuotes[1]);
    ASSERT_TRUE(m_folder.Remove(kThreeModule));

    ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT));
    EXPECT_EQ(WindowText(hwnd), kDefaultCaption);
    ExpectQuote(hwnd, kThreeQuotes[1]);

    const std::vector<std::string> lines =
        SplitLines(m_folder.Read("miscellaneous.adg").value_or(""));
    ASSERT_GE(lines.size(), 5u);
    ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT));
    EXPECT_EQ(WindowText(hwnd), kDefaultCaption);
    EXPECT_EQ(ItemText(hwnd, IDC_QUOTE_TEXT), TildesToLineBreaks(lines[3]));
    EXPECT_EQ(ItemText(hwnd, IDC_QUOTE_AUTHOR), lines[4]);

    CloseProgram(hwnd);
    EXPECT_EQ(Saved(), kDefaultSaved);
}

TEST_F(CQuoteWindowTest, CloseTimerEndsProgramAndSavesSettings)
{
    SSettings settings;
    settings.nInterval = 1;
    settings.nTimer = 1;
    Prepare(settings);
    const ULONGLONG nStart = ::GetTickCount64();
    ASSERT_TRUE(m_run.Start(m_folder.Path()));

    ASSERT_TRUE(m_run.WaitForEnd(3 * kWaitMs)) << "the close timer did not end the program";
    EXPECT_GE(::GetTickCount64() - nStart, 900u) << "ended before its one-second interval";
    settings.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(settings));
}

TEST_F(CQuoteWindowTest, OptionsCancelledKeepsQuoteAndPlacesWindowAgain)
{
    SSettings settings;
    settings.nPosition = kTopLeft;
    Prepare(settings);
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    ::SetWindowPos(hwnd, nullptr, 200, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(TopLeft(hwnd), std::make_pair(200, 220));

    ASSERT_TRUE(PostCommand(hwnd, IDC_OPTIONS));
    HWND hOptions = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        hOptions = FindProcessDialog(m_run.ProcessId(), IDC_POSITION);
        return hOptions != nullptr;
    })) << "the options dialog did not open";
    ASSERT_TRUE(ClickButton(hOptions, IDCANCEL));

    EXPECT_TRUE(WaitUntil([&] {
        return !FindProcessDialog(m_run.ProcessId(), IDC_POSITION) && IsPainted(hwnd) &&
               TopLeft(hwnd) == std::make_pair(52, 62);
    })) << "window at "
        << TopLeft(hwnd).first << "," << TopLeft(hwnd).second;
    EXPECT_EQ(WindowText(hwnd), kThreeCaption);
    ExpectQuote(hwnd, kThreeQuotes[1]);

    CloseProgram(hwnd);
    settings.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// A repaint shows the quote at the same index, read from the file again: an edit of that
// quote on disk proves the repaint happened.
enum class ERepaint { Move, Invalidate };

class CRepaintTest : public CQuoteWindowTest, public testing::WithParamInterface<ERepaint> {};

std::string RepaintName(const testing::TestParamInfo<ERepaint>& info)
{
    return info.param == ERepaint::Move ? "Moved" : "Invalidated";
}

void Repaint(HWND hwnd, ERepaint repaint)
{
    if (repaint == ERepaint::Move) {
        ::SetWindowPos(hwnd, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        ::InvalidateRect(hwnd, nullptr, TRUE);
        ::UpdateWindow(hwnd);
    }
}

TEST_P(CRepaintTest, ShowsSameQuoteReadAgain)
{
    Prepare(SSettings());
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    ExpectQuote(hwnd, kThreeQuotes[1]);

    std::string strEdited = kThreeContent;
    const std::string strOld = "Second saying.";
    strEdited.replace(strEdited.find(strOld), strOld.size(), "Second saying, revised.");
    ASSERT_TRUE(m_folder.Write(kThreeModule, strEdited));
    Repaint(hwnd, GetParam());
    ASSERT_TRUE(WaitUntil([&] { return IsPainted(hwnd); }));
    ExpectQuote(hwnd, {"Second saying, revised.", "Author Two"});

    CloseProgram(hwnd);
    SSettings saved;
    saved.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(saved));
}

INSTANTIATE_TEST_SUITE_P(Repaints, CRepaintTest,
                         testing::Values(ERepaint::Move, ERepaint::Invalidate), RepaintName);

// The first display of a run moves on from the index the last run saved.
struct SFirstShow {
    int nSaved;
    int nShown;
};

class CFirstShowTest : public CQuoteWindowTest, public testing::WithParamInterface<SFirstShow> {};

std::string FirstShowName(const testing::TestParamInfo<SFirstShow>& info)
{
    return "Saved" + std::to_string(info.param.nSaved);
}

TEST_P(CFirstShowTest, MovesOnFromSavedIndex)
{
    const SFirstShow& firstShow = GetParam();
    SSettings settings;
    settings.nIndex = firstShow.nSaved;
    Prepare(settings);
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    ExpectQuote(hwnd, kThreeQuotes[firstShow.nShown]);

    CloseProgram(hwnd);
    settings.nIndex = firstShow.nShown;
    EXPECT_EQ(Saved(), SavedText(settings));
}

// Saved 7 lies beyond a module that has since shrunk.
INSTANTIATE_TEST_SUITE_P(SavedIndexes, CFirstShowTest,
                         testing::Values(SFirstShow{0, 1}, SFirstShow{1, 2}, SFirstShow{2, 0},
                                         SFirstShow{7, 0}),
                         FirstShowName);

// Window positions on the 1024 x 768 virtual desktop; unknown values centre the window.
struct SPlacement {
    int nPosition;
    int nLeft;
    int nTop;
};

class CPlacementTest : public CQuoteWindowTest, public testing::WithParamInterface<SPlacement> {};

std::string PlacementName(const testing::TestParamInfo<SPlacement>& info)
{
    return "Position" + std::to_string(info.param.nPosition);
}

TEST_P(CPlacementTest, PlacesWindowTopLeftCorner)
{
    const SPlacement& placement = GetParam();
    SSettings settings;
    settings.nPosition = placement.nPosition;
    Prepare(settings);
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(TopLeft(hwnd), std::make_pair(placement.nLeft, placement.nTop));

    CloseProgram(hwnd);
    settings.nIndex = 1;
    EXPECT_EQ(Saved(), SavedText(settings));
}

INSTANTIATE_TEST_SUITE_P(Positions, CPlacementTest,
                         testing::Values(SPlacement{0, 308, 298}, SPlacement{1, 52, 62},
                                         SPlacement{2, 564, 62}, SPlacement{7, 308, 298}),
                         PlacementName);

// A module whose header does not validate stays active and shows a fixed message.
struct SInvalidModule {
    const char* pszName;
    const char* pszContent;
    const char* pszCaption;
};

class CInvalidModuleTest : public CQuoteWindowTest,
                           public testing::WithParamInterface<SInvalidModule> {};

std::string InvalidModuleName(const testing::TestParamInfo<SInvalidModule>& info)
{
    const SInvalidModule& module = info.param;
    return module.pszName;
}

TEST_P(CInvalidModuleTest, ShowsInvalidModuleMessage)
{
    const SInvalidModule& module = GetParam();
    const char kBadModule[] = "bad.adg";
    SSettings settings;
    settings.strModule = kBadModule;
    settings.nIndex = 1;
    Prepare(settings);
    ASSERT_TRUE(m_folder.Write(kBadModule, module.pszContent));
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), module.pszCaption);
    ExpectQuote(hwnd, {kInvalidModule, ""});

    ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT));
    ExpectQuote(hwnd, {kInvalidModule, ""});

    CloseProgram(hwnd);
    EXPECT_EQ(Saved(), SavedText(settings));
}

INSTANTIATE_TEST_SUITE_P(
    Headers, CInvalidModuleTest,
    testing::Values(SInvalidModule{"CountNotDigit",
                                   "Bad Count\r\nx\r\n%\r\nA quote.\r\nSomeone\r\n",
                                   "Adagiomill v1.2.0 -- Bad Count"},
                    SInvalidModule{"NoSeparator", "No Separator\r\n1\r\nA quote.\r\nSomeone\r\n",
                                   "Adagiomill v1.2.0 -- No Separator"},
                    SInvalidModule{"Empty", "", "Adagiomill v1.2.0 -- "}),
    InvalidModuleName);

} // namespace

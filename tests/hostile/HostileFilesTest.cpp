// Broken, huge, locked and shifting files under the running program: each row lays out a
// fresh folder, runs the program through a few steps and checks that it keeps answering,
// shows what the files say, and leaves a settings file that loads again.
#include "ProgramTest.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include <windows.h>

namespace {

using namespace std::string_literals;
// Quote text and attribution, as the window's two fields hold them.
using SDisplay = std::pair<std::string, std::string>;

const char kModule[] = "hostile.adg";
const char kSettings[] = "index.txt";
const char kTemporary[] = "index.txt.new";
const std::size_t kOneMegabyte = 1024 * 1024;
// What the fields can hold: one character less than the quote and attribution buffers.
const std::size_t kQuoteChars = 199;
const std::size_t kAuthorChars = 49;
const SDisplay kInvalid = {
    "Invalid quote module selected. Please click on Options and load a valid module.", ""};
const SDisplay kEmpty = {"", ""};
const std::string kDefaultCaption = kCaptionPrefix + "Miscellaneous"s;

SDisplay Quote(const std::string& strTitle, int nIndex)
{
    return {QuoteText(strTitle, nIndex), "Author " + std::to_string(nIndex + 1)};
}

SDisplay Shown(HWND hwnd)
{
    return {ItemText(hwnd, IDC_QUOTE_TEXT), ItemText(hwnd, IDC_QUOTE_AUTHOR)};
}

// Letters and digits with no line end and no "~", so a cut shows exactly where it was made.
std::string PatternLine(std::size_t nOffset, std::size_t nSize)
{
    static const char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string strLine(nSize, '\0');
    for (std::size_t i = 0; i < nSize; ++i)
        strLine[i] = kAlphabet[(nOffset + i) * 7 % (sizeof kAlphabet - 1)];
    return strLine;
}

std::string RandomAfterHeader()
{
    // The engine's output is fixed by the standard, so every platform gets the same bytes.
    std::mt19937 engine(7);
    std::string strBody(65536, '\0');
    std::generate(strBody.begin(), strBody.end(), [&] { return static_cast<char>(engine()); });
    // Line ends in place of the end-of-file byte, so the walk goes deep into the noise.
    std::replace(strBody.begin(), strBody.end(), '\x1a', '\n');
    return "Random Body\r\n3\r\n%\r\n" + strBody;
}

std::string NulModule()
{
    return "Nul\0Title\r\n3\0x\r\n%\0\r\nBefore\0After\r\nAuth\0or\r\n%\r\n\0Hidden\r\n"
           "Second\0Author\r\n%\0\r\nThird~quote\0tail\r\n%\0\r\n"s;
}

SSettings HostileSettings(int nIndex)
{
    return {kModule, nIndex};
}

// What the program writes when it closes on its defaults after showing quote nIndex.
SSettings DefaultSettings(int nIndex)
{
    return {"miscellaneous.adg", nIndex, 10, 2, 1};
}

// Disturb runs the row's disturbance while a quote is shown; the fields must not change.
enum class EAction { Start, Next, Previous, Repaint, Disturb };

struct SStep {
    EAction eAction;
    // Nothing: not known exactly, only that it fits the fields.
    std::optional<SDisplay> shown = std::nullopt;
    // Empty: not looked at.
    std::string strCaption = "";
};

class CHostileFilesTest;
using FScene = std::function<void(CHostileFilesTest&)>;

struct SRow {
    const char* pszName;
    FScene fnPrepare;
    std::vector<SStep> steps;
    // Nothing: index.txt must be left as the row wrote it.
    std::optional<SSettings> saved;
    FScene fnDisturb = nullptr;
};

void PrintTo(const SRow& row, std::ostream* pStream)
{
    *pStream << row.pszName;
}

class CHostileFilesTest : public CProgramTest, public testing::WithParamInterface<SRow> {
public:
    void Lay(const std::string& strName, const std::string& strBytes)
    {
        EXPECT_TRUE(Write(strName, strBytes)) << strName;
        m_laid[strName] = strBytes;
    }

    void LayModule(const std::string& strModule, int nIndex)
    {
        Lay(kModule, strModule);
        Lay(kSettings, SettingsText(HostileSettings(nIndex)));
    }

    // Opened with a share mode that shuts other openers out, until the program has ended.
    void Hold(const std::string& strName, DWORD nShareMode)
    {
        const HANDLE hFile = ::CreateFileA(PathOf(strName).c_str(), GENERIC_READ, nShareMode,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(hFile, INVALID_HANDLE_VALUE) << "cannot hold " << strName;
        m_holds.push_back(hFile);
    }

protected:
    void TearDown() override
    {
        ReleaseHolds();
        CProgramTest::TearDown();
    }

    void ReleaseHolds()
    {
        for (const HANDLE hFile : m_holds)
            ::CloseHandle(hFile);
        m_holds.clear();
    }

    void Perform(EAction eAction, HWND hwnd)
    {
        if (eAction == EAction::Next || eAction == EAction::Previous) {
            ASSERT_TRUE(ClickButton(hwnd, eAction == EAction::Next ? IDC_NEXT : IDC_PREVIOUS))
                << "the button did not return";
        } else if (eAction == EAction::Repaint) {
            ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            ASSERT_TRUE(WaitUntil([&] { return IsPainted(hwnd); })) << "no repaint";
        } else if (eAction == EAction::Disturb) {
            GetParam().fnDisturb(*this);
        }
    }

    std::map<std::string, std::string> m_laid;
    std::vector<HANDLE> m_holds;
};

const std::string kThree = ModuleText("Three", 3, 3);
const std::vector<SStep> kDefaults = {{EAction::Start, std::nullopt, kDefaultCaption},
                                      {EAction::Next}};

// The module stays readable, so the program keeps showing it after index.txt trouble.
SRow SettingsTroubleRow(const char* pszName, const FScene& fnTrouble,
                        std::optional<SSettings> saved)
{
    const auto fnPrepare = [fnTrouble](CHostileFilesTest& scene) {
        scene.LayModule(kThree, 0);
        fnTrouble(scene);
    };
    return {pszName,
            fnPrepare,
            {{EAction::Start, Quote("Three", 1), kCaptionPrefix + "Three"s},
             {EAction::Next, Quote("Three", 2)}},
            saved};
}

std::vector<SRow> HostileRows()
{
    const std::string strLong = PatternLine(0, 10 * kOneMegabyte);
    // The first quote fills the field and the attribution takes the line's next characters.
    const SDisplay longFirst = {PatternLine(0, kQuoteChars),
                                PatternLine(kQuoteChars, kAuthorChars)};
    const std::size_t nSecond = kQuoteChars + kAuthorChars;
    return {
        {"EmptyModule",
         [](CHostileFilesTest& scene) { scene.LayModule("", 1); },
         {{EAction::Start, kInvalid, kCaptionPrefix}, {EAction::Next, kInvalid}},
         HostileSettings(1)},
        {"RandomBytesAfterHeader",
         [](CHostileFilesTest& scene) { scene.LayModule(RandomAfterHeader(), 2); },
         {{EAction::Start, std::nullopt, kCaptionPrefix + "Random Body"s},
          {EAction::Next},
          {EAction::Next}},
         HostileSettings(2)},
        {"NulBytesInLines",
         [](CHostileFilesTest& scene) { scene.LayModule(NulModule(), 2); },
         {{EAction::Start, SDisplay{"Before", "Auth"}, kCaptionPrefix + "Nul"s},
          {EAction::Next, SDisplay{"", "Second"}},
          {EAction::Next, SDisplay{"Third\r\nquote", " "}},
          {EAction::Next, SDisplay{"Before", "Auth"}}},
         HostileSettings(0)},
        {"TenMegabyteQuoteText",
         [strLong](CHostileFilesTest& scene) {
             scene.LayModule("Long Quote\r\n2\r\n%\r\n" + strLong +
                                 "\r\nAuthor\r\n%\r\nShort quote.\r\nSomeone\r\n",
                             1);
         },
         // The second quote goes on reading where the first stopped in the long line.
         {{EAction::Start, longFirst, kCaptionPrefix + "Long Quote"s},
          {EAction::Next, SDisplay{PatternLine(nSecond, kQuoteChars),
                                   PatternLine(nSecond + kQuoteChars, kAuthorChars)}},
          {EAction::Next, longFirst}},
         HostileSettings(0)},
        {"NineHundredNinetyNineDeclaredThreePresent",
         [](CHostileFilesTest& scene) { scene.LayModule(ModuleText("Sparse", 999, 3), 998); },
         {{EAction::Start, Quote("Sparse", 0), kCaptionPrefix + "Sparse"s},
          {EAction::Previous, kEmpty},
          {EAction::Next, Quote("Sparse", 0)}},
         HostileSettings(0)},
        {"ModuleHeldOpenExclusively",
         [](CHostileFilesTest& scene) {
             scene.LayModule(kThree, 1);
             scene.Hold(kModule, 0);
         },
         kDefaults, DefaultSettings(1)},
        // A device must never be read: a read may never return.
        {"ModuleNamedSerialPort",
         [](CHostileFilesTest& scene) {
             SSettings settings = HostileSettings(1);
             settings.strModule = "COM1";
             scene.Lay(kSettings, SettingsText(settings));
         },
         kDefaults, DefaultSettings(1)},
        {"SettingsBeyondThirtyTwoBits",
         [](CHostileFilesTest& scene) {
             scene.Lay(kModule, kThree);
             scene.Lay(kSettings, "hostile.adg\n18446744073709551616\n4294967296\n"
                                  "9223372036854775808\n4294967297\n99999999999999999999\n");
         },
         {{EAction::Start, Quote("Three", 0), kCaptionPrefix + "Three"s},
          {EAction::Next, Quote("Three", 1)}},
         // Each bounded read takes what fits and leaves the rest to the next line's read:
         // 1844 | 674 | 40 | 73 | 70 of the first number.
         SSettings{kModule, 1, 674, 40, 73, 70}},
        {"SettingsOneMegabyteLine",
         [](CHostileFilesTest& scene) {
             scene.Lay(kModule, kThree);
             scene.Lay(kSettings, PatternLine(0, kOneMegabyte));
         },
         kDefaults, DefaultSettings(1)},
        {"SettingsHeldExclusively",
         [](CHostileFilesTest& scene) {
             scene.LayModule(kThree, 0);
             scene.Hold(kSettings, 0);
         },
         kDefaults, std::nullopt},
        SettingsTroubleRow(
            "SettingsHeldOpenForReading",
            [](CHostileFilesTest& scene) {
                scene.Hold(kSettings, FILE_SHARE_READ | FILE_SHARE_WRITE);
            },
            HostileSettings(2)),
        SettingsTroubleRow(
            "StaleTemporaryHeldExclusively",
            [](CHostileFilesTest& scene) {
                scene.Lay(kTemporary, "stale");
                scene.Hold(kTemporary, 0);
            },
            HostileSettings(2)),
        {"ModuleReplacedByShorter",
         [](CHostileFilesTest& scene) { scene.LayModule(ModuleText("Five", 5, 5), 3); },
         {{EAction::Start, Quote("Five", 4), kCaptionPrefix + "Five"s},
          {EAction::Disturb},
          {EAction::Repaint, kEmpty, kCaptionPrefix + "Five"s},
          {EAction::Next, Quote("Two", 0)},
          {EAction::Next, Quote("Two", 1)}},
         HostileSettings(1),
         [](CHostileFilesTest& scene) { scene.Lay(kModule, ModuleText("Two", 2, 2)); }},
    };
}

TEST_P(CHostileFilesTest, KeepsAnsweringShowsWhatFilesSayAndSavesSanely)
{
    const SRow& row = GetParam();
    row.fnPrepare(*this);
    HWND hwnd = nullptr;
    SDisplay shown;
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
        const SStep& step = row.steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1));
        if (step.eAction == EAction::Start) {
            hwnd = StartProgram();
            ASSERT_NE(hwnd, nullptr);
        }
        Perform(step.eAction, hwnd);
        ASSERT_TRUE(SendWithDeadline(hwnd, WM_NULL)) << "the program stopped answering";
        const SDisplay before = shown;
        shown = Shown(hwnd);
        // A quote of the text's size, each "~" two characters on the screen.
        EXPECT_LE(shown.first.size(), 2 * kQuoteChars);
        EXPECT_LE(shown.second.size(), kAuthorChars);
        if (step.eAction == EAction::Disturb) {
            EXPECT_EQ(shown, before);
        } else if (step.shown) {
            EXPECT_EQ(shown, *step.shown);
        }
        if (!step.strCaption.empty()) {
            EXPECT_EQ(WindowText(hwnd), step.strCaption);
        }
    }
    CloseProgram(hwnd);
    ReleaseHolds();
    if (row.saved) {
        EXPECT_EQ(Saved(), SavedText(*row.saved));
    } else {
        EXPECT_EQ(Saved(), m_laid[kSettings]) << "index.txt was changed";
    }
    if (!m_laid.count(kTemporary)) {
        EXPECT_FALSE(std::filesystem::exists(PathOf(kTemporary))) << "temporary file left behind";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CHostileFilesTest, testing::ValuesIn(HostileRows()),
                         [](const testing::TestParamInfo<SRow>& info) {
                             return std::string(info.param.pszName);
                         });

using CModuleRewriteTest = CProgramTest;

// A thread of the test saves the module over and over the way an editor does, truncated
// and then written whole in one call, so a read sees it empty or whole. Every version is
// the one before it with more quotes after it, so whatever mix of old and new bytes a read
// catches is itself a version cut short: quotes of a version, or empty fields past its end.
TEST_F(CModuleRewriteTest, NextWhileModuleIsRewrittenShowsOnlyWhatSomeVersionSays)
{
    const int kClicks = 200;
    std::vector<std::string> versions;
    for (const int nPresent : {6, 2, 5, 0, 3, 1, 4})
        versions.push_back(ModuleText("Rewritten", 6, nPresent));
    std::vector<SDisplay> allowed = {kEmpty, kInvalid};
    for (int i = 0; i < 6; ++i)
        allowed.push_back(Quote("Rewritten", i));
    ASSERT_TRUE(Write(kModule, versions[0]));
    Prepare(HostileSettings(0));
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);

    std::atomic<bool> bStop{false};
    std::atomic<int> nRewrites{0};
    std::thread rewriter([&] {
        for (std::size_t n = 0; !bStop; n = nRewrites % versions.size()) {
            const HANDLE hFile = ::CreateFileA(PathOf(kModule).c_str(), GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (hFile == INVALID_HANDLE_VALUE) {
                continue;
            }
            DWORD nWritten = 0;
            if (::WriteFile(hFile, versions[n].data(), static_cast<DWORD>(versions[n].size()),
                            &nWritten, nullptr) &&
                nWritten == versions[n].size()) {
                ++nRewrites;
            }
            ::CloseHandle(hFile);
        }
    });
    // No fatal assertion while the thread runs: it must be joined first.
    for (int i = 1; i <= kClicks; ++i) {
        const bool bReturned = ClickButton(hwnd, IDC_NEXT);
        const SDisplay shown = Shown(hwnd);
        if (!bReturned || std::find(allowed.begin(), allowed.end(), shown) == allowed.end()) {
            ADD_FAILURE() << "click " << i << (bReturned ? "" : ": Next did not return")
                          << ", shown " << testing::PrintToString(shown);
            break;
        }
    }
    bStop = true;
    rewriter.join();
    RecordProperty("rewrites", nRewrites.load());
    EXPECT_GE(nRewrites.load(), kClicks) << "the module was hardly rewritten";
    ASSERT_TRUE(SendWithDeadline(hwnd, WM_NULL));

    CloseProgram(hwnd);
    const std::string strSaved = Saved();
    bool bSaneIndex = false;
    for (int i = 0; i < 6; ++i) {
        bSaneIndex = bSaneIndex || strSaved == SavedText(HostileSettings(i));
    }
    EXPECT_TRUE(bSaneIndex) << "\"" << strSaved << "\"";
}

} // namespace

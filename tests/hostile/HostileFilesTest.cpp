// Broken, huge, locked and shifting files under the running program: each row lays out a
// fresh folder, runs the program through a few steps and checks that it keeps answering,
// shows what the files say, and leaves a settings file that loads again.
#include "ProgramTest.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
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
const std::string kThree = ModuleText("Three", 3, 3);

SDisplay Quote(const std::string& strTitle, int nIndex)
{
    return {QuoteText(strTitle, nIndex), "Author " + std::to_string(nIndex + 1)};
}

SDisplay Shown(HWND hwnd)
{
    return {ItemText(hwnd, IDC_QUOTE_TEXT), ItemText(hwnd, IDC_QUOTE_AUTHOR)};
}

std::string Caption(const std::string& strTitle)
{
    return kCaptionPrefix + strTitle;
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

const std::string kNulModule =
    "Nul\0Title\r\n3\0x\r\n%\0\r\nBefore\0After\r\nAuth\0or\r\n%\r\n\0Hidden\r\n"
    "Second\0Author\r\n%\0\r\nThird~quote\0tail\r\n%\0\r\n"s;

SSettings HostileSettings(int nIndex)
{
    return {kModule, nIndex};
}

std::string Settings(int nIndex)
{
    return SettingsText(HostileSettings(nIndex));
}

// What the program writes when it closes on its defaults after showing quote nIndex.
std::string DefaultsSaved(int nIndex)
{
    return SavedText({"miscellaneous.adg", nIndex, 10, 2, 1});
}

// Replace writes the row's replacement over the module while a quote is shown; the fields
// must not change until something makes the window read again.
enum class EAction { Start, Next, Previous, Repaint, Replace };

struct SStep {
    EAction eAction;
    // Nothing: not known exactly, only that it fits the fields.
    std::optional<SDisplay> shown = std::nullopt;
    // Empty: not looked at.
    std::string strCaption = "";
};

struct SRow {
    const char* pszName;
    std::string strModule;
    std::string strSettings;
    std::vector<SStep> steps;
    std::string strSaved;
    // The file held open under the program, created when missing, and whom it lets in.
    const char* pszHeld = nullptr;
    DWORD nShareMode = 0;
    std::string strReplacement = "";
};

void PrintTo(const SRow& row, std::ostream* pStream)
{
    *pStream << row.pszName;
}

const std::vector<SStep> kDefaults = {{EAction::Start, std::nullopt, Caption("Miscellaneous")},
                                      {EAction::Next}};
// The module stays readable, so the program keeps showing it after index.txt trouble.
const std::vector<SStep> kThreeFromFirst = {{EAction::Start, Quote("Three", 1), Caption("Three")},
                                            {EAction::Next, Quote("Three", 2)}};

std::vector<SRow> HostileRows()
{
    // The first quote fills the field and the attribution takes the line's next characters;
    // the second goes on reading where the first stopped.
    const SDisplay longFirst = {PatternLine(0, kQuoteChars),
                                PatternLine(kQuoteChars, kAuthorChars)};
    const std::size_t nSecond = kQuoteChars + kAuthorChars;
    const SDisplay longSecond = {PatternLine(nSecond, kQuoteChars),
                                 PatternLine(nSecond + kQuoteChars, kAuthorChars)};
    SSettings device = HostileSettings(1);
    // A device must never be read: a read may never return.
    device.strModule = "COM1";
    return {
        {"EmptyModule",
         "",
         Settings(1),
         {{EAction::Start, kInvalid, kCaptionPrefix}, {EAction::Next, kInvalid}},
         SavedText(HostileSettings(1))},
        {"RandomBytesAfterHeader",
         RandomAfterHeader(),
         Settings(2),
         {{EAction::Start, std::nullopt, Caption("Random Body")}, {EAction::Next}, {EAction::Next}},
         SavedText(HostileSettings(2))},
        {"NulBytesInLines",
         kNulModule,
         Settings(2),
         {{EAction::Start, SDisplay{"Before", "Auth"}, Caption("Nul")},
          {EAction::Next, SDisplay{"", "Second"}},
          {EAction::Next, SDisplay{"Third\r\nquote", " "}},
          {EAction::Next, SDisplay{"Before", "Auth"}}},
         SavedText(HostileSettings(0))},
        {"TenMegabyteQuoteText",
         "Long Quote\r\n2\r\n%\r\n" + PatternLine(0, 10 * kOneMegabyte) +
             "\r\nAuthor\r\n%\r\nShort quote.\r\nSomeone\r\n",
         Settings(1),
         {{EAction::Start, longFirst, Caption("Long Quote")},
          {EAction::Next, longSecond},
          {EAction::Next, longFirst}},
         SavedText(HostileSettings(0))},
        {"NineHundredNinetyNineDeclaredThreePresent",
         ModuleText("Sparse", 999, 3),
         Settings(998),
         {{EAction::Start, Quote("Sparse", 0), Caption("Sparse")},
          {EAction::Previous, kEmpty},
          {EAction::Next, Quote("Sparse", 0)}},
         SavedText(HostileSettings(0))},
        {"ModuleHeldOpenExclusively", kThree, Settings(1), kDefaults, DefaultsSaved(1), kModule},
        {"ModuleNamedSerialPort", kThree, SettingsText(device), kDefaults, DefaultsSaved(1)},
        {"SettingsBeyondThirtyTwoBits",
         kThree,
         "hostile.adg\n18446744073709551616\n4294967296\n9223372036854775808\n4294967297\n"
         "99999999999999999999\n",
         {{EAction::Start, Quote("Three", 0), Caption("Three")},
          {EAction::Next, Quote("Three", 1)}},
         // Each bounded read takes what fits and leaves the rest to the next line's read:
         // 1844 | 674 | 40 | 73 | 70 of the first number.
         SavedText({kModule, 1, 674, 40, 73, 70})},
        {"SettingsOneMegabyteLine", kThree, PatternLine(0, kOneMegabyte), kDefaults,
         DefaultsSaved(1)},
        {"SettingsHeldExclusively", kThree, Settings(0), kDefaults, Settings(0), kSettings},
        {"SettingsHeldOpenForReading", kThree, Settings(0), kThreeFromFirst,
         SavedText(HostileSettings(2)), kSettings, FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"StaleTemporaryHeldExclusively", kThree, Settings(0), kThreeFromFirst,
         SavedText(HostileSettings(2)), kTemporary},
        {"ModuleReplacedByShorter",
         ModuleText("Five", 5, 5),
         Settings(3),
         {{EAction::Start, Quote("Five", 4), Caption("Five")},
          {EAction::Replace},
          {EAction::Repaint, kEmpty, Caption("Five")},
          {EAction::Next, Quote("Two", 0)},
          {EAction::Next, Quote("Two", 1)}},
         SavedText(HostileSettings(1)),
         nullptr,
         0,
         ModuleText("Two", 2, 2)},
    };
}

class CHostileFilesTest : public CProgramTest, public testing::WithParamInterface<SRow> {
protected:
    void TearDown() override
    {
        Release();
        CProgramTest::TearDown();
    }

    void Release()
    {
        if (m_hHeld != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_hHeld);
        m_hHeld = INVALID_HANDLE_VALUE;
    }

    void Perform(EAction eAction, HWND hwnd) const
    {
        if (eAction == EAction::Next || eAction == EAction::Previous) {
            ASSERT_TRUE(ClickButton(hwnd, eAction == EAction::Next ? IDC_NEXT : IDC_PREVIOUS))
                << "the button did not return";
        } else if (eAction == EAction::Repaint) {
            ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            ASSERT_TRUE(WaitUntil([&] { return IsPainted(hwnd); })) << "no repaint";
        } else if (eAction == EAction::Replace) {
            ASSERT_TRUE(Write(kModule, GetParam().strReplacement));
        }
    }

    HANDLE m_hHeld = INVALID_HANDLE_VALUE;
};

TEST_P(CHostileFilesTest, KeepsAnsweringShowsWhatFilesSayAndSavesSanely)
{
    const SRow& row = GetParam();
    ASSERT_TRUE(Write(kModule, row.strModule));
    ASSERT_TRUE(Write(kSettings, row.strSettings));
    if (row.pszHeld) {
        m_hHeld =
            ::CreateFileA(PathOf(row.pszHeld).c_str(), GENERIC_READ | GENERIC_WRITE, row.nShareMode,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(m_hHeld, INVALID_HANDLE_VALUE) << "cannot hold " << row.pszHeld;
    }
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
        // Each "~" of the text is two characters on the screen.
        EXPECT_LE(shown.first.size(), 2 * kQuoteChars);
        EXPECT_LE(shown.second.size(), kAuthorChars);
        EXPECT_EQ(shown, step.eAction == EAction::Replace ? before : step.shown.value_or(shown));
        if (!step.strCaption.empty()) {
            EXPECT_EQ(WindowText(hwnd), step.strCaption);
        }
    }
    CloseProgram(hwnd);
    Release();
    EXPECT_EQ(Saved(), row.strSaved);
    // Only a temporary file the row made itself may be there.
    EXPECT_EQ(std::filesystem::exists(PathOf(kTemporary)), row.pszHeld == kTemporary);
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

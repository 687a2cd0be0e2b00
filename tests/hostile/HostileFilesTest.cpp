// Broken, huge, locked and shifting files under the running program: each row lays out a
// fresh folder, runs the program through a few steps and checks that it keeps answering,
// shows what the files say, and leaves a settings file that loads again.
#include "ProgramTest.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <random>
#include <thread>

namespace {

const char kModule[] = "hostile.adg";
const char kSettings[] = "index.txt";
const char kTemporary[] = "index.txt.new";
const std::size_t kOneMegabyte = 1024 * 1024;
// What the fields can hold: one character less than the quote and attribution buffers.
const std::size_t kQuoteChars = 199;
const std::size_t kAuthorChars = 49;
const SDisplay kEmpty = {"", ""};
const std::string kThree = ModuleText("Three", 3, 3);

// Letters with no line end and no "~", so a cut shows exactly where it was made.
std::string PatternLine(std::size_t nOffset, std::size_t nSize)
{
    std::string strLine(nSize, '\0');
    for (std::size_t i = 0; i < nSize; ++i)
        strLine[i] = static_cast<char>('a' + (nOffset + i) * 7 % 26);
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

using SShown = std::vector<std::optional<SDisplay>>;

struct SRow {
    const char* pszName;
    std::string strModule;
    std::string strSettings;
    std::string strTitle;
    // The fields at the start and after each press of Next; nothing where not known exactly,
    // only that it fits the fields.
    SShown shown;
    std::string strSaved;
    // The file held open under the program, created when missing, and whom it lets in.
    const char* pszHeld = nullptr;
    DWORD nShareMode = 0;
};

std::vector<SRow> HostileRows()
{
    const auto fnSettings = [](int nIndex) { return SettingsText({kModule, nIndex}); };
    const auto fnSavedAt = [](int nIndex) { return SavedText({kModule, nIndex}); };
    // What the program writes when it closes on its defaults after showing quote nIndex.
    const auto fnDefaultsSaved = [](int nIndex) {
        return SavedText({"miscellaneous.adg", nIndex, 10, 2, 1});
    };
    const char kDefault[] = "Miscellaneous";
    // The module stays readable, so the program keeps showing it after index.txt trouble.
    const SShown three = {Quote("Three", 1), Quote("Three", 2)};
    // The first quote fills the field and the attribution takes the line's next characters;
    // the second goes on reading where the first stopped.
    const SDisplay longFirst = {PatternLine(0, kQuoteChars),
                                PatternLine(kQuoteChars, kAuthorChars)};
    const std::size_t nSecond = kQuoteChars + kAuthorChars;
    const SDisplay longSecond = {PatternLine(nSecond, kQuoteChars),
                                 PatternLine(nSecond + kQuoteChars, kAuthorChars)};
    return {
        {"EmptyModule", "", fnSettings(1), "", {kInvalidModule, kInvalidModule}, fnSavedAt(1)},
        {"RandomBytesAfterHeader", RandomAfterHeader(), fnSettings(2), "Random Body", SShown(3),
         fnSavedAt(2)},
        {"TenMegabyteQuoteText",
         "Long Quote\r\n2\r\n%\r\n" + PatternLine(0, 10 * kOneMegabyte) +
             "\r\nAuthor\r\n%\r\nShort quote.\r\nSomeone\r\n",
         fnSettings(1),
         "Long Quote",
         {longFirst, longSecond, longFirst},
         fnSavedAt(0)},
        // Past the quotes present, up to the number declared, the fields stay empty.
        {"NineHundredNinetyNineDeclaredThreePresent",
         ModuleText("Sparse", 999, 3),
         fnSettings(1),
         "Sparse",
         {Quote("Sparse", 2), kEmpty, kEmpty},
         fnSavedAt(4)},
        {"ModuleHeldOpenExclusively", kThree, fnSettings(1), kDefault, SShown(2),
         fnDefaultsSaved(1), kModule},
        // A device must never be read: a read may never return.
        {"ModuleNamedSerialPort", kThree, SettingsText({"COM1", 1}), kDefault, SShown(2),
         fnDefaultsSaved(1)},
        // Each bounded read takes what fits and leaves the rest to the next line's read:
        // 1844 | 674 | 40 | 73 | 70 of the first number.
        {"SettingsBeyondThirtyTwoBits",
         kThree,
         "hostile.adg\n18446744073709551616\n4294967296\n9223372036854775808\n4294967297\n"
         "99999999999999999999\n",
         "Three",
         {Quote("Three", 0), Quote("Three", 1)},
         SavedText({kModule, 1, 674, 40, 73, 70})},
        {"SettingsOneMegabyteLine", kThree, PatternLine(0, kOneMegabyte), kDefault, SShown(2),
         fnDefaultsSaved(1)},
        {"SettingsHeldExclusively", kThree, fnSettings(0), kDefault, SShown(2), fnSettings(0),
         kSettings},
        {"SettingsHeldOpenForReading", kThree, fnSettings(0), "Three", three, fnSavedAt(2),
         kSettings, FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"StaleTemporaryHeldExclusively", kThree, fnSettings(0), "Three", three, fnSavedAt(2),
         kTemporary},
    };
}

class CHostileFilesTest : public CProgramTest, public testing::WithParamInterface<SRow> {};

TEST_P(CHostileFilesTest, KeepsAnsweringShowsWhatFilesSayAndSavesSanely)
{
    const SRow& row = GetParam();
    std::unique_ptr<void, decltype(&::CloseHandle)> held{nullptr, &::CloseHandle};
    ASSERT_TRUE(Write(kModule, row.strModule));
    ASSERT_TRUE(Write(kSettings, row.strSettings));
    if (row.pszHeld) {
        const HANDLE hFile =
            ::CreateFileA(PathOf(row.pszHeld).c_str(), GENERIC_READ, row.nShareMode, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE) << "cannot hold " << row.pszHeld;
        held.reset(hFile);
    }
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), kCaptionPrefix + row.strTitle);
    for (std::size_t i = 0; i < row.shown.size(); ++i) {
        SCOPED_TRACE("after " + std::to_string(i) + " presses of Next");
        ASSERT_TRUE(i == 0 || ClickButton(hwnd, IDC_NEXT)) << "Next did not return";
        ASSERT_TRUE(SendWithDeadline(hwnd, WM_NULL)) << "the program stopped answering";
        const SDisplay shown = Shown(hwnd);
        // Each "~" of the text is two characters on the screen.
        EXPECT_LE(shown.first.size(), 2 * kQuoteChars);
        EXPECT_LE(shown.second.size(), kAuthorChars);
        EXPECT_EQ(shown, row.shown[i].value_or(shown));
    }
    CloseProgram(hwnd);
    held.reset();
    EXPECT_EQ(Saved(), row.strSaved);
    // Only a temporary file the row made itself may be there.
    EXPECT_EQ(std::filesystem::exists(PathOf(kTemporary)), row.pszHeld == kTemporary) << kTemporary;
}

INSTANTIATE_TEST_SUITE_P(Files, CHostileFilesTest, testing::ValuesIn(HostileRows()),
                         [](const auto& info) { return std::string(info.param.pszName); });

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
    std::vector<SDisplay> allowed = {kEmpty, kInvalidModule};
    std::vector<std::string> sane;
    for (int i = 0; i < 6; ++i) {
        allowed.push_back(Quote("Rewritten", i));
        sane.push_back(SavedText({kModule, i}));
    }
    Prepare({kModule, 0}, versions[0]);
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);

    std::atomic<bool> bStop{false};
    std::atomic<int> nRewrites{0};
    // A file stream writes a module this small in one call, when it closes.
    std::thread rewriter([&] {
        while (!bStop)
            nRewrites += Write(kModule, versions[nRewrites % versions.size()]);
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
    EXPECT_GE(nRewrites.load(), kClicks) << "the module was hardly rewritten";
    CloseProgram(hwnd);
    const std::string strSaved = Saved();
    EXPECT_NE(std::find(sane.begin(), sane.end(), strSaved), sane.end()) << strSaved;
}

} // namespace

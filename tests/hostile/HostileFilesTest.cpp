// Broken, huge, locked and shifting files under the running program: it keeps answering,
// keeps to its fields and leaves a settings file that loads again.
#include "ProgramTest.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

const char kModule[] = "hostile.adg";
const char kSettings[] = "index.txt";
const char kTemporary[] = "index.txt.new";
// What the fields can hold: one character less than the quote and attribution buffers.
const std::size_t kQuoteChars = 199;
const std::size_t kAuthorChars = 49;
const std::string kThree = ModuleText("Three", 3, 3);

struct SRow {
    const char* pszName;
    std::string strModule;
    std::string strSettings;
    std::string strTitle;
    std::string strSaved;
    // The file held open under the program, created when missing, and whom it lets in.
    const char* pszHeld = nullptr;
    DWORD nShareMode = 0;
};

std::vector<SRow> HostileRows()
{
    const std::string strSavedZero = SavedText({kModule, 0});
    const std::string strAtOne = SavedText({kModule, 1}) + "\n";
    const std::string strAtZero = strSavedZero + "\n";
    // The defaults after the first display and two presses of Next.
    const std::string strDefaults = SavedText({"miscellaneous.adg", 2, 10, 2, 1});
    const std::string strHuge = "Long Quote\r\n2\r\n%\r\n" + std::string(10 << 20, 'q') +
                                "\r\nAuthor\r\n%\r\nShort quote.\r\nSomeone\r\n";
    const char kDefault[] = "Miscellaneous";
    const DWORD kReaders = FILE_SHARE_READ | FILE_SHARE_WRITE;
    return {
        {"EmptyModule", "", strAtOne, "", SavedText({kModule, 1})},
        {"TenMegabyteQuote", strHuge, strAtOne, "Long Quote", strSavedZero},
        {"ModuleHeldExclusively", kThree, strAtOne, kDefault, strDefaults, kModule},
        // A device must never be read: a read may never return.
        {"ModuleNamedComPort", kThree, SavedText({"COM1", 1}) + "\n", kDefault, strDefaults},
        {"SettingsHeldExclusively", kThree, strAtZero, kDefault, strAtZero, kSettings},
        {"SettingsHeldForReading", kThree, strAtZero, "Three", strSavedZero, kSettings, kReaders},
        {"TemporaryHeldExclusively", kThree, strAtZero, "Three", strSavedZero, kTemporary},
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
            ::CreateFileW(Wide(PathOf(row.pszHeld)).c_str(), GENERIC_READ, row.nShareMode, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(hFile, INVALID_HANDLE_VALUE) << "cannot hold " << row.pszHeld;
        held.reset(hFile);
    }
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), kCaptionPrefix + row.strTitle);
    for (int i = 0; i < 3; ++i) {
        const SDisplay shown = Shown(hwnd);
        // Each "~" of the text is two characters on the screen.
        EXPECT_LE(shown.first.size(), 2 * kQuoteChars);
        EXPECT_LE(shown.second.size(), kAuthorChars);
        ASSERT_TRUE(i == 2 || ClickButton(hwnd, IDC_NEXT)) << "Next did not return";
    }
    ASSERT_TRUE(::PostMessageA(hwnd, WM_CLOSE, 0, 0) && m_run.WaitForEnd()); // a quiet close
    held.reset();
    EXPECT_EQ(Saved(), row.strSaved);
    // Only a temporary file the row made itself may be there.
    EXPECT_EQ(fs::exists(fs::u8path(PathOf(kTemporary))), row.pszHeld == kTemporary) << kTemporary;
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
    std::vector<SDisplay> allowed = {{"", ""}, kInvalidModule};
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
    // A file stream writes a module this small in one call, when it closes. A Windows thread:
    // the program's thread model has no std::thread.
    auto rewrite = [&] {
        while (!bStop)
            nRewrites += Write(kModule, versions[nRewrites % versions.size()]);
    };
    const auto run = [](void* pRewrite) -> DWORD {
        return (*static_cast<decltype(rewrite)*>(pRewrite))(), 0;
    };
    const HANDLE hRewriter = ::CreateThread(nullptr, 0, run, &rewrite, 0, nullptr);
    ASSERT_NE(hRewriter, nullptr);
    // No fatal assertion while the thread runs: it must be joined first.
    int nClicks = 0;
    while (nClicks < kClicks && ClickButton(hwnd, IDC_NEXT) &&
           std::count(allowed.begin(), allowed.end(), Shown(hwnd)))
        ++nClicks;
    bStop = true;
    ::WaitForSingleObject(hRewriter, INFINITE);
    ::CloseHandle(hRewriter);
    EXPECT_EQ(nClicks, kClicks) << "shown " << testing::PrintToString(Shown(hwnd));
    EXPECT_GE(nRewrites.load(), kClicks) << "the module was hardly rewritten";
    CloseProgram(hwnd);
    EXPECT_EQ(std::count(sane.begin(), sane.end(), Saved()), 1) << Saved();
}

} // namespace

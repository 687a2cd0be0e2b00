// The Startup-folder shortcut end to end, in the test's own Wine prefix: the check box of
// the options dialog against the file that OK creates or deletes.
#include "DialogAccess.h"
#include "ProgramTest.h"
#include "ShellLink.h"
#include "StartupFolder.h"
#include "Wait.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

const char kLinkName[] = "\\Adagiomill.lnk";
const char kDescription[] = "Shortcut to Adagiomill";
const char kNotALink[] = "not a shortcut";

// The folder's Read and Write take a full path as it stands, wherever it leads.
class CStartupShortcutTest : public CProgramTest {
protected:
    void SetUp() override
    {
        CProgramTest::SetUp();
        const std::optional<std::string> folder = ReadStartupFolder();
        ASSERT_TRUE(folder.has_value()) << "the prefix names no Startup folder";
        m_strStartupDir = *folder;
        ::CreateDirectoryA(m_strStartupDir.c_str(), nullptr);
        m_strLink = m_strStartupDir + kLinkName;
        ::DeleteFileA(m_strLink.c_str());
        Prepare(SSettings());
    }

    void TearDown() override
    {
        CProgramTest::TearDown();
        ::DeleteFileA(m_strLink.c_str());
    }

    // Opens the options dialog, checks the box shows what the program found, sets it as
    // wanted and presses OK (or another button).
    void SetBox(HWND hQuote, bool bShown, bool bWanted, int nButton = IDOK) const
    {
        const HWND hOptions = OpenOptions(hQuote);
        ASSERT_NE(hOptions, nullptr);
        EXPECT_EQ(IsItemChecked(hOptions, IDC_START_WITH_WINDOWS), bShown);
        if (bShown != bWanted) {
            ASSERT_TRUE(ClickButton(hOptions, IDC_START_WITH_WINDOWS));
        }
        ASSERT_TRUE(EndOptions(hQuote, hOptions, nButton));
    }

    // The shortcut to the executable of the working directory, once it loads: the program
    // writes it after the dialog has gone, while the window may already answer.
    void ExpectLink(const std::string& strWorkDir) const
    {
        std::optional<SShellLink> link;
        ASSERT_TRUE(WaitUntil([&] { return (link = LoadShellLink(m_strLink)).has_value(); }))
            << "no shortcut at " << m_strLink;
        EXPECT_EQ(link->strTarget, StoredTarget(strWorkDir + "\\Adagiomill.exe"));
        EXPECT_EQ(link->strWorkDir, strWorkDir + "\\");
        EXPECT_EQ(link->strDescription, kDescription);
    }

    std::string DefaultsSaved() const
    {
        SSettings settings;
        settings.nIndex = 1;
        return SavedText(settings);
    }

    const CStartupValueGuard m_value;
    std::string m_strStartupDir;
    std::string m_strLink;
};

// The box shows the file found at start, which any readable file of the shortcut's name
// counts as. Cancel touches nothing; every OK with the box ticked writes the shortcut anew.
TEST_F(CStartupShortcutTest, BoxCreatesRewritesAndDeletesShortcut)
{
    HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, false, true, IDCANCEL);
    EXPECT_FALSE(m_folder.Read(m_strLink).has_value()) << "Cancel created the shortcut";
    SetBox(hQuote, false, true);
    ExpectLink(m_folder.Path());
    ASSERT_TRUE(m_folder.Write(m_strLink, kNotALink));
    SetBox(hQuote, true, true);
    ExpectLink(m_folder.Path());
    ASSERT_TRUE(m_folder.Write(m_strLink, kNotALink));
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), DefaultsSaved());

    hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, true, false, IDCANCEL);
    EXPECT_TRUE(m_folder.Read(m_strLink) == kNotALink) << "Cancel touched the file";
    SetBox(hQuote, true, false);
    EXPECT_TRUE(WaitUntil([&] { return !m_folder.Read(m_strLink); })) << "clearing left the file";
    CloseProgram(hQuote);
}

// The shortcut starts the executable of the working directory, in that directory, even
// when the program was started from elsewhere; none is made from a working directory cut
// short by the program's 200-byte buffer. A drive root, the prefix's own C:, gives a
// doubled backslash.
TEST_F(CStartupShortcutTest, ShortcutPointsIntoWorkingDirectory)
{
    const std::pair<std::string, bool> kWorkDirs[] = {
        {"C:\\", true},
        {m_folder.Path() + " with blanks", true},
        {m_folder.Path() + "\\" + std::string(209 - m_folder.Path().size(), 'w'), false}};
    // The settings there name the module by its full path, so the window shows a quote.
    SSettings settings;
    settings.strModule = m_folder.Path() + "\\miscellaneous.adg";
    for (const auto& [strWorkDir, bLink] : kWorkDirs) {
        SCOPED_TRACE(strWorkDir);
        std::error_code ec;
        fs::create_directories(strWorkDir, ec);
        const fs::path settingsPath = fs::path(strWorkDir) / "index.txt";
        ASSERT_TRUE(m_folder.Write(settingsPath.string(), SettingsText(settings)));
        const HWND hQuote = StartProgramIn(strWorkDir);
        ASSERT_NE(hQuote, nullptr);
        SetBox(hQuote, false, true);
        if (bLink) {
            ExpectLink(strWorkDir);
        } else {
            EXPECT_FALSE(m_folder.Read(m_strLink).has_value()) << "a shortcut from a cut-off path";
        }
        CloseProgram(hQuote);
        SSettings saved = settings;
        saved.nIndex = 1;
        EXPECT_EQ(m_folder.Read(settingsPath.string()), SavedText(saved));
        fs::remove(settingsPath, ec);
        ::DeleteFileA(m_strLink.c_str());
    }
}

// A Startup value that is missing, not text, naming a missing folder or too long for the
// program's 200-byte buffer: the box shows clear, and neither OK with it ticked nor OK with
// it cleared touches a file, here the one lying in the real Startup folder. The binary
// value holds the real folder's name as text: a program that ignored the type would use it.
TEST_F(CStartupShortcutTest, BrokenStartupValueTouchesNoFile)
{
    const std::string strMissing = m_folder.Path() + "\\no-such-folder";
    // Where an empty folder path would put the shortcut: the root of the working drive.
    const std::string strRootLink = m_folder.Path().substr(0, 2) + kLinkName;
    const std::pair<const char*, std::function<bool()>> kBreaks[] = {
        {"removed", [&] { return m_value.Remove(); }},
        {"binary", [&] { return m_value.SetBinaryText(m_strStartupDir); }},
        {"missing folder", [&] { return m_value.SetText(strMissing); }},
        {"too long",
         [&] { return m_value.SetText(m_strStartupDir + "\\" + std::string(200, 'x')); }},
    };
    ASSERT_TRUE(m_folder.Write(m_strLink, kNotALink));
    for (const auto& [pszName, fnBreak] : kBreaks) {
        SCOPED_TRACE(pszName);
        ASSERT_TRUE(fnBreak());
        const HWND hQuote = StartProgram();
        ASSERT_NE(hQuote, nullptr);
        SetBox(hQuote, false, true);
        SetBox(hQuote, true, false);
        CloseProgram(hQuote);
        EXPECT_TRUE(m_folder.Read(m_strLink) == kNotALink) << m_strLink << " was touched";
        EXPECT_FALSE(fs::exists(strMissing));
        EXPECT_FALSE(m_folder.Read(strRootLink).has_value());
        ::DeleteFileA(strRootLink.c_str());
        EXPECT_EQ(Saved(), DefaultsSaved());
        Prepare(SSettings());
    }
}

} // namespace

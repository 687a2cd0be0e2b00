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
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

const char kDefaultCaption[] = "Adagiomill v1.2.0 -- Miscellaneous";
const char kLinkName[] = "\\Adagiomill.lnk";
const char kDescription[] = "Shortcut to Adagiomill";
const char kNotALink[] = "not a shortcut";
const char kDriveRoot[] = "C:\\";

std::optional<std::string> ReadBytes(const std::string& strPath)
{
    std::ifstream file(strPath, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string& strPath, const std::string& strBytes)
{
    std::ofstream file(strPath, std::ios::binary | std::ios::trunc);
    file << strBytes;
    return static_cast<bool>(file);
}

bool Exists(const std::string& strPath)
{
    std::error_code ec;
    return fs::exists(strPath, ec);
}

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

TEST_F(CStartupShortcutTest, TickedBoxCreatesShortcutToWorkingDirectory)
{
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, false, true);

    const std::optional<SShellLink> link = LoadShellLink(m_strLink);
    ASSERT_TRUE(link.has_value()) << "no shortcut at " << m_strLink;
    EXPECT_EQ(link->strTarget, m_folder.Path() + "\\Adagiomill.exe");
    EXPECT_EQ(link->strWorkDir, m_folder.Path() + "\\");
    EXPECT_EQ(link->strDescription, kDescription);

    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), DefaultsSaved());
}

// Every OK with the box ticked writes the shortcut anew: a file spoilt in between is
// replaced by the same shortcut.
TEST_F(CStartupShortcutTest, OkAgainWritesSameShortcutAgain)
{
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, false, true);
    const std::optional<std::string> first = ReadBytes(m_strLink);
    ASSERT_TRUE(first.has_value()) << "no shortcut at " << m_strLink;

    ASSERT_TRUE(WriteBytes(m_strLink, kNotALink));
    SetBox(hQuote, true, true);
    EXPECT_TRUE(ReadBytes(m_strLink) == first) << "not the same shortcut again";

    CloseProgram(hQuote);
}

// The box reflects the file at every start.
TEST_F(CStartupShortcutTest, NextStartShowsBoxTickedAndClearingDeletesShortcut)
{
    const struct {
        bool bShown;
        bool bWanted;
        bool bLinkAfter;
    } runs[] = {{false, true, true}, {true, false, false}, {false, false, false}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.bWanted ? "ticking" : "clearing");
        const HWND hQuote = StartProgram();
        ASSERT_NE(hQuote, nullptr);
        SetBox(hQuote, run.bShown, run.bWanted);
        EXPECT_EQ(Exists(m_strLink), run.bLinkAfter);
        CloseProgram(hQuote);
    }
}

// Any readable file of the shortcut's name counts; Cancel leaves it alone.
TEST_F(CStartupShortcutTest, NonShortcutFileCountsAsPresent)
{
    ASSERT_TRUE(WriteBytes(m_strLink, kNotALink));
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, true, false, IDCANCEL);
    EXPECT_TRUE(ReadBytes(m_strLink) == std::string(kNotALink)) << "Cancel touched the file";

    SetBox(hQuote, true, true);
    const std::optional<SShellLink> link = LoadShellLink(m_strLink);
    ASSERT_TRUE(link.has_value()) << "OK did not replace the file with a shortcut";
    EXPECT_EQ(link->strDescription, kDescription);

    CloseProgram(hQuote);
}

TEST_F(CStartupShortcutTest, CancelCreatesNothing)
{
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, false, true, IDCANCEL);
    EXPECT_FALSE(Exists(m_strLink));
    SetBox(hQuote, false, false, IDCANCEL);

    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), DefaultsSaved());
}

// The shortcut starts the executable of the working directory, in that directory, even
// when the program was started from elsewhere. A drive root gives a doubled backslash.
struct SWorkDir {
    const char* pszName;
    std::function<std::string(const std::string& strFolder)> fnWorkDir;
};

class CWorkDirTest : public CStartupShortcutTest, public testing::WithParamInterface<SWorkDir> {
protected:
    void TearDown() override
    {
        CStartupShortcutTest::TearDown();
        if (m_strWorkDir == kDriveRoot) {
            ::DeleteFileA((m_strWorkDir + "index.txt").c_str());
        } else if (!m_strWorkDir.empty()) {
            std::error_code ec;
            fs::remove_all(m_strWorkDir, ec);
        }
    }

    std::string m_strWorkDir;
};

TEST_P(CWorkDirTest, ShortcutPointsIntoWorkingDirectory)
{
    m_strWorkDir = GetParam().fnWorkDir(m_folder.Path());
    std::error_code ec;
    fs::create_directories(m_strWorkDir, ec);
    // The settings there name the module by its full path, so the window shows a quote.
    SSettings settings;
    settings.strModule = m_folder.Path() + "\\miscellaneous.adg";
    const std::string strSettings = fs::path(m_strWorkDir).append("index.txt").string();
    ASSERT_TRUE(WriteBytes(strSettings, SettingsText(settings)));
    const HWND hQuote = StartProgramIn(m_strWorkDir);
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, false, true);

    const std::string strWorkDir = m_strWorkDir + "\\";
    const std::optional<SShellLink> link = LoadShellLink(m_strLink);
    ASSERT_TRUE(link.has_value()) << "no shortcut at " << m_strLink;
    EXPECT_EQ(link->strTarget, StoredTarget(strWorkDir + "Adagiomill.exe"));
    EXPECT_EQ(link->strWorkDir, strWorkDir);

    CloseProgram(hQuote);
    settings.nIndex = 1;
    EXPECT_EQ(ReadBytes(strSettings), SavedText(settings));
}

std::string WorkDirName(const testing::TestParamInfo<SWorkDir>& info)
{
    const SWorkDir& param = info.param;
    return param.pszName;
}

// The drive root is the prefix's own C:, which the test may write to.
INSTANTIATE_TEST_SUITE_P(
    Directories, CWorkDirTest,
    testing::Values(
        SWorkDir{"DriveRoot", [](const std::string&) { return std::string(kDriveRoot); }},
        SWorkDir{"FolderWithoutExecutable",
                 [](const std::string& strFolder) { return strFolder + "-elsewhere"; }},
        SWorkDir{"FolderWithBlanks",
                 [](const std::string& strFolder) { return strFolder + " with blanks"; }}),
    WorkDirName);

// A working directory too long for the program's 200-byte buffer: no shortcut is made
// from a cut-off path.
TEST_F(CStartupShortcutTest, OverlongWorkingDirectoryCreatesNoShortcut)
{
    const std::size_t nLength = 210;
    const std::string strWorkDir =
        m_folder.Path() + "\\" + std::string(nLength - m_folder.Path().size() - 1, 'w');
    std::error_code ec;
    ASSERT_TRUE(fs::create_directories(strWorkDir, ec)) << ec.message();
    SSettings settings;
    settings.strModule = m_folder.Path() + "\\miscellaneous.adg";
    ASSERT_TRUE(WriteBytes(strWorkDir + "\\index.txt", SettingsText(settings)));
    const HWND hQuote = StartProgramIn(strWorkDir);
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, false, true);
    EXPECT_FALSE(Exists(m_strLink));

    CloseProgram(hQuote);
}

// A Startup value that is missing, not text, too long for the program's 200-byte buffer
// or naming a missing folder: the box shows clear, and neither OK with it ticked nor OK
// with it cleared touches a file, here the one lying in the real Startup folder.
struct SBrokenValue {
    const char* pszName;
    std::function<bool(const CStartupValueGuard& value, const std::string& strStartupDir,
                       const std::string& strMissing)>
        fnBreak;
};

class CBrokenValueTest : public CStartupShortcutTest,
                         public testing::WithParamInterface<SBrokenValue> {};

TEST_P(CBrokenValueTest, ProgramRunsAndTouchesNoFile)
{
    const std::string strMissing = m_folder.Path() + "\\no-such-folder";
    ASSERT_TRUE(GetParam().fnBreak(m_value, m_strStartupDir, strMissing));
    ASSERT_TRUE(WriteBytes(m_strLink, kNotALink));
    // Where an empty folder path would put the shortcut: the root of the working drive.
    const std::string strRootLink = m_folder.Path().substr(0, 2) + kLinkName;
    const HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);

    SetBox(hQuote, false, true);
    SetBox(hQuote, true, false);
    EXPECT_TRUE(ReadBytes(m_strLink) == std::string(kNotALink)) << m_strLink << " was touched";
    EXPECT_FALSE(Exists(strMissing));
    EXPECT_FALSE(Exists(strRootLink));
    ::DeleteFileA(strRootLink.c_str());
    ASSERT_TRUE(m_run.IsRunning());
    EXPECT_EQ(WindowText(hQuote), kDefaultCaption);

    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), DefaultsSaved());
}

std::string BrokenValueName(const testing::TestParamInfo<SBrokenValue>& info)
{
    const SBrokenValue& param = info.param;
    return param.pszName;
}

// The binary value holds the real folder's name as text: a program that ignored the type
// would use that folder.
INSTANTIATE_TEST_SUITE_P(
    Values, CBrokenValueTest,
    testing::Values(
        SBrokenValue{"Removed", [](const CStartupValueGuard& value, const std::string&,
                                   const std::string&) { return value.Remove(); }},
        SBrokenValue{"Binary",
                     [](const CStartupValueGuard& value, const std::string& strStartupDir,
                        const std::string&) { return value.SetBinaryText(strStartupDir); }},
        SBrokenValue{"MissingFolder",
                     [](const CStartupValueGuard& value, const std::string&,
                        const std::string& strMissing) { return value.SetText(strMissing); }},
        SBrokenValue{"TooLong",
                     [](const CStartupValueGuard& value, const std::string& strStartupDir,
                        const std::string&) {
                         return value.SetText(strStartupDir + "\\" + std::string(200, 'x'));
                     }}),
    BrokenValueName);

} // namespace

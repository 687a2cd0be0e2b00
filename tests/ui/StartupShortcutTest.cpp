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
#include <iterator>
#include <optional>
#include <string>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

const char kLinkName[] = "\\Adagiomill.lnk";
const char kDescription[] = "Shortcut to Adagiomill";
const char kNotALink[] = "not a shortcut";

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
    return static_cast<bool>(std::ofstream(strPath, std::ios::binary | std::ios::trunc)
                             << strBytes);
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

    // The program writes the shortcut after the dialog has gone, while the window may
    // already answer: a shortcut is only looked at once it loads.
    std::optional<SShellLink> WaitForLink() const
    {
        std::optional<SShellLink> link;
        WaitUntil([&] { return (link = LoadShellLink(m_strLink)).has_value(); });
        return link;
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
    EXPECT_FALSE(Exists(m_strLink)) << "Cancel created the shortcut";
    SetBox(hQuote, false, true);
    const std::optional<SShellLink> link = WaitForLink();
    ASSERT_TRUE(link.has_value()) << "no shortcut at " << m_strLink;
    EXPECT_EQ(link->strTarget, m_folder.Path() + "\\Adagiomill.exe");
    EXPECT_EQ(link->strWorkDir, m_folder.Path() + "\\");
    EXPECT_EQ(link->strDescription, kDescription);
    const std::optional<std::string> first = ReadBytes(m_strLink);
    ASSERT_TRUE(WriteBytes(m_strLink, kNotALink));
    SetBox(hQuote, true, true);
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(m_strLink) == first; }))
        << "not the same shortcut again";
    ASSERT_TRUE(WriteBytes(m_strLink, kNotALink));
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), DefaultsSaved());

    hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, true, false, IDCANCEL);
    EXPECT_TRUE(ReadBytes(m_strLink) == std::string(kNotALink)) << "Cancel touched the file";
    SetBox(hQuote, true, false);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(m_strLink); })) << "clearing left the file";
    CloseProgram(hQuote);
}

// The shortcut starts the executable of the working directory, in that directory, even
// when the program was started from elsewhere; none is made from a working directory cut
// short by the program's 200-byte buffer. A drive root gives a doubled backslash.
struct SWorkDir {
    const char* pszName;
    std::string (*pfnWorkDir)(const std::string& strFolder);
    bool bLink;
};

class CWorkDirTest : public CStartupShortcutTest, public testing::WithParamInterface<SWorkDir> {
protected:
    void TearDown() override
    {
        CStartupShortcutTest::TearDown();
        std::error_code ec;
        fs::remove(fs::path(m_strWorkDir) / "index.txt", ec);
        fs::remove(m_strWorkDir, ec);
    }

    std::string m_strWorkDir;
};

TEST_P(CWorkDirTest, ShortcutPointsIntoWorkingDirectory)
{
    m_strWorkDir = GetParam().pfnWorkDir(m_folder.Path());
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

    const std::optional<SShellLink> link =
        GetParam().bLink ? WaitForLink() : LoadShellLink(m_strLink);
    ASSERT_EQ(link.has_value(), GetParam().bLink) << m_strLink;
    if (link) {
        EXPECT_EQ(link->strTarget, StoredTarget(m_strWorkDir + "\\Adagiomill.exe"));
        EXPECT_EQ(link->strWorkDir, m_strWorkDir + "\\");
    }
    CloseProgram(hQuote);
    settings.nIndex = 1;
    EXPECT_EQ(ReadBytes(strSettings), SavedText(settings));
}

// The drive root is the prefix's own C:, which the test may write to.
INSTANTIATE_TEST_SUITE_P(
    Directories, CWorkDirTest,
    testing::Values(
        SWorkDir{"DriveRoot", [](const std::string&) { return std::string("C:\\"); }, true},
        SWorkDir{"FolderWithBlanksWithoutExecutable",
                 [](const std::string& strFolder) { return strFolder + " with blanks"; }, true},
        SWorkDir{"Overlong",
                 [](const std::string& strFolder) {
                     return strFolder + "\\" + std::string(209 - strFolder.size(), 'w');
                 },
                 false}),
    [](const testing::TestParamInfo<SWorkDir>& info) { return info.param.pszName; });

// A Startup value that is missing, not text, too long for the program's 200-byte buffer
// or naming a missing folder: the box shows clear, and neither OK with it ticked nor OK
// with it cleared touches a file, here the one lying in the real Startup folder.
enum class EBrokenValue { Removed, Binary, MissingFolder, TooLong };

class CBrokenValueTest : public CStartupShortcutTest,
                         public testing::WithParamInterface<EBrokenValue> {
protected:
    // The binary value holds the real folder's name as text: a program that ignored the
    // type would use that folder.
    bool Break(const std::string& strMissing) const
    {
        switch (GetParam()) {
        case EBrokenValue::Removed:
            return m_value.Remove();
        case EBrokenValue::Binary:
            return m_value.SetBinaryText(m_strStartupDir);
        case EBrokenValue::MissingFolder:
            return m_value.SetText(strMissing);
        default:
            return m_value.SetText(m_strStartupDir + "\\" + std::string(200, 'x'));
        }
    }
};

TEST_P(CBrokenValueTest, ProgramRunsAndTouchesNoFile)
{
    const std::string strMissing = m_folder.Path() + "\\no-such-folder";
    ASSERT_TRUE(Break(strMissing));
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
    CloseProgram(hQuote);
    EXPECT_EQ(Saved(), DefaultsSaved());
}

INSTANTIATE_TEST_SUITE_P(Values, CBrokenValueTest,
                         testing::Values(EBrokenValue::Removed, EBrokenValue::Binary,
                                         EBrokenValue::MissingFolder, EBrokenValue::TooLong));

} // namespace

// The Startup-folder shortcut end to end, in the test's own Wine prefix: the check box of
// the options dialog against the file that OK creates or deletes.
#include "ProgramTest.h"

#include <shlobj.h>

namespace {

const char kLinkName[] = "\\Adagiomill.lnk";
const char kNotALink[] = "not a shortcut";
const wchar_t kShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const wchar_t kStartupValue[] = L"Startup";
// Where Task Manager's Startup tab records an entry as turned off, by an odd first byte.
const char kApproved[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder";
const BYTE kTurnedOff[12] = {3};

// REG_NONE removes the value. The text in UTF-8.
bool WriteStartupValue(DWORD nType, const std::string& strText)
{
    const std::wstring strValue = Wide(strText);
    const auto nBytes = static_cast<DWORD>((strValue.size() + 1) * sizeof(wchar_t));
    return (nType == REG_NONE
                ? ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, kStartupValue)
                : ::RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, kStartupValue, nType,
                                    strValue.c_str(), nBytes)) == ERROR_SUCCESS;
}

class CStartupShortcutTest : public CProgramTest {
protected:
    // The Startup folder of the test's own prefix, put back whatever a test does to its value.
    void SetUp() override
    {
        CProgramTest::SetUp();
        wchar_t szFolder[MAX_PATH] = L"";
        ASSERT_EQ(
            ::SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, szFolder),
            S_OK);
        m_strStartupDir = Utf8(szFolder);
        m_strLink = m_strStartupDir + kLinkName;
        ::DeleteFileW(Wide(m_strLink).c_str());
    }

    void TearDown() override
    {
        CProgramTest::TearDown();
        ::DeleteFileW(Wide(m_strLink).c_str());
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kApproved, kLinkName + 1);
        EXPECT_TRUE(m_strStartupDir.empty() || WriteStartupValue(REG_SZ, m_strStartupDir));
    }

    void SetBox(HWND hQuote, bool bShown, bool bWanted) const
    {
        const HWND hOptions = OpenOptions(hQuote);
        ASSERT_NE(hOptions, nullptr);
        EXPECT_EQ(SendToItem(hOptions, IDC_START_WITH_WINDOWS, BM_GETCHECK) == BST_CHECKED, bShown);
        ASSERT_TRUE(bShown == bWanted || ClickButton(hOptions, IDC_START_WITH_WINDOWS));
        ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
    }

    std::string m_strStartupDir;
    std::string m_strLink;
};

// The shortcut starts the executable of the working directory, in it, wherever the program came
// from; here the working and the Startup folder have Greek names, and the module a bare
// Windows-1252 one. The box shows the file found at start, which any readable file of the
// shortcut's name counts as, unless Windows has turned it off; OK forgets that.
TEST_F(CStartupShortcutTest, BoxCreatesShortcutIntoWorkingDirectoryAndDeletesIt)
{
    const std::string strWorkDir = PathOf(u8"Ελληνικά έργα"), strStartup = PathOf(u8"Εκκίνηση");
    const std::string strLink = strStartup + kLinkName;
    ASSERT_TRUE(::CreateDirectoryW(Wide(strWorkDir).c_str(), nullptr) &&
                ::CreateDirectoryW(Wide(strStartup).c_str(), nullptr) &&
                Write(strWorkDir + "\\index.txt", SavedText({"Caf\xE9.adg"}) + "\n") &&
                Write(strWorkDir + u8"\\Café.adg", ModuleText("Sayings", 3, 3)) &&
                WriteStartupValue(REG_SZ, strStartup) && Write(strLink, kNotALink) &&
                !::RegSetKeyValueA(HKEY_CURRENT_USER, kApproved, kLinkName + 1, REG_BINARY,
                                   kTurnedOff, sizeof kTurnedOff));
    HWND hQuote = StartProgram(strWorkDir);
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, false, true);
    // The program writes it after the dialog has gone, while the window may already answer.
    std::optional<SShellLink> link;
    ASSERT_TRUE(WaitUntil([&] { return (link = LoadShellLink(strLink)).has_value(); }))
        << "no shortcut at " << strLink;
    EXPECT_EQ(link->strTarget, strWorkDir + "\\Adagiomill.exe");
    EXPECT_EQ(link->strWorkDir, strWorkDir + "\\");
    ASSERT_TRUE(Write(strLink, kNotALink));
    CloseProgram(hQuote);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ::RegGetValueA(HKEY_CURRENT_USER, kApproved, kLinkName + 1,
                                                   RRF_RT_ANY, nullptr, nullptr, nullptr));
    EXPECT_EQ(Read(strWorkDir + "\\index.txt"), SavedText({"Caf\xE9.adg", 1}));

    hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    SetBox(hQuote, true, false);
    EXPECT_TRUE(WaitUntil([&] { return !Read(strLink); })) << "clearing left the file";
    CloseProgram(hQuote);
}

// A broken Startup value: the box shows clear, and OK neither with it ticked nor cleared
// touches a file. The binary value names the real folder: a program ignoring the type uses it.
TEST_F(CStartupShortcutTest, BrokenStartupValueTouchesNoFile)
{
    // Where an empty folder path would put the shortcut: the root of the working drive.
    const std::string strRootLink = m_strFolder.substr(0, 2) + kLinkName;
    const std::pair<DWORD, std::string> kBreaks[] = {
        {REG_NONE, ""},
        {REG_BINARY, m_strStartupDir},
        {REG_SZ, m_strStartupDir + "\\" + std::string(200, 'x')}};
    ASSERT_TRUE(Write(m_strLink, kNotALink));
    for (const auto& [nType, strValue] : kBreaks) {
        SCOPED_TRACE(testing::Message() << "type " << nType << ": " << strValue);
        ASSERT_TRUE(WriteStartupValue(nType, strValue));
        const HWND hQuote = StartProgram();
        ASSERT_NE(hQuote, nullptr);
        SetBox(hQuote, false, true);
        SetBox(hQuote, true, false);
        CloseProgram(hQuote);
        EXPECT_TRUE(Read(m_strLink) == kNotALink) << m_strLink << " was touched";
        EXPECT_FALSE(Read(strRootLink).has_value());
        ::DeleteFileW(Wide(strRootLink).c_str());
    }
}

} // namespace

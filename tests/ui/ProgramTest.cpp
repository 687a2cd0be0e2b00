#include "ProgramTest.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string SavedText(const SSettings& settings)
{
    std::string strText = settings.strModule;
    for (const int nValue : {settings.nIndex, settings.nInterval, settings.nOrder, settings.nTimer,
                             settings.nPosition})
        strText += "\n" + std::to_string(nValue);
    return strText;
}

SDisplay Quote(const std::string& strTitle, int nIndex)
{
    const std::string strNumber = std::to_string(nIndex + 1);
    return {strTitle + " saying " + strNumber + ".", "Author " + strNumber};
}

std::string ModuleText(const std::string& strTitle, int nDeclared, int nPresent)
{
    std::string strText = strTitle + "\r\n" + std::to_string(nDeclared) + "\r\n";
    for (int i = 0; i < nPresent; ++i)
        strText += "%\r\n" + Quote(strTitle, i).first + "\r\n" + Quote(strTitle, i).second + "\r\n";
    return nPresent ? strText : strText + "%\r\n";
}

SDisplay Shown(HWND hQuote)
{
    return {ItemText(hQuote, IDC_QUOTE_TEXT), ItemText(hQuote, IDC_QUOTE_AUTHOR)};
}

int ShownIndex(HWND hQuote, const std::string& strTitle)
{
    const SDisplay shown = Shown(hQuote);
    const std::size_t nLead = std::min(strTitle.size() + sizeof " saying " - 1, shown.first.size());
    const int nIndex = std::atoi(shown.first.c_str() + nLead) - 1;
    return shown == Quote(strTitle, nIndex) ? nIndex : -1;
}

void CProgramTest::SetUp()
{
    const testing::TestInfo* pInfo = testing::UnitTest::GetInstance()->current_test_info();
    std::string strName = std::string(pInfo->test_suite_name()) + "." + pInfo->name();
    std::replace(strName.begin(), strName.end(), '/', '_');
    const fs::path folder = fs::u8path(ADAGIO_SCRATCH_DIR).make_preferred() / strName;
    std::error_code ec;
    // Whatever an earlier run of the same test left goes first.
    fs::remove_all(folder, ec);
    ASSERT_TRUE(fs::create_directories(folder, ec)) << folder;
    m_strFolder = folder.u8string();
    ASSERT_TRUE(fs::copy_file(fs::u8path(ADAGIO_EXE), folder / "Adagiomill.exe", ec));
    ASSERT_TRUE(fs::copy_file(fs::u8path(ADAGIO_DEFAULT_MODULE), folder / "miscellaneous.adg", ec));
}

std::string CProgramTest::PathOf(const std::string& strName) const
{
    return (fs::u8path(m_strFolder) / fs::u8path(strName)).u8string();
}

bool CProgramTest::Write(const std::string& strName, const std::string& strBytes) const
{
    std::ofstream file(fs::u8path(PathOf(strName)), std::ios::binary | std::ios::trunc);
    file.write(strBytes.data(), static_cast<std::streamsize>(strBytes.size()));
    return static_cast<bool>(file);
}

std::optional<std::string> CProgramTest::Read(const std::string& strName) const
{
    std::ifstream file(fs::u8path(PathOf(strName)), std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void CProgramTest::Prepare(const SSettings& settings, const std::string& strModuleText) const
{
    ASSERT_TRUE(Write("index.txt", SavedText(settings) + "\n"));
    ASSERT_TRUE(Write(settings.strModule, strModuleText));
}

std::string CProgramTest::Saved() const
{
    return Read("index.txt").value_or("<no index.txt>");
}

HWND CProgramTest::StartProgram(std::string strWorkDir)
{
    if (strWorkDir.empty())
        strWorkDir = m_strFolder;
    HWND hwnd = nullptr;
    const bool bShown =
        m_run.Start("\"" + PathOf("Adagiomill.exe") + "\"", strWorkDir) && WaitUntil([&] {
            hwnd = FindDialog(IDC_QUOTE_TEXT, m_run.ProcessId());
            return hwnd && IsPainted(hwnd) && !ItemText(hwnd, IDC_QUOTE_TEXT).empty();
        });
    EXPECT_TRUE(bShown) << "no quote window showing a quote, started in " << strWorkDir;
    return bShown ? hwnd : nullptr;
}

void CProgramTest::CloseProgram(HWND hQuote)
{
    EXPECT_TRUE(ClickButton(hQuote, IDCANCEL));
    EXPECT_TRUE(m_run.WaitForEnd()) << "Close did not end the program";
}

HWND CProgramTest::OpenOptions(HWND hQuote) const
{
    HWND hOptions = nullptr;
    if (!PostCommand(hQuote, IDC_OPTIONS) ||
        !WaitUntil([&] { return (hOptions = FindDialog(IDC_INTERVAL, 0, hQuote)); }))
        ADD_FAILURE() << "the options dialog did not open";
    return hOptions;
}

bool CProgramTest::EndOptions(HWND hQuote, HWND hOptions, int nButton) const
{
    return PostCommand(hOptions, nButton) &&
           WaitUntil([&] { return !::IsWindow(hOptions) && IsPainted(hQuote); });
}

HWND CProgramTest::OpenDialogIn(HWND hOptions, const std::string& strPath)
{
    HWND hOpen = nullptr;
    const bool bTyped =
        PostCommand(hOptions, IDC_LOAD_MODULE) &&
        WaitUntil([&] { return (hOpen = FindDialog(kFileNameCombo, 0, hOptions)); }) &&
        SetItemText(hOpen, kFileNameCombo, strPath) && ClickButton(hOpen, IDOK);
    EXPECT_TRUE(bTyped) << "no Open dialog took " << strPath;
    return bTyped ? hOpen : nullptr;
}

void CProgramTest::ChooseModule(HWND hOptions, const std::string& strPath,
                                const std::string& strTitle)
{
    const HWND hOpen = OpenDialogIn(hOptions, strPath);
    ASSERT_TRUE(hOpen && WaitUntil([&] { return !::IsWindow(hOpen); }));
    EXPECT_EQ(ItemText(hOptions, IDC_CURRENT_MODULE), strTitle);
}

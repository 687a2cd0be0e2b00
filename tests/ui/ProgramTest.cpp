#include "ProgramTest.h"

#include "DialogAccess.h"
#include "Wait.h"
#include "resource.h"

#include <algorithm>

std::string FolderNameOfCurrentTest()
{
    const testing::TestInfo* pInfo = testing::UnitTest::GetInstance()->current_test_info();
    std::string strName = std::string(pInfo->test_suite_name()) + "." + pInfo->name();
    std::replace(strName.begin(), strName.end(), '/', '_');
    return strName;
}

void CProgramTest::SetUp()
{
    ASSERT_TRUE(m_folder.Create(FolderNameOfCurrentTest()));
}

void CProgramTest::TearDown()
{
    if (!m_run.IsRunning())
        return;
    m_run.Kill();
    ADD_FAILURE() << "the program was still running at the end of the test";
}

void CProgramTest::Prepare(const SSettings& settings) const
{
    ASSERT_TRUE(m_folder.Write("index.txt", SettingsText(settings)));
}

HWND CProgramTest::StartProgram()
{
    return StartProgramIn(m_folder.Path());
}

HWND CProgramTest::StartProgramIn(const std::string& strWorkDir)
{
    HWND hwnd = nullptr;
    if (!m_run.Start(m_folder.Path(), strWorkDir)) {
        ADD_FAILURE() << "cannot start the program in " << strWorkDir;
    } else if (!WaitUntil([&] {
                   hwnd = FindProcessDialog(m_run.ProcessId(), IDC_QUOTE_TEXT);
                   return hwnd && IsPainted(hwnd) && !ItemText(hwnd, IDC_QUOTE_TEXT).empty();
               })) {
        ADD_FAILURE() << "no quote window showing a quote";
        hwnd = nullptr;
    }
    return hwnd;
}

HWND CProgramTest::OpenOptions(HWND hQuote) const
{
    HWND hOptions = nullptr;
    if (!PostCommand(hQuote, IDC_OPTIONS) ||
        !WaitUntil([&] { return (hOptions = FindOwnedDialog(hQuote, "Adagiomill options")); }))
        ADD_FAILURE() << "the options dialog did not open";
    return hOptions;
}

bool CProgramTest::EndOptions(HWND hQuote, HWND hOptions, int nButton) const
{
    return PostCommand(hOptions, nButton) &&
           WaitUntil([&] { return !::IsWindow(hOptions) && IsPainted(hQuote); });
}

HWND CProgramTest::WaitForMessageBox(HWND hOptions) const
{
    HWND hBox = nullptr;
    if (!WaitUntil([&] { return (hBox = FindOwnedDialog(hOptions, "Adagiomill")); }))
        ADD_FAILURE() << "no message box captioned Adagiomill";
    return hBox;
}

bool CProgramTest::AnswerMessageBox(HWND hOptions, HWND hBox) const
{
    // The dialog answers only once the handler that showed the box has returned.
    return ClickButton(hBox, IDOK) && WaitUntil([&] { return !::IsWindow(hBox); }) &&
           SendWithDeadline(hOptions, WM_NULL).has_value();
}

void CProgramTest::CloseProgram(HWND hQuote)
{
    EXPECT_TRUE(ClickButton(hQuote, IDCANCEL));
    EXPECT_TRUE(m_run.WaitForEnd()) << "Close did not end the program";
}

std::string CProgramTest::Saved() const
{
    return m_folder.Read("index.txt").value_or("<no index.txt>");
}

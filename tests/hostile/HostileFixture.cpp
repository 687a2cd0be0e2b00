#include "HostileFixture.h"

#include "DialogAccess.h"
#include "Wait.h"
#include "resource.h"

#include <algorithm>

const char kCaptionPrefix[] = "Adagiomill v1.2.0 -- ";
const char kDefaultCaption[] = "Adagiomill v1.2.0 -- Miscellaneous";
const char kDefaultModule[] = "miscellaneous.adg";
const char kSettings[] = "index.txt";

namespace {

const UINT kAnswerMs = 2000;

std::string FolderNameOfCurrentTest()
{
    const testing::TestInfo* pInfo = testing::UnitTest::GetInstance()->current_test_info();
    std::string strName = std::string(pInfo->test_suite_name()) + "." + pInfo->name();
    std::replace(strName.begin(), strName.end(), '/', '_');
    return strName;
}

} // namespace

SSettings DefaultSettings(int nIndex)
{
    return {kDefaultModule, nIndex, 10, 2, 1};
}

std::string SettingsText(const SSettings& settings, bool bFinalLineFeed)
{
    std::string strText = settings.strModule;
    for (const int nValue : {settings.nIndex, settings.nInterval, settings.nOrder, settings.nTimer,
                             settings.nPosition}) {
        strText += "\n" + std::to_string(nValue);
    }
    return bFinalLineFeed ? strText + "\n" : strText;
}

bool IsAnswering(HWND hwnd)
{
    DWORD_PTR nResult = 0;
    return ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &nResult) != 0;
}

void CHostileFixture::SetUp()
{
    ASSERT_TRUE(m_folder.Create(FolderNameOfCurrentTest()));
}

void CHostileFixture::TearDown()
{
    if (m_run.IsRunning()) {
        m_run.Kill();
        ADD_FAILURE() << "the program was still running at the end of the test";
    }
}

std::string CHostileFixture::PathOf(const std::string& strName) const
{
    return m_folder.Path() + "\\" + strName;
}

std::string CHostileFixture::BytesOf(const std::string& strName) const
{
    return m_folder.Read(strName).value_or("");
}

HWND CHostileFixture::StartProgram()
{
    if (!m_run.Start(m_folder.Path())) {
        ADD_FAILURE() << "cannot start the program in " << m_folder.Path();
        return nullptr;
    }
    HWND hwnd = nullptr;
    const bool bShown = WaitUntil([&] {
        hwnd = FindProcessDialog(m_run.ProcessId(), IDC_QUOTE_TEXT);
        return hwnd && IsPainted(hwnd);
    });
    if (!bShown) {
        ADD_FAILURE() << "no quote window done with its first display";
        return nullptr;
    }
    return hwnd;
}

void CHostileFixture::CloseProgram(HWND hwnd)
{
    EXPECT_TRUE(ClickButton(hwnd, IDCANCEL));
    EXPECT_TRUE(m_run.WaitForEnd()) << "Close did not end the program";
}

SDisplay CHostileFixture::Shown(HWND hwnd) const
{
    return {ItemText(hwnd, IDC_QUOTE_TEXT), ItemText(hwnd, IDC_QUOTE_AUTHOR)};
}

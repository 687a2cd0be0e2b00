// The authors' tools with the program: a fortune file converted by fortune2adg shows in the
// window exactly as adgcheck --show prints it.
#include "ProgramTest.h"

#include <filesystem>
#include <fstream>

namespace {

const char kszFortunes[] = "Z:\\usr\\share\\games\\fortunes\\literature";

std::string Quoted(const std::string& strPath)
{
    return "\"" + strPath + "\"";
}

// A console tool run with its standard output in a file; its exit code, or nothing when it
// did not end in time.
std::optional<DWORD> RunTool(const std::string& strCommandLine, const std::string& strOutput)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE hOutput = ::CreateFileW(Wide(strOutput).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                   &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hOutput == INVALID_HANDLE_VALUE)
        return std::nullopt;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = hOutput;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::wstring strCommand = Wide(strCommandLine);
    const BOOL bStarted = ::CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, TRUE,
                                           CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process);
    ::CloseHandle(hOutput);
    if (!bStarted)
        return std::nullopt;
    DWORD nExit = 0;
    const bool bEnded = ::WaitForSingleObject(process.hProcess, 6 * kWaitMs) == WAIT_OBJECT_0 &&
                        ::GetExitCodeProcess(process.hProcess, &nExit);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return bEnded ? std::optional<DWORD>(nExit) : std::nullopt;
}

class CAuthorToolsTest : public CProgramTest {
protected:
    // adgcheck --show's two fields, the quote's lines joined as the window joins them. Each
    // run writes a file of its own: Wine may close an ended child's handles a moment later.
    SDisplay Preview(int nQuote)
    {
        const std::string strOutput = PathOf("show-" + std::to_string(++m_nRuns) + ".txt");
        const auto nExit = RunTool(Quoted(ADAGIO_ADGCHECK) + " --show " + std::to_string(nQuote) +
                                       " " + Quoted(PathOf(kszModule)),
                                   strOutput);
        EXPECT_EQ(nExit, std::optional<DWORD>(0)) << "adgcheck --show " << nQuote;
        std::ifstream file(std::filesystem::u8path(strOutput), std::ios::binary);
        SDisplay display;
        std::string* pField = nullptr;
        for (std::string strLine; std::getline(file, strLine);) {
            if (!strLine.empty() && strLine.back() == '\r')
                strLine.pop_back();
            if (strLine == "[quote]" || strLine == "[attribution]") {
                pField = strLine == "[quote]" ? &display.first : &display.second;
                continue;
            }
            if (pField != nullptr)
                *pField += (pField->empty() ? "" : "\r\n") + strLine;
        }
        return display;
    }

    static constexpr const char* kszModule = "literature.adg";
    int m_nRuns = 0;
};

TEST_F(CAuthorToolsTest, ConvertedFortunesShowAsTheCheckerPrintsThem)
{
    if (::GetFileAttributesA(kszFortunes) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "Debian's fortunes-min is not installed";
    const auto nExit = RunTool(Quoted(ADAGIO_FORTUNE2ADG) + " --title Literature " + kszFortunes,
                               PathOf(kszModule));
    ASSERT_EQ(nExit, std::optional<DWORD>(0));
    const std::optional<std::string> strModule = Read(kszModule);
    ASSERT_TRUE(strModule.has_value());
    const int nLast = std::stoi(strModule->substr(strModule->find('\n') + 1)); // the count line
    ASSERT_GT(nLast, 100);

    ASSERT_TRUE(Write("index.txt", SavedText({kszModule, 0})));
    HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowText(hwnd), kCaptionPrefix + "Literature");
    EXPECT_EQ(Shown(hwnd), Preview(2));
    const std::pair<int, int> kSteps[] = {
        {IDC_NEXT, 3}, {IDC_PREVIOUS, 2}, {IDC_PREVIOUS, 1}, {IDC_PREVIOUS, nLast}};
    for (const auto& [nButton, nQuote] : kSteps) {
        ASSERT_TRUE(ClickButton(hwnd, nButton));
        EXPECT_EQ(Shown(hwnd), Preview(nQuote)) << "quote " << nQuote;
    }
    CloseProgram(hwnd);
}

} // namespace

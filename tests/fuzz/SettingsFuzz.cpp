// A whole load of index.txt, checked against a model of the six lines, then saved and
// loaded again: the second load must give what the first did, apart from the shifts that
// values written at their line's limit cause.
#include "FuzzSupport.h"
#include "QuoteState.h"
#include "RecordingView.h"
#include "Version.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const char kszSettings[] = "index.txt";

bool StartsWithDigit(const std::string& strLine)
{
    return !strLine.empty() && strLine[0] >= '0' && strLine[0] <= '9';
}

// The values one a line, as the writer lays them out; the caption follows on a line of its
// own, where the loads are compared.
std::string Layout(const std::string& strModule, std::initializer_list<int> values)
{
    std::string strFile = strModule;
    for (int nValue : values)
        strFile += '\n' + std::to_string(nValue);
    return strFile;
}

std::string Written(const CQuoteState& state)
{
    return Layout(state.m_strModulePath, {state.m_nCurrentQuote, state.m_nInterval, state.m_nOrder,
                                          state.m_bTimerEnabled, state.m_nPosition});
}

bool IsReadableFile(const std::string& strPath)
{
    std::error_code error;
    return std::filesystem::is_regular_file(strPath, error) && std::ifstream(strPath).is_open();
}

// Values are a few characters long at most: the C library's conversion cannot overflow here.
std::string ModelLoad(const std::string& strFile)
{
    CReferenceReader model(strFile, ELineMode::Binary);
    const std::string strModule = model.Read(sizeof CQuoteState::m_szModuleText);
    const std::string strIndex = model.Read(sizeof CQuoteState::m_szIndexText);
    const std::string strInterval = model.Read(sizeof CQuoteState::m_szIntervalText);
    const std::string strOrder = model.Read(sizeof CQuoteState::m_szOrderText);
    const std::string strTimer = model.Read(sizeof CQuoteState::m_szTimerText);
    const std::string strPosition = model.Read(sizeof CQuoteState::m_szPositionText);
    // "-1" is what a run that showed no quote saves, and it loads again.
    const bool bIndexValid = StartsWithDigit(strIndex) || std::strcmp(strIndex.c_str(), "-1") == 0;
    // The module is opened by the text up to its first NUL byte.
    const std::string strPath = strModule.substr(0, strModule.find('\0'));
    if (!bIndexValid || !StartsWithDigit(strInterval) || !StartsWithDigit(strOrder) ||
        !IsReadableFile(strPath))
        return Layout("miscellaneous.adg", {-1, 10, ORDER_SEQUENTIAL, 1, POS_CENTER}) +
               "\n" ADAGIO_CAPTION_PREFIX "Miscellaneous";
    const std::string strTitle = CReferenceReader(ReadFileStart(strPath, 64), ELineMode::Text)
                                     .Read(sizeof CQuoteState::m_szTitle);
    return Layout(strPath, {std::atoi(strIndex.c_str()), std::atoi(strInterval.c_str()),
                            std::atoi(strOrder.c_str()), std::atoi(strTimer.c_str()),
                            std::atoi(strPosition.c_str())}) +
           "\n" ADAGIO_CAPTION_PREFIX + strTitle.substr(0, strTitle.find('\0'));
}

// Whether every line but the last is short enough to leave its line end to its own read.
bool StaysAligned(const std::string& strWritten)
{
    std::istringstream lines(strWritten);
    std::string strLine;
    for (std::size_t nSize : {sizeof CQuoteState::m_szModuleText, sizeof CQuoteState::m_szIndexText,
                              sizeof CQuoteState::m_szIntervalText,
                              sizeof CQuoteState::m_szOrderText, sizeof CQuoteState::m_szTimerText})
        if (!std::getline(lines, strLine) || strLine.size() + 2 > nSize)
            return false;
    return true;
}

// Loads into a scrambled state, so that every value must come from the load; returns what
// was loaded with the caption.
std::string Load(CQuoteState& state)
{
    CRecordingView view;
    state.m_nCurrentQuote = state.m_nInterval = state.m_nOrder = 77777;
    state.m_bTimerEnabled = state.m_nPosition = 77777;
    state.m_strModulePath = view.m_strCaption = "scrambled";
    state.LoadSettings(view);
    FUZZ_CHECK(IsTerminated(state.m_szModuleText) && IsTerminated(state.m_szIndexText));
    FUZZ_CHECK(IsTerminated(state.m_szIntervalText) && IsTerminated(state.m_szOrderText));
    FUZZ_CHECK(IsTerminated(state.m_szTimerText) && IsTerminated(state.m_szPositionText));
    FUZZ_CHECK(IsTerminated(state.m_szTitle));
    return Written(state) + '\n' + view.m_strCaption;
}

} // namespace

// The default module, a small one, and one whose title is longer than the caption takes.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterPrivateWorkDir();
    WriteFileBytes("miscellaneous.adg", "Miscellaneous\n2\n%\nFirst quote\nSomebody\n");
    WriteFileBytes("m.adg", "Title\r\n1\r\n%\r\nq\r\na\r\n");
    WriteFileBytes("long.adg", "A title of thirty characters!!\n1\n%\nq\na\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string strFile(reinterpret_cast<const char*>(pData), nSize);
    WriteFileBytes(kszSettings, strFile);
    CQuoteState first, second;
    const std::string strFirst = Load(first);
    FUZZ_CHECK(strFirst == ModelLoad(strFile));
    first.SaveSettings();
    FUZZ_CHECK(!std::filesystem::exists("index.txt.new"));
    const std::string strSaved = ReadFileStart(kszSettings, 4096);
    FUZZ_CHECK(strSaved == Written(first));
    // What loaded comes back, unless a value written at its line's limit shifts the rest.
    const std::string strSecond = Load(second);
    FUZZ_CHECK(strSecond == ModelLoad(strSaved));
    FUZZ_CHECK(!StaysAligned(strSaved) || strSecond == strFirst);
    return 0;
}

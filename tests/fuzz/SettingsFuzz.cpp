// A whole load of index.txt, saved and loaded again: the second load must give what the
// first did, unless a value written at its line's limit shifts the lines after it.
#include "FuzzSupport.h"
#include "QuoteState.h"
#include "RecordingView.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace {

const char kszSettings[] = "index.txt";

// The values one a line, as the writer lays them out.
std::string Written(const CQuoteState& state)
{
    std::string strFile = state.m_strModulePath;
    for (int nValue : {state.m_nCurrentQuote, state.m_nInterval, state.m_nOrder,
                       state.m_bTimerEnabled, state.m_nPosition})
        strFile += '\n' + std::to_string(nValue);
    return strFile;
}

// Whether every line but the last is short enough to leave its line end to its own read.
bool StaysAligned(const std::string& strWritten)
{
    const std::size_t anSizes[] = {
        sizeof CQuoteState::m_szModuleText, sizeof CQuoteState::m_szIndexText,
        sizeof CQuoteState::m_szIntervalText, sizeof CQuoteState::m_szOrderText,
        sizeof CQuoteState::m_szTimerText};
    std::istringstream lines(strWritten);
    std::string strLine;
    return std::all_of(std::begin(anSizes), std::end(anSizes), [&](std::size_t nSize) {
        return std::getline(lines, strLine) && strLine.size() + 2 <= nSize;
    });
}

// Loads into a scrambled state, so that every value must come from the load; returns the
// values with the caption.
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
    WriteFileBytes(kszSettings, std::string(reinterpret_cast<const char*>(pData), nSize));
    CQuoteState first, second;
    const std::string strFirst = Load(first);
    first.SaveSettings();
    FUZZ_CHECK(!std::filesystem::exists("index.txt.new"));
    std::ifstream saved(kszSettings, std::ios::binary);
    const std::string strSaved{std::istreambuf_iterator<char>(saved), {}};
    FUZZ_CHECK(strSaved == Written(first));
    FUZZ_CHECK(!StaysAligned(strSaved) || Load(second) == strFirst);
    return 0;
}

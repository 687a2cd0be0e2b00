// A whole load of index.txt, saved and loaded again: the second load must give what the
// first did, unless a value written at its line's limit shifts the lines after it.
#include "FuzzSupport.h"
#include "QuoteState.h"
#include "RecordingView.h"

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
    std::istringstream lines(strWritten);
    std::string strLine;
    for (std::size_t nSize : {sizeof CQuoteState::m_szModuleText, sizeof CQuoteState::m_szIndexText,
                              sizeof CQuoteState::m_szIntervalText,
                              sizeof CQuoteState::m_szOrderText, sizeof CQuoteState::m_szTimerText})
        if (!std::getline(lines, strLine) || strLine.size() + 2 > nSize)
            return false;
    return true;
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
    FUZZ_CHECK(AreTerminated(state.m_szModuleText, state.m_szIndexText, state.m_szIntervalText,
                             state.m_szOrderText, state.m_szTimerText, state.m_szPositionText,
                             state.m_szTitle));
    return Written(state) + '\n' + view.m_strCaption;
}

} // namespace

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

// A whole load of index.txt, saved, loaded and saved again: the second round must give what
// the first did, unless a value written at its line's limit shifts the lines after it.
#include "FuzzSupport.h"
#include "QuoteState.h"
#include "RecordingView.h"

#include <iterator>
#include <sstream>

namespace {

const char kszSettings[] = "index.txt";

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

// Loads into a state scrambled with nScramble, so that a value the load leaves alone differs
// between rounds; returns the file saved from it and the caption.
std::string LoadAndSave(int nScramble)
{
    CQuoteState state;
    CRecordingView view;
    state.m_nCurrentQuote = state.m_nInterval = state.m_nOrder = nScramble;
    state.m_bTimerEnabled = state.m_nPosition = nScramble;
    state.m_strModulePath = view.m_strCaption = std::to_string(nScramble);
    state.LoadSettings(view);
    FUZZ_CHECK(AreTerminated(state.m_szModuleText, state.m_szIndexText, state.m_szIntervalText,
                             state.m_szOrderText, state.m_szTimerText, state.m_szPositionText,
                             state.m_szTitle));
    state.SaveSettings();
    FUZZ_CHECK(!std::filesystem::exists("index.txt.new"));
    std::ifstream saved(kszSettings, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(saved), {}} + '\n' + view.m_strCaption;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    WriteFileBytes(kszSettings, std::string(reinterpret_cast<const char*>(pData), nSize));
    const std::string strFirst = LoadAndSave(77777);
    FUZZ_CHECK(!StaysAligned(strFirst) || LoadAndSave(88888) == strFirst);
    return 0;
}

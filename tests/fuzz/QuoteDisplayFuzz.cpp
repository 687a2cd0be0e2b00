// Whole displays of a module: the first show, then repaints, Next and Previous, with the
// saved index, order and flags and the clock taken from the input.
#include "FuzzSupport.h"
#include "QuoteState.h"
#include "RecordingView.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char kszModule[] = "module.adg";
const char kszInvalid[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";

enum EStep { kRepaint, kNext, kPrevious, kNextWithModuleGone };

std::int64_t g_nClock = 0;

std::int64_t FuzzClock()
{
    return g_nClock;
}

// The quote count the header gives, four digits at most; -1 when the header is not valid.
int ModelCount(const std::string& strModule)
{
    CReferenceReader model(strModule, ELineMode::Text);
    model.Read(sizeof CQuoteState::m_szTitle);
    const std::string strCount = model.Read(sizeof CQuoteState::m_szCount);
    const bool bValid = model.Read(sizeof CQuoteState::m_szQuote).rfind('%', 0) == 0;
    return bValid && strCount.find_first_of("0123456789") == 0 ? std::atoi(strCount.c_str()) : -1;
}

int SequentialAfter(int nCurrent, int nCount)
{
    if (nCurrent >= nCount - 1)
        return 0;
    return nCurrent < -1 ? nCount - 1 : nCurrent + 1;
}

// One quote back from nCurrent in sequential order, for nCount of 1 or more.
int PreviousOf(int nCurrent, int nCount)
{
    if (nCurrent <= 0)
        return nCount - 1;
    return nCurrent > nCount ? 0 : nCurrent - 1;
}

void CheckSelection(const CQuoteState& before, int nAfter, int nCount)
{
    const int nBefore = before.m_nCurrentQuote;
    if (before.m_bHoldQuote && !before.m_bFirstShow) {
        FUZZ_CHECK(nAfter == nBefore);
        return;
    }
    FUZZ_CHECK(nAfter >= std::min(0, nCount - 1) && nAfter <= std::max(0, nCount - 1));
    if (before.m_nOrder == ORDER_RANDOM && nCount >= 2)
        FUZZ_CHECK(nAfter != nBefore);
    else
        FUZZ_CHECK(nAfter == SequentialAfter(nBefore, nCount));
}

struct SDisplayRun {
    std::string m_strModule;
    CQuoteState m_state;
    CRecordingView m_view;
    int m_nCount = -1; // in the last display's module, -1 unless it was shown
};

// After a fallback to the default module the run goes on with the fuzzed one.
void Show(SDisplayRun& run, bool bModuleGone)
{
    CQuoteState& state = run.m_state;
    state.m_strModulePath = bModuleGone ? "missing.adg" : kszModule;
    const CQuoteState before = state;
    state.ShowQuoteText(run.m_view);
    FUZZ_CHECK(IsTerminated(state.m_szTitle) && IsTerminated(state.m_szCount));
    FUZZ_CHECK(IsTerminated(state.m_szQuote) && IsTerminated(state.m_szAuthor));
    FUZZ_CHECK(state.m_bHoldQuote && !state.m_bFirstShow);
    run.m_nCount = bModuleGone ? -1 : ModelCount(run.m_strModule);
    if (bModuleGone) {
        FUZZ_CHECK(state.m_nCurrentQuote == -1 && state.m_strModulePath == "miscellaneous.adg");
    } else if (run.m_nCount < 0) {
        FUZZ_CHECK(std::strcmp(state.m_szQuote, kszInvalid) == 0);
        FUZZ_CHECK(state.m_nCurrentQuote == before.m_nCurrentQuote);
    } else {
        FUZZ_CHECK(state.m_nQuoteCount == run.m_nCount && state.m_nOrder == before.m_nOrder);
        CheckSelection(before, state.m_nCurrentQuote, run.m_nCount);
    }
}

void Step(SDisplayRun& run, EStep eStep)
{
    const int nBefore = run.m_state.m_nCurrentQuote;
    const bool bSequential = run.m_state.m_nOrder != ORDER_RANDOM;
    auto show = [&run, eStep] { Show(run, eStep == kNextWithModuleGone); };
    if (eStep == kRepaint)
        show();
    else if (eStep == kPrevious)
        run.m_state.StepPrevious(show);
    else
        run.m_state.StepNext(show);
    if (eStep == kPrevious && bSequential && run.m_nCount >= 1)
        FUZZ_CHECK(run.m_state.m_nCurrentQuote == PreviousOf(nBefore, run.m_nCount));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EnterPrivateWorkDir();
    return 0;
}

// Header: flags (hold, first show, run, step count), index, clock, order, steps, run
// position and length; then the module.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzInput input(pData, nSize);
    const auto nFlags = input.Take<std::uint8_t>();
    SDisplayRun run;
    run.m_state.m_bHoldQuote = (nFlags & 1) != 0;
    run.m_state.m_bFirstShow = (nFlags & 2) != 0;
    run.m_state.m_nCurrentQuote = input.Take<std::int32_t>();
    g_nClock = input.Take<std::int64_t>();
    run.m_state.m_pfnClock = &FuzzClock;
    run.m_state.m_nOrder = input.Take<std::int8_t>();
    const auto nSteps = input.Take<std::uint16_t>();
    input.TakeRun();
    run.m_strModule = input.WriteRest(kszModule, nFlags & 4);

    Step(run, kRepaint);
    for (int i = 0; i < ((nFlags >> 3) & 7); ++i)
        Step(run, static_cast<EStep>((nSteps >> (2 * i)) & 3));
    return 0;
}

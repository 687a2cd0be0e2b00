// Whole displays of a module: the first show, then repaints, Next and Previous, with the
// saved index, order and flags and the clock taken from the input.
#include "FuzzSupport.h"
#include "QuoteState.h"
#include "RecordingView.h"
#include "Version.h"

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

// The quote count the module's header gives; -1 when the header is not valid.
int ModelCount(const std::string& strModule)
{
    CReferenceReader model(strModule, ELineMode::Text);
    model.Read(sizeof CQuoteState::m_szTitle);
    const std::string strCount = model.Read(sizeof CQuoteState::m_szCount);
    const bool bValid = model.Read(sizeof CQuoteState::m_szQuote).rfind('%', 0) == 0;
    // At most four digits fit the count's buffer.
    return bValid && StartsWithDigit(strCount) ? std::atoi(strCount.c_str()) : -1;
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

// A module that cannot be opened gives the defaults and leaves the buffers alone.
void CheckFallback(const CQuoteState& before, const CQuoteState& after, const CRecordingView& view)
{
    FUZZ_CHECK(after.m_nCurrentQuote == -1 && after.m_strModulePath == "miscellaneous.adg");
    FUZZ_CHECK(view.m_strCaption == ADAGIO_CAPTION_PREFIX "Miscellaneous");
    FUZZ_CHECK(std::strcmp(before.m_szTitle, after.m_szTitle) == 0);
    FUZZ_CHECK(std::strcmp(before.m_szQuote, after.m_szQuote) == 0);
    FUZZ_CHECK(std::strcmp(before.m_szAuthor, after.m_szAuthor) == 0);
}

class CDisplayRun {
public:
    CDisplayRun(std::string strModule, const CQuoteState& start)
        : m_strModule(std::move(strModule)), m_state(start)
    {
    }

    void Step(EStep eStep)
    {
        const int nBefore = m_state.m_nCurrentQuote;
        const bool bSequential = m_state.m_nOrder != ORDER_RANDOM;
        auto show = [this, eStep] { Show(eStep == kNextWithModuleGone); };
        if (eStep == kRepaint)
            show();
        else if (eStep == kPrevious)
            m_state.StepPrevious(show);
        else
            m_state.StepNext(show);
        if (eStep == kPrevious && bSequential && m_nCount >= 1)
            FUZZ_CHECK(m_state.m_nCurrentQuote == PreviousOf(nBefore, m_nCount));
    }

private:
    // After a fallback to the default module the run goes on with the fuzzed one.
    void Show(bool bModuleGone)
    {
        m_state.m_strModulePath = bModuleGone ? "missing.adg" : kszModule;
        const CQuoteState before = m_state;
        m_state.ShowQuoteText(m_view);
        FUZZ_CHECK(IsTerminated(m_state.m_szTitle) && IsTerminated(m_state.m_szCount));
        FUZZ_CHECK(IsTerminated(m_state.m_szQuote) && IsTerminated(m_state.m_szAuthor));
        FUZZ_CHECK(m_view.m_strAuthor == m_state.m_szAuthor);
        FUZZ_CHECK(m_state.m_bHoldQuote && !m_state.m_bFirstShow);
        m_nCount = bModuleGone ? -1 : ModelCount(m_strModule);
        if (bModuleGone) {
            CheckFallback(before, m_state, m_view);
        } else if (m_nCount < 0) {
            FUZZ_CHECK(std::strcmp(m_state.m_szQuote, kszInvalid) == 0);
            FUZZ_CHECK(m_state.m_nCurrentQuote == before.m_nCurrentQuote);
        } else {
            FUZZ_CHECK(m_state.m_nQuoteCount == m_nCount && m_state.m_nOrder == before.m_nOrder);
            CheckSelection(before, m_state.m_nCurrentQuote, m_nCount);
        }
    }

    std::string m_strModule;
    CQuoteState m_state;
    CRecordingView m_view;
    int m_nCount = -1; // in the last display's module, -1 unless it was shown
};

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
    CQuoteState start;
    start.m_bHoldQuote = (nFlags & 1) != 0;
    start.m_bFirstShow = (nFlags & 2) != 0;
    start.m_nCurrentQuote = input.Take<std::int32_t>();
    g_nClock = input.Take<std::int64_t>();
    start.m_pfnClock = &FuzzClock;
    start.m_nOrder = input.Take<std::int8_t>();
    const auto nSteps = input.Take<std::uint16_t>();
    input.TakeRun();

    CDisplayRun run(input.WriteRest(kszModule, nFlags & 4), start);
    run.Step(kRepaint);
    for (int i = 0; i < ((nFlags >> 3) & 7); ++i)
        run.Step(static_cast<EStep>((nSteps >> (2 * i)) & 3));
    return 0;
}

// Whole displays of a module: the first show, then repaints, Next and Previous, checked
// against a model of the header, the selection and the walk.
#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "FuzzWorkDir.h"
#include "QuoteState.h"
#include "RecordingView.h"
#include "ReferenceReader.h"
#include "Version.h"

#include <algorithm>
#include <cstring>

namespace {

const char kszModule[] = "module.adg";
const char kszMissing[] = "missing.adg";
const char kszInvalid[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";

enum EStep { kRepaint, kNext, kPrevious, kNextWithModuleGone };

std::int64_t g_nClock = 0;

std::int64_t FuzzClock()
{
    return g_nClock;
}

template <std::size_t N> bool IsTerminated(const char (&szBuffer)[N])
{
    return std::memchr(szBuffer, '\0', N) != nullptr;
}

std::string ExpandLineBreaks(const char* pszQuote)
{
    std::string strText;
    for (const char* p = pszQuote; *p != '\0'; ++p)
        strText += *p == '~' ? std::string("\r\n") : std::string(1, *p);
    return strText;
}

struct SModelHeader {
    std::string strTitle, strCount, strSeparator;

    bool IsValid() const
    {
        return !strCount.empty() && strCount[0] >= '0' && strCount[0] <= '9' &&
               !strSeparator.empty() && strSeparator[0] == '%';
    }
    // At most four digits fit the count's buffer, so this cannot overflow.
    int Count() const
    {
        int nCount = 0;
        for (std::size_t i = 0; i < strCount.size() && strCount[i] >= '0' && strCount[i] <= '9';
             ++i)
            nCount = nCount * 10 + (strCount[i] - '0');
        return nCount;
    }
};

SModelHeader ReadModelHeader(CReferenceReader& model)
{
    SModelHeader header;
    header.strTitle = model.Read(sizeof CQuoteState::m_szTitle);
    header.strCount = model.Read(sizeof CQuoteState::m_szCount);
    header.strSeparator = model.Read(sizeof CQuoteState::m_szQuote);
    return header;
}

struct SModelQuote {
    std::string strText, strAuthor;
};

// Past the end every read is empty, so the passes left over there change nothing.
SModelQuote WalkModel(CReferenceReader& model, int nIndex)
{
    SModelQuote quote;
    for (long long i = 0; i <= nIndex; ++i) {
        if (model.IsAtEnd())
            return SModelQuote();
        quote.strText = model.Read(sizeof CQuoteState::m_szQuote);
        if (!quote.strText.empty() && quote.strText[0] == '%')
            quote.strText = model.Read(sizeof CQuoteState::m_szQuote);
        quote.strAuthor = model.Read(sizeof CQuoteState::m_szAuthor);
        if (!quote.strAuthor.empty() && quote.strAuthor[0] == '%')
            quote.strAuthor[0] = ' ';
    }
    return quote;
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

// Whatever the outcome, the fields show the buffers and the display is marked done.
void CheckEveryDisplay(const CQuoteState& state, const CRecordingView& view)
{
    FUZZ_CHECK(IsTerminated(state.m_szTitle) && IsTerminated(state.m_szCount));
    FUZZ_CHECK(IsTerminated(state.m_szQuote) && IsTerminated(state.m_szAuthor));
    FUZZ_CHECK(view.m_strText == ExpandLineBreaks(state.m_szQuote));
    FUZZ_CHECK(view.m_strAuthor == state.m_szAuthor);
    FUZZ_CHECK(state.m_bHoldQuote && !state.m_bFirstShow);
}

// A module that cannot be opened gives the defaults and leaves the buffers alone.
void CheckFallback(const CQuoteState& before, const CQuoteState& after, const CRecordingView& view)
{
    FUZZ_CHECK(after.m_nCurrentQuote == -1 && after.m_nOrder == ORDER_SEQUENTIAL);
    FUZZ_CHECK(after.m_strModulePath == "miscellaneous.adg");
    FUZZ_CHECK(after.m_nInterval == 10 && after.m_bTimerEnabled == 1 && after.m_nPosition == 0);
    FUZZ_CHECK(view.m_strCaption == ADAGIO_CAPTION_PREFIX "Miscellaneous");
    FUZZ_CHECK(std::memcmp(before.m_szTitle, after.m_szTitle, sizeof after.m_szTitle) == 0);
    FUZZ_CHECK(std::memcmp(before.m_szQuote, after.m_szQuote, sizeof after.m_szQuote) == 0);
    FUZZ_CHECK(std::memcmp(before.m_szAuthor, after.m_szAuthor, sizeof after.m_szAuthor) == 0);
}

class CDisplayRun {
public:
    explicit CDisplayRun(std::string strModule) : m_strModule(std::move(strModule))
    {
        m_state.m_pfnClock = &FuzzClock;
    }

    CQuoteState& State() { return m_state; }

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
        if (eStep == kPrevious && bSequential && m_bValid && m_nCount >= 1)
            FUZZ_CHECK(m_state.m_nCurrentQuote == PreviousOf(nBefore, m_nCount));
    }

private:
    // After a fallback to the default module the run goes on with the fuzzed one.
    void Show(bool bModuleGone)
    {
        m_state.m_strModulePath = bModuleGone ? kszMissing : kszModule;
        const CQuoteState before = m_state;
        m_state.ShowQuoteText(m_view);
        CheckEveryDisplay(m_state, m_view);
        m_bValid = false;
        if (bModuleGone) {
            CheckFallback(before, m_state, m_view);
            return;
        }
        FUZZ_CHECK(m_state.m_strModulePath == kszModule && m_state.m_nOrder == before.m_nOrder);
        CheckModuleShown(before);
    }

    void CheckModuleShown(const CQuoteState& before)
    {
        CReferenceReader model(m_strModule, ELineMode::Text);
        const SModelHeader header = ReadModelHeader(model);
        FUZZ_CHECK(HoldsLine(m_state.m_szTitle, header.strTitle));
        FUZZ_CHECK(HoldsLine(m_state.m_szCount, header.strCount));
        if (!header.IsValid()) {
            FUZZ_CHECK(std::strcmp(m_state.m_szQuote, kszInvalid) == 0 &&
                       m_state.m_szAuthor[0] == '\0');
            FUZZ_CHECK(m_state.m_nCurrentQuote == before.m_nCurrentQuote);
            FUZZ_CHECK(m_state.m_nQuoteCount == before.m_nQuoteCount);
            return;
        }
        m_bValid = true;
        m_nCount = header.Count();
        FUZZ_CHECK(m_state.m_nQuoteCount == m_nCount);
        CheckSelection(before, m_state.m_nCurrentQuote, m_nCount);
        if (m_state.m_nCurrentQuote < 0) {
            // No quote is read: the header separator and the last attribution stay.
            FUZZ_CHECK(HoldsLine(m_state.m_szQuote, header.strSeparator));
            FUZZ_CHECK(std::strcmp(m_state.m_szAuthor, before.m_szAuthor) == 0);
            return;
        }
        const SModelQuote quote = WalkModel(model, m_state.m_nCurrentQuote);
        FUZZ_CHECK(HoldsLine(m_state.m_szQuote, quote.strText));
        FUZZ_CHECK(HoldsLine(m_state.m_szAuthor, quote.strAuthor));
    }

    std::string m_strModule;
    CQuoteState m_state;
    CRecordingView m_view;
    bool m_bValid = false; // the last display's header validated
    int m_nCount = 0;
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
    const auto nIndex = input.Take<std::int32_t>();
    g_nClock = input.Take<std::int64_t>();
    const auto nOrder = input.Take<std::int8_t>();
    const auto nSteps = input.Take<std::uint16_t>();
    const auto nRunPos = input.Take<std::uint16_t>();
    const auto nRunLength = input.Take<std::uint32_t>() % (2 * CLineReader::kChunkSize + 8);
    std::string strModule = input.Rest();
    if (nFlags & 4)
        InsertRun(strModule, nRunPos, nRunLength);
    WriteFileBytes(kszModule, strModule);

    CDisplayRun run(strModule);
    CQuoteState& state = run.State();
    state.m_nCurrentQuote = nIndex;
    state.m_nOrder = nOrder;
    state.m_bHoldQuote = (nFlags & 1) != 0;
    state.m_bFirstShow = (nFlags & 2) != 0;
    run.Step(kRepaint);
    for (int i = 0; i < ((nFlags >> 3) & 7); ++i)
        run.Step(static_cast<EStep>((nSteps >> (2 * i)) & 3));
    return 0;
}

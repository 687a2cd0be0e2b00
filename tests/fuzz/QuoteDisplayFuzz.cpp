// Whole displays of a module: the first show, then repaints, Next and Previous, with the
// saved index, order and flags and the clock taken from the input.
#include "FieldEncoding.h"
#include "FuzzSupport.h"
#include "QuoteState.h"
#include "RecordingView.h"

namespace {

const char kszModule[] = "module.adg";
const char kszInvalid[] =
    "Invalid quote module selected. Please click on Options and load a valid module.";

enum EStep { kRepaint, kNext, kPrevious, kNextWithModuleGone };

std::int64_t g_nClock = 0;

// The quote count the header gives; -1 when the header is not valid.
int ModelCount(const std::string& strModule)
{
    CModelReader model(strModule, ELineMode::Text);
    model.Read(sizeof CQuoteState::m_szTitle);
    const std::string strCount = model.Read(sizeof CQuoteState::m_szCount);
    const bool bValid = model.Read(sizeof CQuoteState::m_szQuote).rfind('%', 0) == 0;
    return bValid && strCount.find_first_of("0123456789") == 0 ? std::atoi(strCount.c_str()) : -1;
}

// Lead bytes by the flags' top two bits: none (Windows-1252), Shift-JIS's or GBK's.
CLegacyCodePage ModelCodePage(unsigned nChoice)
{
    const unsigned anNumbers[] = {1252, 932, 936, 936};
    return CLegacyCodePage(anNumbers[nChoice], [=](unsigned char ch) {
        const bool bShiftJis = (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
        return nChoice == 1 ? bShiftJis : nChoice > 1 && ch >= 0x81 && ch <= 0xFE;
    });
}

// A field as the window shows it: UTF-8 less a character the limit cut, or the legacy code page,
// where a lead byte the limit cut goes and a "~" after a lead byte is no line break.
SShownText ModelShown(const std::string& strField, std::size_t nSize,
                      const CLegacyCodePage& codePage, bool bBreakLines)
{
    const bool bFilled = strField.size() + 1 == nSize;
    const SFieldEncoding utf8 = DecideFieldEncoding(strField.data(), strField.size(), bFilled);
    std::string strShown;
    bool bSecond = false;
    for (std::size_t i = 0; i < utf8.nShown; ++i) {
        const bool bLead = !utf8.bUtf8 && !bSecond && codePage.IsLeadByte(strField[i]);
        if (bLead && bFilled && i + 1 == strField.size())
            break;
        strShown += bBreakLines && strField[i] == '~' && !bSecond ? "\r\n" : strField.substr(i, 1);
        bSecond = bLead;
    }
    return {strShown, utf8.bUtf8 ? kCodePageUtf8 : codePage.Number()};
}

// Quote nIndex's two fields as the window shows them, each quote before it read and dropped. At
// a negative index no quote is read: the header's separator line shows as the text.
std::pair<SShownText, SShownText> ModelQuote(const std::string& strModule, int nIndex,
                                             const CLegacyCodePage& codePage)
{
    CModelReader model(strModule, ELineMode::Text);
    const auto read = [&model](std::size_t nSize) {
        return std::string(model.Read(nSize).c_str());
    };
    const auto readQuote = [&read] {
        std::string strText = read(sizeof CQuoteState::m_szQuote);
        if (strText[0] == '%')
            strText = read(sizeof CQuoteState::m_szQuote);
        std::string strAuthor = read(sizeof CQuoteState::m_szAuthor);
        if (strAuthor[0] == '%')
            strAuthor[0] = ' ';
        return std::make_pair(strText, strAuthor);
    };
    read(sizeof CQuoteState::m_szTitle);
    read(sizeof CQuoteState::m_szCount);
    const std::string strSeparator = read(sizeof CQuoteState::m_szQuote);
    for (int i = 0; i < nIndex && !model.m_bAtEnd; ++i)
        readQuote();
    const auto quote = nIndex < 0 ? std::make_pair(strSeparator, std::string()) : readQuote();
    return {ModelShown(quote.first, sizeof CQuoteState::m_szQuote, codePage, true),
            ModelShown(quote.second, sizeof CQuoteState::m_szAuthor, codePage, false)};
}

// A fallback to the default module keeps what was shown; the run then goes on with the
// fuzzed module. Walking to a huge index must not take the timeout.
void Show(CQuoteState& state, const std::string& strModule, bool bModuleGone)
{
    CRecordingView view;
    state.m_strModulePath = bModuleGone ? "missing.adg" : kszModule;
    const CQuoteState before = state;
    state.ShowQuoteText(view);
    FUZZ_CHECK(AreTerminated(state.m_szTitle, state.m_szCount, state.m_szQuote, state.m_szAuthor));
    FUZZ_CHECK(state.m_bHoldQuote && !state.m_bFirstShow);
    const int nCount = ModelCount(strModule), nBefore = before.m_nCurrentQuote;
    const int nAfter = state.m_nCurrentQuote;
    if (bModuleGone) {
        FUZZ_CHECK(nAfter == -1 && state.m_strModulePath == "miscellaneous.adg");
        FUZZ_CHECK(view.m_strAuthor == before.m_szAuthor);
    } else if (nCount < 0) {
        FUZZ_CHECK(std::strcmp(state.m_szQuote, kszInvalid) == 0 && nAfter == nBefore);
    } else if (before.m_bHoldQuote && !before.m_bFirstShow) {
        FUZZ_CHECK(state.m_nQuoteCount == nCount && nAfter == nBefore);
    } else {
        // On a quote, or -1 with none; never the same one twice in random order.
        FUZZ_CHECK(state.m_nQuoteCount == nCount);
        FUZZ_CHECK(nAfter >= std::min(0, nCount - 1) && nAfter <= std::max(0, nCount - 1));
        FUZZ_CHECK(before.m_nOrder != ORDER_RANDOM || nCount < 2 || nAfter != nBefore);
    }
    if (!bModuleGone && nCount >= 0) {
        const auto expected = ModelQuote(strModule, nAfter, state.m_codePage);
        FUZZ_CHECK(view.m_strText == expected.first.strBytes &&
                   view.m_nTextCodePage == expected.first.nCodePage);
        FUZZ_CHECK(view.m_strAuthor == state.m_szAuthor &&
                   (nAfter < 0 ? view.m_strAuthor == before.m_szAuthor
                               : view.m_strAuthor == expected.second.strBytes &&
                                     view.m_nAuthorCodePage == expected.second.nCodePage));
    }
}

} // namespace

// Header: flags (hold, first show, run, step count, code page), index, clock, order, steps (two
// bits each), run position and length; then the module.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CFuzzInput input{pData, nSize};
    const auto nFlags = input.Take<std::uint8_t>();
    CQuoteState state;
    state.m_bHoldQuote = (nFlags & 1) != 0;
    state.m_bFirstShow = (nFlags & 2) != 0;
    state.m_codePage = ModelCodePage(nFlags >> 6);
    state.m_nCurrentQuote = input.Take<std::int32_t>();
    g_nClock = input.Take<std::int64_t>();
    state.m_pfnClock = [] { return g_nClock; };
    state.m_nOrder = input.Take<std::int8_t>();
    const auto nSteps = input.Take<std::uint16_t>();
    const auto nRunPos = input.Take<std::uint16_t>();
    const auto nRunLength = input.Take<std::uint32_t>();
    const std::string strModule = input.WriteRest(kszModule, nFlags & 4, nRunPos, nRunLength);

    Show(state, strModule, false);
    for (int i = 0; i < ((nFlags >> 3) & 7); ++i) {
        const auto eStep = static_cast<EStep>((nSteps >> (2 * i)) & 3);
        auto show = [&] { Show(state, strModule, eStep == kNextWithModuleGone); };
        if (eStep == kRepaint)
            show();
        else if (eStep == kPrevious)
            state.StepPrevious(show);
        else
            state.StepNext(show);
    }
    return 0;
}

#include "QuoteSelection.h"

#include "QuoteRandom.h"

int AdvanceSequential(int nCurrent, int nCount)
{
    if (nCurrent >= nCount - 1)
        return 0;
    if (nCurrent < -1)
        return nCount - 1;
    return nCurrent + 1;
}

int PickRandom(int nCurrent, int nCount, std::int64_t nSeconds)
{
    // Truncated like any 32-bit seed; picks within one second start alike.
    CQuoteRandom random(static_cast<std::uint32_t>(nSeconds));
    int nPick = random.Draw() % nCount;
    while (nPick == nCurrent)
        nPick = random.Draw() % nCount;
    return nPick;
}

void SelectQuote(CQuoteState& state)
{
    const bool bMoves = !state.m_bHoldQuote || state.m_bFirstShow;
    if (state.m_nOrder == ORDER_RANDOM && bMoves && state.m_nQuoteCount >= 2)
        state.m_nCurrentQuote =
            PickRandom(state.m_nCurrentQuote, state.m_nQuoteCount, state.m_pfnClock());
    else if (bMoves)
        state.m_nCurrentQuote = AdvanceSequential(state.m_nCurrentQuote, state.m_nQuoteCount);
}

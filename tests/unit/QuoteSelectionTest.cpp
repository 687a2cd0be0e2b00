#include "QuoteSelection.h"
#include "QuoteRandom.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::int64_t s_nNow = 1700000000;

CQuoteState MakeState(int nOrder, int nCount, int nCurrent)
{
    CQuoteState state;
    state.m_nOrder = nOrder;
    state.m_nQuoteCount = nCount;
    state.m_nCurrentQuote = nCurrent;
    state.m_pfnClock = [] { return s_nNow; };
    return state;
}

// {order, c, N, index after Next, index after Previous}. Any order but random goes in
// sequence, and random order picks only among two or more.
TEST(QuoteSelectionTest, NextAndPrevious)
{
    const int S = ORDER_SEQUENTIAL, R = ORDER_RANDOM;
    // clang-format off
    const int kCases[][5] = {
        {S, -1, 5, 0, 4}, {S, 0, 5, 1, 4}, {S, 1, 5, 2, 0}, {S, 4, 5, 0, 3}, {S, 5, 5, 0, 4},
        {S, 6, 5, 0, 0}, {S, -3, 5, 4, 4}, {S, -1, 1, 0, 0}, {S, -1, 0, 0, -1},
        {S, INT_MIN, 5, 4, 4}, {S, INT_MIN + 1, 3, 2, 2}, {7, 2, 5, 3, 1},
        {R, 0, 1, 0, 0}, {R, -1, 0, 0, 0}};
    // clang-format on
    for (const auto& test : kCases) {
        CQuoteState next = MakeState(test[0], test[2], test[1]), previous = next;
        next.StepNext([&next] { SelectQuote(next); });
        previous.StepPrevious([&previous] { SelectQuote(previous); });
        EXPECT_EQ(next.m_nCurrentQuote, test[3]) << "order " << test[0] << " c=" << test[1];
        EXPECT_EQ(previous.m_nCurrentQuote, test[4]) << "order " << test[0] << " c=" << test[1];
    }
    CQuoteState held = MakeState(S, 5, 2);
    held.m_bFirstShow = true;
    SelectQuote(held);
    EXPECT_EQ(held.m_nCurrentQuote, 3) << "the first show moves on even when held";
}

// The clock's low 32 bits seed the generator; a pick equal to the current quote is drawn
// again, even when the next pick comes within the same second.
TEST(QuoteSelectionTest, RandomPickFromTheClock)
{
    CQuoteRandom random(1);
    for (int nExpected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(random.Draw(), nExpected);
    for (s_nNow = 1; s_nNow < (std::int64_t{1} << 34); s_nNow += std::int64_t{1} << 32) {
        CQuoteState state = MakeState(ORDER_RANDOM, 1000, 41);
        state.StepNext([&state] { SelectQuote(state); });
        EXPECT_EQ(state.m_nCurrentQuote, 467) << "t=" << s_nNow;
        state.StepPrevious([&state] { SelectQuote(state); });
        EXPECT_NE(state.m_nCurrentQuote, 467) << "t=" << s_nNow;
    }
}

} // namespace

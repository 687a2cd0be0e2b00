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

// {c, N, index after Next, index after Previous}, sequential order.
TEST(QuoteSelectionTest, NextAndPreviousInSequence)
{
    const int kCases[][4] = {{-1, 5, 0, 4},      {0, 5, 1, 4},          {1, 5, 2, 0},
                             {4, 5, 0, 3},       {5, 5, 0, 4},          {6, 5, 0, 0},
                             {-3, 5, 4, 4},      {-1, 1, 0, 0},         {-1, 0, 0, -1},
                             {INT_MIN, 5, 4, 4}, {INT_MIN + 1, 3, 2, 2}};
    for (const auto& test : kCases) {
        CQuoteState next = MakeState(ORDER_SEQUENTIAL, test[1], test[0]), previous = next;
        next.StepNext([&next] { SelectQuote(next); });
        previous.StepPrevious([&previous] { SelectQuote(previous); });
        EXPECT_EQ(next.m_nCurrentQuote, test[2]) << "c=" << test[0] << " N=" << test[1];
        EXPECT_EQ(previous.m_nCurrentQuote, test[3]) << "c=" << test[0] << " N=" << test[1];
    }
}

// {order, hold, first show, N, c, expected index}; -100 stands for any index but c.
TEST(QuoteSelectionTest, HoldOrMove)
{
    const int kCases[][6] = {{ORDER_SEQUENTIAL, 1, 0, 5, 2, 2}, {ORDER_RANDOM, 1, 0, 5, 2, 2},
                             {ORDER_SEQUENTIAL, 1, 1, 5, 2, 3}, {7, 0, 0, 5, 2, 3},
                             {ORDER_RANDOM, 1, 1, 5, 2, -100},  {ORDER_RANDOM, 0, 0, 5, 2, -100},
                             {ORDER_RANDOM, 0, 0, 1, 0, 0},     {ORDER_RANDOM, 0, 0, 0, -1, 0}};
    for (const auto& test : kCases) {
        CQuoteState state = MakeState(test[0], test[3], test[4]);
        state.m_bHoldQuote = test[1] != 0;
        state.m_bFirstShow = test[2] != 0;
        SelectQuote(state);
        const int nIndex = state.m_nCurrentQuote;
        if (test[5] == -100)
            EXPECT_TRUE(nIndex != test[4] && nIndex >= 0 && nIndex < test[3]) << nIndex;
        else
            EXPECT_EQ(nIndex, test[5]) << "order " << test[0] << " c=" << test[4];
    }
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

// Which quote a display shows: the same one, the next in sequence, or a random other one.
#pragma once

#include "QuoteState.h"

// The next index in sequence; wraps to 0 from the last quote or beyond, and goes to the
// last quote from -2 or below, which is where Previous leaves the first one.
int AdvanceSequential(int nCurrent, int nCount);

// A random index other than nCurrent, for nCount of 2 or more.
int PickRandom(int nCurrent, int nCount, std::int64_t nSeconds);

// Sets m_nCurrentQuote for a display of a module that declares m_nQuoteCount quotes.
void SelectQuote(CQuoteState& state);

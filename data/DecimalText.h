// Decimal text to int, as the C library reads it, but saturating instead of overflowing.
#pragma once

// Skips leading white space, takes one optional sign and then digits up to the first
// other character; no digits give 0. Values beyond the int range give INT_MIN or INT_MAX.
int DecimalTextToInt(const char* pszText);

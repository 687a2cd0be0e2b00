#include "DecimalText.h"

#include <algorithm>
#include <climits>

namespace {

bool IsSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace

int DecimalTextToInt(const char* pszText)
{
    const char* p = pszText;
    while (IsSpace(*p))
        ++p;
    const bool bNegative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    // Kept at or below the limit, so the next step cannot overflow a long long.
    const long long nLimit = bNegative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long nMagnitude = 0;
    for (; IsDigit(*p); ++p)
        nMagnitude = std::min(nLimit, nMagnitude * 10 + (*p - '0'));
    return static_cast<int>(bNegative ? -nMagnitude : nMagnitude);
}

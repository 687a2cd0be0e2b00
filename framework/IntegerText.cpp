#include "IntegerText.h"

#include <climits>
#include <cstddef>

namespace {

const std::size_t kMaxLookedAt = 31;

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

std::size_t BoundedLength(const char* pszText)
{
    std::size_t nLen = 0;
    while (nLen < kMaxLookedAt && pszText[nLen] != '\0')
        ++nLen;
    return nLen;
}

std::size_t SkipBlanks(const char* pszText, std::size_t nPos, std::size_t nEnd)
{
    while (nPos < nEnd && IsBlank(pszText[nPos]))
        ++nPos;
    return nPos;
}

// Accumulates no further than one past INT_MAX, so it never overflows.
long long SaturatingMagnitude(const char* pszText, std::size_t& nPos, std::size_t nEnd)
{
    const long long nCap = static_cast<long long>(INT_MAX) + 1;
    long long nMagnitude = 0;
    for (; nPos < nEnd && IsDigit(pszText[nPos]); ++nPos) {
        nMagnitude = nMagnitude * 10 + (pszText[nPos] - '0');
        if (nMagnitude > nCap)
            nMagnitude = nCap;
    }
    return nMagnitude;
}

int ClampToInt(long long nSigned)
{
    if (nSigned > INT_MAX)
        return INT_MAX;
    if (nSigned < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nSigned);
}

} // namespace

bool ParseDialogInteger(const char* pszText, int& nValue)
{
    if (pszText == nullptr)
        return false;
    const std::size_t nEnd = BoundedLength(pszText);
    std::size_t nPos = SkipBlanks(pszText, 0, nEnd);
    const char chFirst = nPos < nEnd ? pszText[nPos] : '\0';
    const bool bNegative = chFirst == '-';
    if (chFirst == '-' || chFirst == '+')
        ++nPos;
    const std::size_t nDigitsStart = nPos;
    const long long nMagnitude = SaturatingMagnitude(pszText, nPos, nEnd);
    if (nPos == nDigitsStart)
        return false;
    if (SkipBlanks(pszText, nPos, nEnd) != nEnd)
        return false;
    if (nMagnitude == 0 && chFirst != '0')
        return false;
    nValue = ClampToInt(bNegative ? -nMagnitude : nMagnitude);
    return true;
}

#include "IntegerText.h"

#include <climits>
#include <string>

namespace {

const std::size_t kMaxLookedAt = 31;

std::size_t SkipBlanks(const std::string& strText, std::size_t nPos)
{
    while (nPos < strText.size() && (strText[nPos] == ' ' || strText[nPos] == '\t'))
        ++nPos;
    return nPos;
}

} // namespace

bool ParseDialogInteger(const char* pszText, int& nValue)
{
    if (pszText == nullptr)
        return false;
    std::string strText;
    for (std::size_t i = 0; i < kMaxLookedAt && pszText[i] != '\0'; ++i)
        strText += pszText[i];
    std::size_t nPos = SkipBlanks(strText, 0);
    const char chFirst = nPos < strText.size() ? strText[nPos] : '\0';
    if (chFirst == '-' || chFirst == '+')
        ++nPos;
    const std::size_t nDigitsStart = nPos;
    // Stops growing one past INT_MAX, so it never overflows.
    long long nMagnitude = 0;
    for (; nPos < strText.size() && strText[nPos] >= '0' && strText[nPos] <= '9'; ++nPos) {
        nMagnitude = nMagnitude * 10 + (strText[nPos] - '0');
        if (nMagnitude > INT_MAX)
            nMagnitude = static_cast<long long>(INT_MAX) + 1;
    }
    if (nPos == nDigitsStart || SkipBlanks(strText, nPos) != strText.size())
        return false;
    if (nMagnitude == 0 && chFirst != '0')
        return false;
    const long long nSigned = chFirst == '-' ? -nMagnitude : nMagnitude;
    nValue = nSigned > INT_MAX ? INT_MAX : static_cast<int>(nSigned);
    return true;
}

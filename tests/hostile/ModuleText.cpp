#include "ModuleText.h"

#include <algorithm>
#include <random>

std::string ModuleText(const std::string& strTitle, int nDeclared,
                       const std::vector<SQuoteLines>& quotes)
{
    std::string strModule = strTitle + "\r\n" + std::to_string(nDeclared) + "\r\n%\r\n";
    for (std::size_t i = 0; i < quotes.size(); ++i) {
        if (i > 0) {
            strModule += "%\r\n";
        }
        strModule += quotes[i].strText + "\r\n" + quotes[i].strAuthor + "\r\n";
    }
    return strModule;
}

std::vector<SQuoteLines> NumberedQuotes(int nCount)
{
    std::vector<SQuoteLines> quotes;
    for (int i = 0; i < nCount; ++i) {
        const std::string strNumber = std::to_string(i);
        quotes.push_back({"Quote " + strNumber + "~continued" + std::string(i % 40, '.'),
                          "Author " + strNumber});
    }
    return quotes;
}

std::string RandomBytes(unsigned nSeed, std::size_t nSize)
{
    // The engine's output is fixed by the standard; a distribution's is not.
    std::mt19937 engine(nSeed);
    std::string strBytes(nSize, '\0');
    std::generate(strBytes.begin(), strBytes.end(),
                  [&engine] { return static_cast<char>(engine() & 0xFF); });
    return strBytes;
}

std::string PatternLine(std::size_t nSize)
{
    static const char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const std::size_t nAlphabet = sizeof kAlphabet - 1;
    std::string strLine(nSize, '\0');
    for (std::size_t i = 0; i < nSize; ++i) {
        // A prime stride keeps the cuts at different offsets from looking alike.
        strLine[i] = kAlphabet[(i * 7 + i / nAlphabet) % nAlphabet];
    }
    return strLine;
}

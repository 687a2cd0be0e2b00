#include "ModuleText.h"

#include <algorithm>
#include <cctype>
#include <random>

namespace {

// The module as the C runtime's text mode hands it over: nothing from byte 0x1A on, and
// each CR LF pair one LF. A lone CR stays.
std::string TextModeView(const std::string& strBytes)
{
    const std::string strData = strBytes.substr(0, strBytes.find('\x1a'));
    std::string strText;
    for (std::size_t i = 0; i < strData.size(); ++i) {
        if (strData.compare(i, 2, "\r\n") != 0) {
            strText += strData[i];
        }
    }
    return strText;
}

// A read of at most nSize - 1 characters: a line end reached within them is consumed,
// otherwise the rest waits for the next read. The field ends the text at a NUL.
std::string ReadLine(const std::string& strText, std::size_t& nPos, std::size_t nSize)
{
    const std::size_t nEnd = std::min(strText.find('\n', nPos), strText.size());
    const std::size_t nLength = std::min(nEnd - nPos, nSize - 1);
    const std::string strLine = strText.substr(nPos, nLength);
    nPos += nLength + (nLength < nSize - 1 && nPos + nLength < strText.size() ? 1 : 0);
    return strLine.substr(0, strLine.find('\0'));
}

} // namespace

const SDisplay kInvalidModuleDisplay = {
    "Invalid quote module selected. Please click on Options and load a valid module.", ""};
const SDisplay kEmptyDisplay = {"", ""};

std::string ModuleText(const std::string& strTitle, int nDeclared,
                       const std::vector<SQuoteLines>& quotes)
{
    std::string strModule = strTitle + "\r\n" + std::to_string(nDeclared) + "\r\n";
    for (const SQuoteLines& quote : quotes) {
        strModule += "%\r\n" + quote.strText + "\r\n" + quote.strAuthor + "\r\n";
    }
    return quotes.empty() ? strModule + "%\r\n" : strModule;
}

std::vector<SQuoteLines> NumberedQuotes(int nCount)
{
    std::vector<SQuoteLines> quotes;
    for (int i = 0; i < nCount; ++i) {
        quotes.push_back({"Quote " + std::to_string(i) + "~continued" + std::string(i % 40, '.'),
                          "Author " + std::to_string(i)});
    }
    return quotes;
}

std::string RandomBytes(unsigned nSeed, std::size_t nSize)
{
    // The engine's output is fixed by the standard; a distribution's is not.
    std::mt19937 engine(nSeed);
    std::string strBytes(nSize, '\0');
    std::generate(strBytes.begin(), strBytes.end(), [&] { return static_cast<char>(engine()); });
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

void PrintTo(const SDisplay& display, std::ostream* pStream)
{
    *pStream << "{text \"" << display.strText << "\" (" << display.strText.size()
             << " bytes), author \"" << display.strAuthor << "\"}";
}

SDisplay DisplayOf(const std::string& strModule, int nIndex)
{
    const std::string strText = TextModeView(strModule);
    std::size_t nPos = 0;
    ReadLine(strText, nPos, 25);
    const std::string strCount = ReadLine(strText, nPos, 5);
    const std::string strSeparator = ReadLine(strText, nPos, 200);
    if (strCount.empty() || !std::isdigit(static_cast<unsigned char>(strCount[0])) ||
        strSeparator.empty() || strSeparator[0] != '%') {
        return kInvalidModuleDisplay;
    }
    SDisplay display;
    for (int i = 0; i <= nIndex; ++i) {
        display.strText = ReadLine(strText, nPos, 200);
        if (!display.strText.empty() && display.strText[0] == '%') {
            display.strText = ReadLine(strText, nPos, 200);
        }
        display.strAuthor = ReadLine(strText, nPos, 50);
        if (!display.strAuthor.empty() && display.strAuthor[0] == '%') {
            display.strAuthor[0] = ' ';
        }
    }
    std::string strShown;
    for (const char ch : display.strText) {
        strShown += ch == '~' ? std::string("\r\n") : std::string(1, ch);
    }
    return {strShown, display.strAuthor};
}

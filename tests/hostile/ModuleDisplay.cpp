#include "ModuleDisplay.h"

#include <algorithm>
#include <cstddef>

namespace {

const std::size_t kTitleSize = 25;
const std::size_t kCountSize = 5;
const std::size_t kQuoteSize = 200;
const std::size_t kAuthorSize = 50;

// The module as the C runtime's text mode hands it over: nothing from byte 0x1A on, and
// each CR LF pair one LF. A lone CR stays.
std::string TextModeView(const std::string& strBytes)
{
    const std::string strData = strBytes.substr(0, strBytes.find('\x1a'));
    std::string strText;
    strText.reserve(strData.size());
    for (std::size_t i = 0; i < strData.size(); ++i) {
        if (!(strData[i] == '\r' && i + 1 < strData.size() && strData[i + 1] == '\n')) {
            strText += strData[i];
        }
    }
    return strText;
}

// Reads of at most nSize - 1 characters: a line end reached within them is consumed,
// otherwise the read stops short of it and the rest waits for the next read.
class CBoundedLines {
public:
    explicit CBoundedLines(std::string strText) : m_strText(std::move(strText)) {}

    std::string Read(std::size_t nSize)
    {
        const std::size_t nMax = nSize - 1;
        const std::size_t nEnd = std::min(m_strText.find('\n', m_nPos), m_strText.size());
        const std::size_t nLength = std::min(nEnd - m_nPos, nMax);
        std::string strLine = m_strText.substr(m_nPos, nLength);
        m_nPos += nLength;
        if (nLength < nMax && m_nPos < m_strText.size()) {
            ++m_nPos;
        }
        return strLine;
    }

private:
    std::string m_strText;
    std::size_t m_nPos = 0;
};

// A text field ends its text at the first NUL, as the buffer's terminator would.
std::string AsShown(const std::string& strLine)
{
    return strLine.substr(0, strLine.find('\0'));
}

std::string WithLineBreaks(const std::string& strText)
{
    std::string strShown;
    for (const char ch : strText) {
        strShown += ch == '~' ? std::string("\r\n") : std::string(1, ch);
    }
    return strShown;
}

} // namespace

const SDisplay kInvalidModuleDisplay = {
    "Invalid quote module selected. Please click on Options and load a valid module.", ""};
const SDisplay kEmptyDisplay = {"", ""};

bool operator==(const SDisplay& left, const SDisplay& right)
{
    return left.strText == right.strText && left.strAuthor == right.strAuthor;
}

void PrintTo(const SDisplay& display, std::ostream* pStream)
{
    *pStream << "{text \"" << display.strText << "\" (" << display.strText.size()
             << " bytes), author \"" << display.strAuthor << "\"}";
}

SDisplay DisplayOf(const std::string& strModule, int nIndex)
{
    CBoundedLines lines(TextModeView(strModule));
    lines.Read(kTitleSize);
    const std::string strCount = AsShown(lines.Read(kCountSize));
    const std::string strSeparator = AsShown(lines.Read(kQuoteSize));
    const bool bValid = !strCount.empty() && strCount[0] >= '0' && strCount[0] <= '9' &&
                        !strSeparator.empty() && strSeparator[0] == '%';
    if (!bValid) {
        return kInvalidModuleDisplay;
    }
    std::string strText;
    std::string strAuthor;
    for (int i = 0; i <= nIndex; ++i) {
        strText = lines.Read(kQuoteSize);
        if (!strText.empty() && strText[0] == '%') {
            strText = lines.Read(kQuoteSize);
        }
        strAuthor = lines.Read(kAuthorSize);
        if (!strAuthor.empty() && strAuthor[0] == '%') {
            strAuthor[0] = ' ';
        }
    }
    return {WithLineBreaks(AsShown(strText)), AsShown(strAuthor)};
}

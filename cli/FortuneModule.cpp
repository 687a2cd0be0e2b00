#include "FortuneModule.h"

#include "CodePage.h"
#include "Utf8Text.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kFallbackTitle[] = "Fortunes";

void WriteLine(std::string& strOut, const std::string& strLine)
{
    strOut += strLine;
    strOut += kLineEnd;
}

// Command-line text is UTF-8.
bool IsArgumentText(const std::string& strGiven)
{
    return IsValidUtf8(strGiven) && IsPrintableUtf8(strGiven);
}

bool FitsTitle(const std::string& strUtf8, const CCodePage* pCodePage, std::string& strTitle)
{
    return ToModuleEncoding(strUtf8, pCodePage, strTitle) == ESkipReason::None &&
           strTitle.size() <= kMaxTitleBytes;
}

} // namespace

bool MakeTitle(const std::string& strGiven, const CCodePage* pCodePage, std::string& strTitle)
{
    return IsArgumentText(strGiven) && FitsTitle(strGiven, pCodePage, strTitle);
}

std::string BaseName(const std::string& strPath)
{
    const std::size_t nSlash = strPath.find_last_of("/\\");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

// A name that does not convert falls back to a plain title rather than failing the run; one
// too long loses characters off its end, whole ones.
std::string DefaultTitle(const std::string& strPath, const CCodePage* pCodePage)
{
    std::string strName = BaseName(strPath);
    if (!IsArgumentText(strName))
        return kFallbackTitle;
    const std::size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName.resize(nDot);
    if (!strName.empty() && strName[0] >= 'a' && strName[0] <= 'z')
        strName[0] = static_cast<char>(strName[0] - 'a' + 'A');
    std::string strTitle;
    if (ToModuleEncoding(strName, pCodePage, strTitle) != ESkipReason::None)
        return kFallbackTitle;
    while (!strName.empty() && !FitsTitle(strName, pCodePage, strTitle))
        PopUtf8Character(strName);
    return strName.empty() ? kFallbackTitle : strTitle;
}

std::string ModuleText(const std::string& strTitle, const std::vector<SQuote>& quotes)
{
    std::string strModule;
    WriteLine(strModule, strTitle);
    WriteLine(strModule, std::to_string(quotes.size()));
    WriteLine(strModule, "%");
    // A text may follow the header's "%" line, or one read as the attribution of a quote
    // without, directly. Only one "%" line before a text is skipped, so a text that begins with
    // "%" always needs a separator of its own.
    bool bSeparated = true;
    for (const SQuote& quote : quotes) {
        if (!bSeparated || quote.m_strText[0] == '%')
            WriteLine(strModule, "%");
        WriteLine(strModule, quote.m_strText);
        bSeparated = quote.m_strAuthor.empty();
        WriteLine(strModule, bSeparated ? "%" : quote.m_strAuthor);
    }
    if (!bSeparated)
        WriteLine(strModule, "%");
    return strModule;
}

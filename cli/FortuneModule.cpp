#include "FortuneModule.h"

#include "Cp1252.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kFallbackTitle[] = "Fortunes";

void WriteLine(std::string& strOut, const std::string& strLine)
{
    strOut += strLine;
    strOut += kLineEnd;
}

// Text that is not UTF-8, where the command line may be ANSI, is Windows-1252 already.
bool ToModuleText(const std::string& strGiven, EArgumentText eText, EModuleEncoding eEncoding,
                  std::string& strText)
{
    const bool bAnsi = eText == EArgumentText::Utf8OrAnsi && !IsValidUtf8(strGiven);
    if (eEncoding == EModuleEncoding::Utf8) {
        strText = bAnsi ? Cp1252ToUtf8(strGiven) : strGiven;
        return bAnsi || IsValidUtf8(strGiven);
    }
    if (bAnsi) {
        strText = strGiven;
        return true;
    }
    return Utf8ToCp1252(strGiven, strText) == ECp1252Status::Converted;
}

bool IsPrintable(const std::string& strText, EModuleEncoding eEncoding)
{
    return eEncoding == EModuleEncoding::Utf8 ? IsPrintableUtf8(strText)
                                              : IsPrintableCp1252(strText);
}

} // namespace

bool MakeTitle(const std::string& strGiven, EArgumentText eText, EModuleEncoding eEncoding,
               std::string& strTitle)
{
    return ToModuleText(strGiven, eText, eEncoding, strTitle) &&
           strTitle.size() <= kMaxTitleBytes && IsPrintable(strTitle, eEncoding);
}

std::string BaseName(const std::string& strPath)
{
    const std::size_t nSlash = strPath.find_last_of("/\\");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

// A name that does not convert falls back to a plain title rather than failing the run.
std::string DefaultTitle(const std::string& strPath, EArgumentText eText, EModuleEncoding eEncoding)
{
    std::string strName = BaseName(strPath);
    const std::size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName.resize(nDot);
    std::string strTitle;
    if (!ToModuleText(strName, eText, eEncoding, strTitle) || !IsPrintable(strTitle, eEncoding) ||
        strTitle.empty())
        strTitle = kFallbackTitle;
    if (strTitle[0] >= 'a' && strTitle[0] <= 'z')
        strTitle[0] = static_cast<char>(strTitle[0] - 'a' + 'A');
    if (strTitle.size() <= kMaxTitleBytes)
        return strTitle;
    // A UTF-8 character is not cut in two.
    std::size_t nLength = kMaxTitleBytes;
    while (eEncoding == EModuleEncoding::Utf8 && nLength > 0 &&
           (static_cast<unsigned char>(strTitle[nLength]) & 0xC0) == 0x80)
        --nLength;
    return strTitle.substr(0, nLength);
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

#include "FortuneModule.h"

#include "Cp1252.h"

namespace {

const char kLineEnd[] = "\r\n";
const char kFallbackTitle[] = "Fortunes";

void WriteLine(std::ostream& out, const std::string& strLine)
{
    out << strLine << kLineEnd;
}

bool ToModuleText(const std::string& strGiven, EArgumentText eText, std::string& strText)
{
    const ECp1252Status status = Utf8ToCp1252(strGiven, strText);
    if (status == ECp1252Status::BadUtf8 && eText == EArgumentText::Utf8OrAnsi) {
        strText = strGiven;
        return true;
    }
    return status == ECp1252Status::Converted;
}

} // namespace

bool MakeTitle(const std::string& strGiven, EArgumentText eText, std::string& strTitle)
{
    return ToModuleText(strGiven, eText, strTitle) && strTitle.size() <= kMaxTitleBytes &&
           IsPrintableCp1252(strTitle);
}

std::string BaseName(const std::string& strPath)
{
    const std::size_t nSlash = strPath.find_last_of("/\\");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

// A name that does not convert falls back to a plain title rather than failing the run.
std::string DefaultTitle(const std::string& strPath, EArgumentText eText)
{
    std::string strName = BaseName(strPath);
    const std::size_t nDot = strName.rfind('.');
    if (nDot != std::string::npos && nDot > 0)
        strName.resize(nDot);
    std::string strTitle;
    if (!ToModuleText(strName, eText, strTitle) || !IsPrintableCp1252(strTitle) || strTitle.empty())
        strTitle = kFallbackTitle;
    if (strTitle[0] >= 'a' && strTitle[0] <= 'z')
        strTitle[0] = static_cast<char>(strTitle[0] - 'a' + 'A');
    if (strTitle.size() > kMaxTitleBytes)
        strTitle.resize(kMaxTitleBytes);
    return strTitle;
}

void WriteModule(std::ostream& out, const std::string& strTitle, const std::vector<SQuote>& quotes)
{
    WriteLine(out, strTitle);
    WriteLine(out, std::to_string(quotes.size()));
    WriteLine(out, "%");
    // Right after the header one "%" line is skipped as a separator, so a first text that
    // begins with "%" needs a separator of its own.
    if (!quotes.empty() && quotes[0].m_strText[0] == '%')
        WriteLine(out, "%");
    for (const SQuote& quote : quotes) {
        WriteLine(out, quote.m_strText);
        WriteLine(out, quote.m_strAuthor);
        WriteLine(out, "%");
    }
}

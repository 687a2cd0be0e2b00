#include "FortuneOptions.h"

#include "CodePage.h"
#include "DecimalText.h"

#include <algorithm>

namespace {

constexpr int kMaxQuotes = 999;

const char kUsage[] = "usage: fortune2adg [--title T] [--max N] [--encoding E] FILE\n";

const char kHelp[] =
    "usage: fortune2adg [--title T] [--max N] [--encoding E] FILE\n"
    "\n"
    "Converts a fortune file (cookies separated by lines of just \"%\") into an Adagiomill\n"
    "quote module, written to standard output in UTF-8 (or in the code page --encoding\n"
    "names), without a byte-order mark, with CR LF line ends.\n"
    "\n"
    "  --title T     module title, at most 23 bytes (default: the file's name without\n"
    "                extension, first letter capital)\n"
    "  --max N       write at most N quotes, 1 to 999 (default 999)\n"
    "  --encoding E  utf-8 (the default), or a Windows code page (cp1252, also written\n"
    "                windows-1252 or 1252; cp932, cp1251...) for earlier versions of\n"
    "                Adagiomill, which show only their system's code page\n"
    "  --help        show this text\n"
    "\n"
    "Per cookie: a backspace deletes the character before it, a tab becomes a space, lines\n"
    "are trimmed, blank lines at its start and end dropped, and its lines joined with \"~\".\n"
    "A last line beginning \"-- \", followed only by indented lines, is the attribution.\n"
    "Skipped and counted: empty text, text over 198 bytes, attribution over 48 bytes, a\n"
    "\"~\" anywhere, invalid UTF-8, control characters, characters the code page lacks,\n"
    "text whose bytes in the code page would read as UTF-8, an attribution beginning\n"
    "with \"%\", and cookies beyond --max.\n"
    "\n"
    "Exit status: 0 module written, 1 no cookie could be converted, 2 bad usage or\n"
    "unreadable file.\n";

bool ParseMax(const std::string& strValue, int& nMax)
{
    if (strValue.empty() || strValue.size() > 3 ||
        !std::all_of(strValue.begin(), strValue.end(),
                     [](char ch) { return ch >= '0' && ch <= '9'; }))
        return false;
    nMax = DecimalTextToInt(strValue.c_str());
    return nMax >= 1 && nMax <= kMaxQuotes;
}

bool ParseEncoding(const std::string& strValue, unsigned& nCodePage)
{
    if (strValue == "utf-8" || strValue == "UTF-8") {
        nCodePage = 0;
        return true;
    }
    return ParseCodePageName(strValue, nCodePage);
}

// "--name value" or "--name=value"; false when the option is not this one.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& strName,
               std::string& strValue, bool& bMissing)
{
    const std::string& strArg = args[i];
    if (strArg == strName) {
        bMissing = i + 1 == args.size();
        if (!bMissing)
            strValue = args[++i];
        return true;
    }
    if (strArg.compare(0, strName.size() + 1, strName + "=") == 0) {
        strValue = strArg.substr(strName.size() + 1);
        return true;
    }
    return false;
}

bool ParseOne(const std::vector<std::string>& args, std::size_t& i, SFortuneOptions& options,
              std::string& strError)
{
    std::string strValue;
    bool bMissing = false;
    if (TakeValue(args, i, "--title", strValue, bMissing)) {
        options.m_bHasTitle = true;
        options.m_strTitle = strValue;
    } else if (TakeValue(args, i, "--max", strValue, bMissing)) {
        if (!bMissing && !ParseMax(strValue, options.m_nMax))
            strError = "--max takes a number from 1 to 999, not \"" + strValue + "\"";
    } else if (TakeValue(args, i, "--encoding", strValue, bMissing)) {
        if (!bMissing && !ParseEncoding(strValue, options.m_nCodePage))
            strError =
                "--encoding takes utf-8 or a code page such as cp1252, not \"" + strValue + "\"";
    } else if (args[i].size() > 1 && args[i][0] == '-') {
        strError = "unknown option \"" + args[i] + "\"";
    } else if (!options.m_strPath.empty()) {
        strError = "only one FILE, please";
    } else {
        options.m_strPath = args[i];
    }
    if (bMissing)
        strError = args[i] + " needs a value";
    return strError.empty();
}

} // namespace

bool ParseFortuneOptions(const std::vector<std::string>& args, SFortuneOptions& options,
                         std::string& strError)
{
    options = SFortuneOptions();
    strError.clear();
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        options.m_bHelp = true;
        return true;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!ParseOne(args, i, options, strError))
            return false;
    }
    if (options.m_strPath.empty())
        strError = "no FILE given";
    return strError.empty();
}

const char* FortuneUsage()
{
    return kUsage;
}

const char* FortuneHelp()
{
    return kHelp;
}

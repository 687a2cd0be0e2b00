// adgcheck: reports what the program will make of a quote module, line by line.
#include "CodePage.h"
#include "Counted.h"
#include "ModuleCheck.h"
#include "QuotePreview.h"
#include "SystemConverter.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum { EXIT_CLEAN = 0, EXIT_ERRORS = 1, EXIT_UNREADABLE = 2 };

const char kszUsage[] = "usage: adgcheck [--codepage N] [--show N] FILE...\n";

const char kszHelp[] =
    "Checks Adagiomill quote modules (.adg files) by reading them exactly as the program\n"
    "does, and lists every problem as FILE:LINE: error: or FILE:LINE: warning: followed by\n"
    "what the program will show instead.\n"
    "\n"
    "Errors: a header that will not load, a line longer than its field (title 23, number\n"
    "of quotes 3 digits, text 198, attribution 48 characters) which shifts every later\n"
    "read, two \"%\" lines in a row, a blank line read as a quote's text or attribution,\n"
    "a declared number of quotes other than the quotes present (with the line that likely\n"
    "caused it), a Ctrl-Z byte before the end of the file.\n"
    "Warnings: text after the number of quotes, a \"%\" line with words that are never\n"
    "shown, a blank line at the end, lone CRs, tabs and other control bytes, bytes that\n"
    "are no character in the code page, fields that are not UTF-8 in a module that is, a\n"
    "character cut in two by its field's limit (limits count bytes).\n"
    "The summary names the encoding of the fields shown: ASCII, UTF-8, the code page\n"
    "(Windows-1252) or mixed encodings.\n"
    "\n"
    "  --codepage N  read fields that are not UTF-8 in Windows code page N, as a system\n"
    "                whose language for non-Unicode programs uses it shows them (default\n"
    "                1252; 932 Japanese, 936 and 950 Chinese, 949 Korean, 1251 Cyrillic...)\n"
    "  --show N      print quote N (from 1) of one FILE as the window shows its two fields,\n"
    "                in UTF-8\n"
    "  --help        print this text\n"
    "\n"
    "Exit status: 0 when no file has errors, 1 when one has, 2 when a file cannot be read.\n"
    "docs/module-format.md lists every message.\n";

struct SOptions {
    int nShow = 0; // 0: check instead
    unsigned nCodePage = 1252;
    std::vector<std::string> files;
};

bool ParseQuoteNumber(const char* pszText, int& nQuote)
{
    const char* pszEnd = pszText + std::strlen(pszText);
    const auto [pEnd, error] = std::from_chars(pszText, pszEnd, nQuote);
    return error == std::errc() && pEnd == pszEnd && nQuote >= 1;
}

// "--name value" or "--name=value": the value, or nullptr when the argument is another.
const char* OptionValue(const std::string& strName, const std::vector<std::string>& args,
                        std::size_t& i)
{
    const std::string& strArg = args[i];
    if (strArg == strName && i + 1 < args.size())
        return args[++i].c_str();
    if (strArg.compare(0, strName.size() + 1, strName + "=") == 0)
        return strArg.c_str() + strName.size() + 1;
    return nullptr;
}

bool ParseOptions(const std::vector<std::string>& args, SOptions& options)
{
    bool bFilesOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& strArg = args[i];
        const char* pszValue = nullptr;
        if (bFilesOnly || strArg.empty() || strArg[0] != '-' || strArg == "-")
            options.files.push_back(strArg);
        else if (strArg == "--")
            bFilesOnly = true;
        else if ((pszValue = OptionValue("--show", args, i)) != nullptr) {
            if (!ParseQuoteNumber(pszValue, options.nShow))
                return false;
        } else if ((pszValue = OptionValue("--codepage", args, i)) != nullptr) {
            if (!ParseCodePageName(pszValue, options.nCodePage))
                return false;
        } else {
            return false;
        }
    }
    return options.nShow == 0 ? !options.files.empty() : options.files.size() == 1;
}

void PrintLines(const std::string& strText)
{
    std::string strOut = strText;
    for (std::size_t nAt = strOut.find("\r\n"); nAt != std::string::npos;
         nAt = strOut.find("\r\n", nAt + 1))
        strOut.erase(nAt, 1);
    std::fwrite(strOut.data(), 1, strOut.size(), stdout);
    std::fputc('\n', stdout);
}

int Show(const std::string& strPath, int nQuote, const CCodePage& codePage)
{
    const SModuleCheck check = CheckModule(strPath, codePage);
    if (!check.bReadable) {
        std::fprintf(stderr, "adgcheck: %s: cannot read the file\n", strPath.c_str());
        return EXIT_UNREADABLE;
    }
    if (check.bLoads && nQuote > std::max(check.nDeclared, 1)) {
        std::fprintf(stderr,
                     "adgcheck: %s: quote %d is never shown: the module declares %d quotes\n",
                     strPath.c_str(), nQuote, check.nDeclared);
        return EXIT_ERRORS;
    }
    const SQuotePreview preview = PreviewQuote(strPath, nQuote, codePage);
    std::fputs("[quote]\n", stdout);
    PrintLines(preview.strText);
    std::fputs("[attribution]\n", stdout);
    PrintLines(preview.strAuthor);
    return check.bLoads ? EXIT_CLEAN : EXIT_ERRORS;
}

int Check(const std::string& strPath, const CCodePage& codePage)
{
    const SModuleCheck check = CheckModule(strPath, codePage);
    if (!check.bReadable) {
        std::printf("%s: error: cannot read the file\n", strPath.c_str());
        return EXIT_UNREADABLE;
    }
    const CDiagnostics& diagnostics = check.diagnostics;
    for (const SDiagnostic& diagnostic : diagnostics.Sorted())
        std::printf("%s\n", FormatDiagnostic(strPath, diagnostic).c_str());
    if (diagnostics.Dropped() != 0)
        std::printf("%s: note: %llu more problems not listed\n", strPath.c_str(),
                    static_cast<unsigned long long>(diagnostics.Dropped()));
    std::printf("%s: %s in %s, %s, %s\n", strPath.c_str(),
                Counted(static_cast<std::uint64_t>(check.nPresent), "quote").c_str(),
                check.strEncoding.c_str(), Counted(diagnostics.Errors(), "error").c_str(),
                Counted(diagnostics.Warnings(), "warning").c_str());
    return diagnostics.Errors() == 0 ? EXIT_CLEAN : EXIT_ERRORS;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args = CommandLineArguments(argc, argv);
    const auto IsHelp = [](const std::string& strArg) {
        return strArg == "--help" || strArg == "-h";
    };
    if (std::any_of(args.begin(), args.end(), IsHelp)) {
        std::fputs(kszUsage, stdout);
        std::fputs(kszHelp, stdout);
        return EXIT_CLEAN;
    }
    SOptions options;
    if (!ParseOptions(args, options)) {
        std::fputs(kszUsage, stderr);
        std::fputs("Try adgcheck --help.\n", stderr);
        return EXIT_UNREADABLE;
    }
    const CCodePage codePage(options.nCodePage);
    if (!codePage.IsOpen()) {
        std::fprintf(stderr,
                     "adgcheck: code page %u is none this system reads modules in: one its "
                     "converter knows, of characters of one or two bytes, with ASCII as ASCII\n",
                     options.nCodePage);
        return EXIT_UNREADABLE;
    }
    if (options.nShow != 0)
        return Show(options.files[0], options.nShow, codePage);
    int nStatus = EXIT_CLEAN;
    for (const std::string& strPath : options.files)
        nStatus = std::max(nStatus, Check(strPath, codePage));
    return nStatus;
}

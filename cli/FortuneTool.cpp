#include "FortuneTool.h"

#include "CodePage.h"
#include "FortuneConversion.h"
#include "FortuneModule.h"
#include "FortuneOptions.h"
#include "LineFile.h"

#include <memory>

namespace {

const char kPrefix[] = "fortune2adg: ";

SFortuneRun Refuse(const std::string& strMessage, bool bUsage)
{
    SFortuneRun run;
    run.nExit = FORTUNE_EXIT_FAILED;
    run.strErr = kPrefix + strMessage + '\n';
    if (bUsage)
        run.strErr += FortuneUsage();
    return run;
}

// Null for 0, which stands for UTF-8.
std::unique_ptr<CCodePage> OpenCodePage(unsigned nNumber)
{
    return nNumber == 0 ? nullptr : std::make_unique<CCodePage>(nNumber);
}

} // namespace

SFortuneRun RunFortune2Adg(const std::vector<std::string>& args)
{
    SFortuneOptions options;
    std::string strError;
    if (!ParseFortuneOptions(args, options, strError))
        return Refuse(strError, true);
    SFortuneRun run;
    if (options.m_bHelp) {
        run.strOut = FortuneHelp();
        return run;
    }
    const std::unique_ptr<CCodePage> pCodePage = OpenCodePage(options.m_nCodePage);
    if (pCodePage && !pCodePage->IsOpen())
        return Refuse("code page " + std::to_string(options.m_nCodePage) +
                          " is none this system writes modules in: one its converter knows, of "
                          "characters of one or two bytes, with ASCII as ASCII",
                      false);
    std::string strTitle;
    if (!options.m_bHasTitle)
        strTitle = DefaultTitle(options.m_strPath, pCodePage.get());
    else if (!MakeTitle(options.m_strTitle, pCodePage.get(), strTitle))
        return Refuse("title \"" + options.m_strTitle + "\" refused: at most 23 bytes " +
                          (pCodePage ? "in " + pCodePage->Name() +
                                           ", no control characters, none it lacks, and not "
                                           "bytes that read as UTF-8"
                                     : std::string("of UTF-8, no control characters")),
                      false);
    CLineFile file(options.m_strPath, ELineMode::Text);
    if (!file.IsOpen())
        return Refuse("cannot read \"" + options.m_strPath + "\"", false);
    const SFortuneConversion conversion =
        ConvertFortunes(file.Reader(), options.m_nMax, pCodePage.get());
    run.strErr = FormatSummary(BaseName(options.m_strPath), conversion) + '\n';
    if (conversion.m_quotes.empty()) {
        run.nExit = FORTUNE_EXIT_NOTHING;
        return run;
    }
    run.strOut = ModuleText(strTitle, conversion.m_quotes);
    run.bModule = true;
    return run;
}

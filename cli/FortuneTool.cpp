#include "FortuneTool.h"

#include "FortuneConversion.h"
#include "FortuneModule.h"
#include "FortuneOptions.h"
#include "LineFile.h"

namespace {

const char kPrefix[] = "fortune2adg: ";

#ifdef _WIN32
constexpr EArgumentText kArgumentText = EArgumentText::Utf8OrAnsi;
#else
constexpr EArgumentText kArgumentText = EArgumentText::Utf8;
#endif

SFortuneRun Refuse(const std::string& strMessage, bool bUsage)
{
    SFortuneRun run;
    run.nExit = FORTUNE_EXIT_FAILED;
    run.strErr = kPrefix + strMessage + '\n';
    if (bUsage)
        run.strErr += FortuneUsage();
    return run;
}

bool ChooseTitle(const SFortuneOptions& options, std::string& strTitle)
{
    if (!options.m_bHasTitle) {
        strTitle = DefaultTitle(options.m_strPath, kArgumentText, options.m_eEncoding);
        return true;
    }
    return MakeTitle(options.m_strTitle, kArgumentText, options.m_eEncoding, strTitle);
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
    std::string strTitle;
    if (!ChooseTitle(options, strTitle))
        return Refuse("title \"" + options.m_strTitle + "\" refused: " +
                          (options.m_eEncoding == EModuleEncoding::Utf8
                               ? "at most 23 bytes of UTF-8, no control characters"
                               : "at most 23 characters, all printable in Windows-1252"),
                      false);
    CLineFile file(options.m_strPath, ELineMode::Text);
    if (!file.IsOpen())
        return Refuse("cannot read \"" + options.m_strPath + "\"", false);
    const SFortuneConversion conversion =
        ConvertFortunes(file.Reader(), options.m_nMax, options.m_eEncoding);
    run.strErr = FormatSummary(BaseName(options.m_strPath), conversion) + '\n';
    if (conversion.m_quotes.empty()) {
        run.nExit = FORTUNE_EXIT_NOTHING;
        return run;
    }
    run.strOut = ModuleText(strTitle, conversion.m_quotes);
    run.bModule = true;
    return run;
}

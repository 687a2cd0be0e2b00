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

int Refuse(std::ostream& err, const std::string& strMessage, bool bUsage)
{
    err << kPrefix << strMessage << '\n';
    if (bUsage)
        err << FortuneUsage();
    return FORTUNE_EXIT_FAILED;
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

int RunFortune2Adg(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    SFortuneOptions options;
    std::string strError;
    if (!ParseFortuneOptions(args, options, strError))
        return Refuse(err, strError, true);
    if (options.m_bHelp) {
        out << FortuneHelp();
        return FORTUNE_EXIT_WRITTEN;
    }
    std::string strTitle;
    if (!ChooseTitle(options, strTitle))
        return Refuse(err,
                      "title \"" + options.m_strTitle + "\" refused: " +
                          (options.m_eEncoding == EModuleEncoding::Utf8
                               ? "at most 23 bytes of UTF-8, no control characters"
                               : "at most 23 characters, all printable in Windows-1252"),
                      false);
    CLineFile file(options.m_strPath, ELineMode::Text);
    if (!file.IsOpen())
        return Refuse(err, "cannot read \"" + options.m_strPath + "\"", false);
    const SFortuneConversion conversion =
        ConvertFortunes(file.Reader(), options.m_nMax, options.m_eEncoding);
    err << FormatSummary(BaseName(options.m_strPath), conversion) << '\n';
    if (conversion.m_quotes.empty())
        return FORTUNE_EXIT_NOTHING;
    WriteModule(out, strTitle, conversion.m_quotes);
    if (!out.flush())
        return Refuse(err, "cannot write the module", false);
    return FORTUNE_EXIT_WRITTEN;
}

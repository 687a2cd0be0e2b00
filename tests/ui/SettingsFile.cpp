#include "SettingsFile.h"

std::string SavedText(const SSettings& settings)
{
    std::string strText = settings.strModule;
    for (const int nValue : {settings.nIndex, settings.nInterval, settings.nOrder, settings.nTimer,
                             settings.nPosition})
        strText += "\n" + std::to_string(nValue);
    return strText;
}

std::string SettingsText(const SSettings& settings)
{
    return SavedText(settings) + '\n';
}

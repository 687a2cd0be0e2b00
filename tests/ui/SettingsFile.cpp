#include "SettingsFile.h"

#include <sstream>

std::string SettingsText(const SSettings& settings)
{
    return SavedText(settings) + '\n';
}

std::string SavedText(const SSettings& settings)
{
    std::ostringstream text;
    text << settings.strModule << '\n'
         << settings.nIndex << '\n'
         << settings.nInterval << '\n'
         << settings.nOrder << '\n'
         << settings.nTimer << '\n'
         << settings.nPosition;
    return text.str();
}

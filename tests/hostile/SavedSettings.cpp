#include "SavedSettings.h"

#include <algorithm>
#include <climits>
#include <sstream>
#include <vector>

namespace {

const std::size_t kLineCount = 6;
// The longest module path that loads again.
const std::size_t kLongestModulePath = 253;

std::vector<std::string> SplitAtLineFeeds(const std::string& strText)
{
    std::vector<std::string> lines;
    std::size_t nStart = 0;
    for (;;) {
        const std::size_t nEnd = strText.find('\n', nStart);
        lines.push_back(strText.substr(nStart, nEnd - nStart));
        if (nEnd == std::string::npos) {
            return lines;
        }
        nStart = nEnd + 1;
    }
}

bool IsSaneModulePath(const std::string& strPath)
{
    return !strPath.empty() && strPath.size() <= kLongestModulePath &&
           std::none_of(strPath.begin(), strPath.end(),
                        [](char ch) { return static_cast<unsigned char>(ch) < 0x20; });
}

// Only the integer's own rendering: no blank, no plus, no leading zero, within 32 bits.
std::optional<int> ParseInteger(const std::string& strLine)
{
    std::istringstream stream(strLine);
    long long nValue = 0;
    if (!(stream >> nValue) || nValue < INT_MIN || nValue > INT_MAX) {
        return std::nullopt;
    }
    if (std::to_string(nValue) != strLine) {
        return std::nullopt;
    }
    return static_cast<int>(nValue);
}

} // namespace

bool operator==(const SSettings& left, const SSettings& right)
{
    return left.strModule == right.strModule && left.nIndex == right.nIndex &&
           left.nInterval == right.nInterval && left.nOrder == right.nOrder &&
           left.nTimer == right.nTimer && left.nPosition == right.nPosition;
}

void PrintTo(const SSettings& settings, std::ostream* pStream)
{
    *pStream << "{" << settings.strModule << ", index " << settings.nIndex << ", interval "
             << settings.nInterval << ", order " << settings.nOrder << ", timer " << settings.nTimer
             << ", position " << settings.nPosition << "}";
}

SSettings DefaultSettings(int nIndex)
{
    SSettings settings;
    settings.strModule = "miscellaneous.adg";
    settings.nIndex = nIndex;
    settings.nTimer = 1;
    return settings;
}

std::string SettingsText(const SSettings& settings)
{
    std::ostringstream text;
    text << settings.strModule << '\n'
         << settings.nIndex << '\n'
         << settings.nInterval << '\n'
         << settings.nOrder << '\n'
         << settings.nTimer << '\n'
         << settings.nPosition << '\n';
    return text.str();
}

std::optional<SSettings> ParseSavedSettings(const std::string& strText)
{
    const std::vector<std::string> lines = SplitAtLineFeeds(strText);
    if (lines.size() != kLineCount || !IsSaneModulePath(lines[0])) {
        return std::nullopt;
    }
    std::optional<int> values[kLineCount - 1];
    for (std::size_t i = 1; i < kLineCount; ++i) {
        values[i - 1] = ParseInteger(lines[i]);
        if (!values[i - 1]) {
            return std::nullopt;
        }
    }
    SSettings settings;
    settings.strModule = lines[0];
    settings.nIndex = *values[0];
    settings.nInterval = *values[1];
    settings.nOrder = *values[2];
    settings.nTimer = *values[3];
    settings.nPosition = *values[4];
    return settings;
}

// The six values of index.txt: written by a test before a run, read back after it.
#pragma once

#include <optional>
#include <ostream>
#include <string>

struct SSettings {
    std::string strModule;
    int nIndex = 0;
    int nInterval = 10;
    int nOrder = 2;
    // Off unless a row wants it, so nothing closes the window under the test.
    int nTimer = 0;
    int nPosition = 0;
};

bool operator==(const SSettings& left, const SSettings& right);
void PrintTo(const SSettings& settings, std::ostream* pStream);

// What the program writes when it closes on the defaults after showing quote nIndex.
SSettings DefaultSettings(int nIndex);

// The file as a person would write it, with an LF after the last line.
std::string SettingsText(const SSettings& settings);

// The values of a file the program wrote: exactly six lines with no LF after the last,
// a module path without control characters, and five integers written the one way the
// program writes them. Nothing when the file is anything else.
std::optional<SSettings> ParseSavedSettings(const std::string& strText);

// index.txt as a test prepares it and as the program is expected to leave it.
#pragma once

#include <string>

struct SSettings {
    std::string strModule = "miscellaneous.adg";
    int nIndex = 0;
    int nInterval = 10;
    int nOrder = 2;
    // Off unless a test wants it, so nothing closes the window under the test.
    int nTimer = 0;
    int nPosition = 0;
};

// What the program writes for these values.
std::string SavedText(const SSettings& settings);

// The same with an LF at the end, which the program never writes: a file the program saved
// differs from the one the test prepared even when the values are the same.
std::string SettingsText(const SSettings& settings);

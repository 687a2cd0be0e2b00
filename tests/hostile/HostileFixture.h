// A fresh program folder per test, the program run there, and what the tests ask of it
// while it runs and after it has ended.
#pragma once

#include "ModuleText.h"
#include "ProgramFolder.h"
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <string>
#include <windows.h>

extern const char kCaptionPrefix[];
extern const char kDefaultCaption[];
extern const char kDefaultModule[];
extern const char kSettings[];

// The six values of index.txt.
struct SSettings {
    std::string strModule;
    int nIndex = 0;
    int nInterval = 10;
    int nOrder = 2;
    // Off unless a row wants it, so nothing closes the window under the test.
    int nTimer = 0;
    int nPosition = 0;
};

// What the program writes when it closes on the defaults after showing quote nIndex.
SSettings DefaultSettings(int nIndex);
// One value a line. A person ends the last line with an LF; the program does not.
std::string SettingsText(const SSettings& settings, bool bFinalLineFeed = true);

// The window takes a message and gives an answer within the deadline.
bool IsAnswering(HWND hwnd);

class CHostileFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The Windows path of a name in the program folder.
    std::string PathOf(const std::string& strName) const;
    // The file's bytes as they are now; empty when it cannot be read.
    std::string BytesOf(const std::string& strName) const;

    // The quote window once its first display is done; null (and a failure) otherwise.
    HWND StartProgram();
    // Close pressed: the program must end.
    void CloseProgram(HWND hwnd);
    SDisplay Shown(HWND hwnd) const;

    CProgramFolder m_folder;
    CProgramRun m_run;
};

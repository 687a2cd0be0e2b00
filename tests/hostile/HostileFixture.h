// A fresh program folder per test, the program run there, and what the tests ask of it
// while it runs and after it has ended.
#pragma once

#include "ModuleDisplay.h"
#include "ProgramFolder.h"
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <string>
#include <windows.h>

extern const char kCaptionPrefix[];
extern const char kDefaultCaption[];
extern const char kDefaultModule[];

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

// The window takes a message and gives an answer within the deadline.
bool IsAnswering(HWND hwnd);

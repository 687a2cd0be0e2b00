// The fixture under the scenarios that go through the options dialog: a fresh program
// folder per test, the program started there and ended by its Close button.
#pragma once

#include "ProgramFolder.h"
#include "ProgramRun.h"
#include "SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <windows.h>

// The current test's name, fit for a folder name.
std::string FolderNameOfCurrentTest();

class CProgramTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Prepare(const SSettings& settings) const;

    // The quote window once its first display is done; null (and a failure) otherwise.
    HWND StartProgram();
    HWND StartProgramIn(const std::string& strWorkDir);

    // Presses Options; the dialog once it is open, null (and a failure) otherwise.
    HWND OpenOptions(HWND hQuote) const;
    // Presses the button and waits until the dialog has gone and the quote window has
    // finished what it does after it (placing, redrawing).
    bool EndOptions(HWND hQuote, HWND hOptions, int nButton) const;
    // The message box that the options dialog shows; null (and a failure) otherwise.
    HWND WaitForMessageBox(HWND hOptions) const;
    // Answers the box and waits until the dialog is back in its own message loop.
    bool AnswerMessageBox(HWND hOptions, HWND hBox) const;

    void CloseProgram(HWND hQuote);

    std::string Saved() const;

    CProgramFolder m_folder;
    CProgramRun m_run;
};

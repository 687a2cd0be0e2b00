// The fixture under every end-to-end scenario: a program folder of its own per test, with
// the executable and the module we ship, the program started there and ended by Close.
#pragma once

#include "Driver.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <utility>

inline const std::string kCaptionPrefix = "Adagiomill v1.2.0 -- ";
// The Open dialog's file name field, a combo box (cmb13) that hands its text to its edit.
const int kFileNameCombo = 0x47C;

struct SSettings {
    std::string strModule = "miscellaneous.adg";
    int nIndex = 0;
    int nInterval = 10;
    int nOrder = 2;
    // Off unless a test wants it, so nothing closes the window under the test.
    int nTimer = 0;
    int nPosition = 0;
};

// What the program writes for these values. Prepared files end in an LF, which it never
// writes, so a file it saved differs from one prepared with the same values.
std::string SavedText(const SSettings& settings);

using SDisplay = std::pair<std::string, std::string>; // quote text and attribution
inline const SDisplay kInvalidModule = {
    "Invalid quote module selected. Please click on Options and load a valid module.", ""};
SDisplay Shown(HWND hQuote);

// Quote i, counting from 0, of the modules the tests make: "<title> saying <i + 1>." by
// "Author <i + 1>"; CR LF line ends, as an editor on Windows saves them.
SDisplay Quote(const std::string& strTitle, int nIndex);
std::string ModuleText(const std::string& strTitle, int nDeclared, int nPresent);
// The index of the quote shown from the module of that title, -1 for anything else.
int ShownIndex(HWND hQuote, const std::string& strTitle);

// Display scaling for the programs started while it lives, then 96, the scale of every other
// scenario. Wine reads LogPixels when a process starts, so the test itself stays at 96 dpi.
struct SScaledDisplay {
    explicit SScaledDisplay(DWORD nDpi) { Set(nDpi); }
    ~SScaledDisplay() { Set(96); }
    static void Set(DWORD nDpi)
    {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                          &nDpi, sizeof nDpi);
    }
};

class CProgramTest : public testing::Test {
protected:
    void SetUp() override;

    // Names are taken within the program folder; a full path stands as it is. All in UTF-8.
    std::string PathOf(const std::string& strName) const;
    bool Write(const std::string& strName, const std::string& strBytes) const;
    std::optional<std::string> Read(const std::string& strName) const;
    // index.txt and the module it names.
    void Prepare(const SSettings& settings, const std::string& strModuleText) const;
    std::string Saved() const;

    // The quote window once it shows a quote, null (and a failure) otherwise; the program
    // works in its folder unless told otherwise, as a shortcut elsewhere does.
    HWND StartProgram(std::string strWorkDir = "");
    void CloseProgram(HWND hQuote);

    // Presses Options; the dialog once it is open, null (and a failure) otherwise.
    HWND OpenOptions(HWND hQuote) const;
    // Presses the button; true once the dialog has gone and the quote window is redrawn.
    bool EndOptions(HWND hQuote, HWND hOptions, int nButton) const;
    // Presses Load and types a full path into the Open dialog with Enter: a folder opens there,
    // the dialog staying (returned), a file is chosen.
    static HWND OpenDialogIn(HWND hOptions, const std::string& strPath);
    static void ChooseModule(HWND hOptions, const std::string& strPath,
                             const std::string& strTitle);

    std::string m_strFolder;
    CProgramRun m_run;
};

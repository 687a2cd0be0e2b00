// The quote window's state: what it shows, where it reads it from, and its settings.
#pragma once

#include "LegacyCodePage.h"
#include "SystemFile.h"

#include <climits>
#include <cstdint>
#include <string>

enum { ORDER_RANDOM = 1, ORDER_SEQUENTIAL = 2 };
enum { POS_CENTER = 0, POS_TOP_LEFT = 1, POS_TOP_RIGHT = 2 };

class IQuoteView;

// Seconds since 1970; seeds random order.
using SecondsClock = std::int64_t (*)();
std::int64_t SystemSeconds();

struct CQuoteState {
    // The working directory at start-up and a separator, in stored text; empty when it could
    // not be read.
    std::string m_strWorkDir;
    std::string m_strModulePath;
    std::string m_strCaptionPrefix;
    std::string m_strQuoteText;

    bool m_bFirstShow = false;
    bool m_bHoldQuote = true;
    bool m_bStartWithWindows = false;
    int m_bTimerEnabled = 0;
    int m_nQuoteCount = 0;
    int m_nCurrentQuote = -1;
    int m_nInterval = 10;
    int m_nOrder = ORDER_SEQUENTIAL;
    int m_nPosition = POS_CENTER;

    char m_szAuthor[50] = "";
    char m_szQuote[200] = "";
    char m_szCount[5] = "";
    char m_szTitle[25] = "";

    char m_szIndexText[5] = "";
    char m_szModuleText[255] = "";
    char m_szIntervalText[4] = "";
    char m_szOrderText[3] = "";
    char m_szTimerText[3] = "";
    char m_szPositionText[3] = "";

    SecondsClock m_pfnClock = &SystemSeconds;
    // What a field that is not UTF-8 is read in.
    CLegacyCodePage m_codePage;
    // Shown for a module whose header does not load, as UTF-8 bytes: the window puts its own
    // language's here; the authors' tools keep this English one.
    std::string m_strInvalidModule =
        "Invalid quote module selected. Please click on Options and load a valid module.";

    // A stored name in the working directory recorded at start-up: the Open dialog moves the
    // current directory to whatever folder it shows.
    SFileName FileInWorkDir(const std::string& strName) const
    {
        return {m_strWorkDir, strName, m_codePage};
    }

    // One display of the active module, without the window's paint cycle.
    void ShowQuoteText(IQuoteView& view);
    // The index logic of the Next and Previous buttons around one display.
    template <typename Show> void StepNext(Show show);
    template <typename Show> void StepPrevious(Show show);

    void LoadSettings(IQuoteView& view);
    // Whether the settings reached the disk.
    bool SaveSettings() const;
    void SetDefaults(IQuoteView& view);
};

template <typename Show> void CQuoteState::StepNext(Show show)
{
    m_bHoldQuote = false;
    show();
    m_bHoldQuote = true;
}

// In random order Previous picks like Next; in sequence it goes one back, since the
// display's own advance adds one again.
template <typename Show> void CQuoteState::StepPrevious(Show show)
{
    m_bHoldQuote = false;
    if (m_nOrder == ORDER_RANDOM) {
        StepNext(show);
        return;
    }
    // Held at the lowest int: from far below the first quote, one back is still the last.
    m_nCurrentQuote = m_nCurrentQuote < INT_MIN + 2 ? INT_MIN : m_nCurrentQuote - 2;
    show();
    m_bHoldQuote = true;
}

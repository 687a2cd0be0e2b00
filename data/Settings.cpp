#include "AtomicSave.h"
#include "DecimalText.h"
#include "FieldEncoding.h"
#include "LineFile.h"
#include "QuoteState.h"
#include "QuoteView.h"
#include "Version.h"

#include <cstring>
#include <string>

namespace {

const char kszSettingsFile[] = "index.txt";

bool StartsWithDigit(const char* pszText)
{
    return pszText[0] >= '0' && pszText[0] <= '9';
}

// What the program writes when no quote could be shown; it must load again.
bool IsValidIndex(const char* pszText)
{
    return StartsWithDigit(pszText) || std::strcmp(pszText, "-1") == 0;
}

bool ReadSettingsLines(CQuoteState& state)
{
    CLineFile settings(state.FileInWorkDir(kszSettingsFile), ELineMode::Binary);
    if (!settings.IsOpen())
        return false;
    CLineReader& reader = settings.Reader();
    reader.ReadBoundedLine(state.m_szModuleText);
    reader.ReadBoundedLine(state.m_szIndexText);
    reader.ReadBoundedLine(state.m_szIntervalText);
    reader.ReadBoundedLine(state.m_szOrderText);
    reader.ReadBoundedLine(state.m_szTimerText);
    reader.ReadBoundedLine(state.m_szPositionText);
    return true;
}

bool AreSettingsLinesValid(const CQuoteState& state)
{
    return IsValidIndex(state.m_szIndexText) && StartsWithDigit(state.m_szIntervalText) &&
           StartsWithDigit(state.m_szOrderText);
}

void AssignSettings(CQuoteState& state)
{
    state.m_nCurrentQuote = DecimalTextToInt(state.m_szIndexText);
    state.m_nInterval = DecimalTextToInt(state.m_szIntervalText);
    state.m_nOrder = DecimalTextToInt(state.m_szOrderText);
    state.m_strModulePath = state.m_szModuleText;
    state.m_bTimerEnabled = DecimalTextToInt(state.m_szTimerText);
    state.m_nPosition = DecimalTextToInt(state.m_szPositionText);
}

bool LoadModuleTitle(CQuoteState& state)
{
    CLineFile module(state.FileInWorkDir(state.m_szModuleText), ELineMode::Text);
    if (!module.IsOpen())
        return false;
    module.Reader().ReadBoundedLine(state.m_szTitle);
    return true;
}

std::string FormatSettings(const CQuoteState& state)
{
    return state.m_strModulePath + '\n' + std::to_string(state.m_nCurrentQuote) + '\n' +
           std::to_string(state.m_nInterval) + '\n' + std::to_string(state.m_nOrder) + '\n' +
           std::to_string(state.m_bTimerEnabled) + '\n' + std::to_string(state.m_nPosition);
}

} // namespace

void CQuoteState::LoadSettings(IQuoteView& view)
{
    if (!ReadSettingsLines(*this) || !AreSettingsLinesValid(*this)) {
        SetDefaults(view);
        return;
    }
    AssignSettings(*this);
    if (!LoadModuleTitle(*this)) {
        SetDefaults(view);
        return;
    }
    m_strCaptionPrefix = ADAGIO_CAPTION_PREFIX;
    const SShownText title = ShownTitle(m_szTitle, sizeof m_szTitle, m_codePage);
    view.SetCaption({m_strCaptionPrefix + title.strBytes, title.nCodePage});
}

bool CQuoteState::SaveSettings() const
{
    return SaveFileAtomically(FileInWorkDir(kszSettingsFile), FormatSettings(*this));
}

void CQuoteState::SetDefaults(IQuoteView& view)
{
    m_nCurrentQuote = -1;
    m_nInterval = 10;
    m_nOrder = ORDER_SEQUENTIAL;
    m_strModulePath = "miscellaneous.adg";
    m_bTimerEnabled = 1;
    m_nPosition = POS_CENTER;
    view.SetCaption({ADAGIO_CAPTION_PREFIX "Miscellaneous", m_codePage.Number()});
}

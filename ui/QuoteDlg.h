// The quote window: one modal dialog for the whole run of the program.
#pragma once

#include "Afx.h"
#include "QuoteState.h"
#include "QuoteView.h"

#include <string>

class CQuoteDlg : public CDialog, public CQuoteState, private IQuoteView {
public:
    explicit CQuoteDlg(CWnd* pParent = nullptr);
    ~CQuoteDlg() override;

protected:
    const CMessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

private:
    void SetQuoteFields(const SShownText& text, const SShownText& author) override;
    void SetCaption(const SShownText& caption) override;

    void ShowQuote();
    void LoadSettings();
    // Whether the settings reached the disk; once per run, a second call answers as the first.
    bool SaveSettings();
    void ReportSaveFailure();
    void StartTimer();
    void PlaceWindow();
    void RedrawAll();
    void SetUpPaths();
    void ProbeStartupShortcut();
    void CreateStartupShortcut();
    void DeleteStartupShortcut();

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnOptions();
    void OnNext();
    void OnPrevious();
    void OnTimer(UINT_PTR nIDEvent);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnSetFocus(HWND hOldWnd);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    int OnCreate(CREATESTRUCTW* lpCreateStruct);
    void OnNcPaint();
    void OnActivate(UINT nState, HWND hWndOther, BOOL bMinimized);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding, UINT nLogOffFlags);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnClose();

    HICON m_hIcon;
    HICON m_hSmallIcon;
    CFont m_font;
    UINT m_nTimerId;
    std::wstring m_strShortcutPath;
    std::wstring m_strStartupDir;
    std::wstring m_strExePath;
    // The current directory at start-up, as Windows names it.
    std::wstring m_strCurDir;
    bool m_bSettingsSaved = false;
    bool m_bSysClose = false;
    bool m_bQuietClose = false;
    bool m_bSettingsOnDisk = false;
    CEdit m_editQuote;
    CEdit m_editAuthor;
};

// The options dialog: works on copies that the quote window reads back after OK.
#pragma once

#include "Afx.h"
#include "FieldEncoding.h"

#include <string>

class COptionsDlg : public CDialog {
public:
    explicit COptionsDlg(CWnd* pParent = nullptr);

    bool m_bStartWithWindows = false;
    int m_bTimerEnabled = 0;
    SShownText m_strModuleTitle = {std::string(), kCodePageUtf8};
    // The quote window's working directory in stored text, where a module is kept by its bare
    // name.
    std::string m_strWorkDir;
    // What the module title is read in when it is not UTF-8.
    CLegacyCodePage m_codePage;
    bool m_bModuleChanged = false;
    char m_szTitle[25] = "";
    char m_szModulePath[255] = "";
    std::wstring m_strFileName;
    int m_nOrder = 0;
    CEdit m_editInterval;
    CSpinButtonCtrl m_spinInterval;
    CEdit m_editCurrentModule;
    int m_nInterval;
    int m_nPosition;

protected:
    const CMessageMap* GetMessageMap() const override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void EnableIntervalControls(BOOL bEnable);
    bool IsWorkingDirectory(const std::wstring& strFolder) const;

    void OnRandom();
    void OnSequential();
    void OnLoadModule();
    void OnEnableTimer();
    void OnStartWithWindows();
};

#include "OptionsDlg.h"

#include "FieldEncoding.h"
#include "ModuleText.h"
#include "ModuleTitle.h"
#include "QuoteState.h"
#include "StartupShortcut.h"
#include "resource.h"
#include "win32/StoredText.h"

#include <cstring>

namespace {
const UINT kPositions[] = {IDS_POSITION_CENTER, IDS_POSITION_TOP_LEFT, IDS_POSITION_TOP_RIGHT};

std::wstring FolderOf(const std::wstring& strPath)
{
    const std::wstring::size_type nSlash = strPath.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash);
}

// The Open dialog's own name buffer cuts a long name short; the full path keeps it whole.
std::wstring NameOf(const std::wstring& strPath)
{
    const std::wstring::size_type nSlash = strPath.find_last_of(L"\\/");
    return nSlash == std::wstring::npos ? strPath : strPath.substr(nSlash + 1);
}
} // namespace

COptionsDlg::COptionsDlg(CWnd* pParent) : CDialog(IDD_OPTIONS, pParent)
{
    m_nInterval = 5;
    m_nPosition = -1;
}

const CMessageMap* COptionsDlg::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        MapCommand<&COptionsDlg::OnRandom>(IDC_RANDOM),
        MapCommand<&COptionsDlg::OnSequential>(IDC_SEQUENTIAL),
        MapCommand<&COptionsDlg::OnLoadModule>(IDC_LOAD_MODULE),
        MapCommand<&COptionsDlg::OnEnableTimer>(IDC_ENABLE_TIMER),
        MapCommand<&COptionsDlg::OnStartWithWindows>(IDC_START_WITH_WINDOWS),
    };
    static const CMessageMap map(entries, CDialog::GetMessageMap());
    return &map;
}

void COptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_INTERVAL, m_editInterval);
    DDX_Control(pDX, IDC_INTERVAL_SPIN, m_spinInterval);
    DDX_Control(pDX, IDC_CURRENT_MODULE, m_editCurrentModule);
    DDX_Text(pDX, IDC_INTERVAL, m_nInterval);
    DDV_MinMaxInt(pDX, m_nInterval, 5, 30);
    DDX_LBIndex(pDX, IDC_POSITION, m_nPosition);
}

BOOL COptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bModuleChanged = false;
    CheckDlgButton(IDC_ENABLE_TIMER, m_bTimerEnabled ? BST_CHECKED : BST_UNCHECKED);
    if (!m_bTimerEnabled) {
        EnableIntervalControls(FALSE);
    }
    CheckDlgButton(IDC_START_WITH_WINDOWS, m_bStartWithWindows ? BST_CHECKED : BST_UNCHECKED);
    SetModuleText(m_editCurrentModule, m_strModuleTitle);
    CheckDlgButton(m_nOrder == ORDER_SEQUENTIAL ? IDC_SEQUENTIAL : IDC_RANDOM, BST_CHECKED);
    m_spinInterval.SetRange(5, 30);
    for (const UINT nPosition : kPositions) {
        ::SendDlgItemMessageW(m_hWnd, IDC_POSITION, LB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(AfxLoadString(nPosition).c_str()));
    }
    ::SendDlgItemMessageA(m_hWnd, IDC_POSITION, LB_SETCURSEL, static_cast<WPARAM>(m_nPosition), 0);
    return TRUE;
}

void COptionsDlg::EnableIntervalControls(BOOL bEnable)
{
    m_editInterval.EnableWindow(bEnable);
    m_spinInterval.EnableWindow(bEnable);
}

void COptionsDlg::OnRandom()
{
    m_nOrder = ORDER_RANDOM;
}

void COptionsDlg::OnSequential()
{
    m_nOrder = ORDER_SEQUENTIAL;
}

void COptionsDlg::OnEnableTimer()
{
    m_bTimerEnabled = IsDlgButtonChecked(IDC_ENABLE_TIMER) == BST_CHECKED ? 1 : 0;
    EnableIntervalControls(m_bTimerEnabled);
}

void COptionsDlg::OnStartWithWindows()
{
    m_bStartWithWindows = !m_bStartWithWindows;
}

// Without a recorded working directory the quote window looks in the current one. Compared
// as the file system compares names.
bool COptionsDlg::IsWorkingDirectory(const std::wstring& strFolder) const
{
    std::wstring strWorkDir =
        m_strWorkDir.empty() ? ReadCurrentDirectory() : WideFromStored(m_strWorkDir, m_codePage);
    while (!strWorkDir.empty() && strWorkDir.back() == L'\\') {
        strWorkDir.pop_back();
    }
    return !strWorkDir.empty() && ::CompareStringOrdinal(strWorkDir.c_str(), -1, strFolder.c_str(),
                                                         -1, TRUE) == CSTR_EQUAL;
}

// A module beside the settings file is handed back by its bare name, as the settings file
// has always stored it; one from another folder keeps its full path so it can be found. The
// name is stored text: what the legacy code page can hold stays in it, anything else is UTF-8.
// A name that no stored text can hold (a lone surrogate), or one too long to load again,
// changes nothing, as a cancelled Open dialog.
void COptionsDlg::OnLoadModule()
{
    const std::wstring strFilter = AfxLoadString(IDS_MODULE_FILTER) + L"|*.adg||";
    CFileDialog dlgFile(TRUE, L"adg", L"miscellaneous.adg", OFN_NOCHANGEDIR, strFilter.c_str());
    if (dlgFile.DoModal() != IDOK) {
        return;
    }
    const std::wstring strPath = dlgFile.GetPathName();
    const bool bHere = IsWorkingDirectory(FolderOf(strPath));
    std::string strModule;
    if (!StoredFromWide(bHere ? NameOf(strPath) : strPath, m_codePage, strModule) ||
        strModule.size() >= sizeof m_szModulePath) {
        return;
    }
    m_strFileName = NameOf(strPath);
    std::memset(m_szModulePath, 0, sizeof m_szModulePath);
    std::memcpy(m_szModulePath, strModule.data(), strModule.size());
    // Read where the quote window will look for it.
    ReadModuleTitle({m_strWorkDir, strModule, m_codePage}, m_szTitle, sizeof m_szTitle);
    m_strModuleTitle = ShownTitle(m_szTitle, sizeof m_szTitle, m_codePage);
    SetModuleText(m_editCurrentModule, m_strModuleTitle);
    m_bModuleChanged = true;
}

#include "QuoteDlg.h"

#include "OptionsDlg.h"
#include "StartupShortcut.h"
#include "Version.h"
#include "resource.h"

namespace {
const UINT kCloseTimerId = 1;
const char kExeName[] = "Adagiomill.exe";
const char kShortcutName[] = "\\Adagiomill.lnk";
} // namespace

CQuoteDlg::CQuoteDlg(CWnd* pParent)
    : CDialog(IDD_QUOTE, pParent), m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)),
      m_nTimerId(kCloseTimerId)
{
    m_bHoldQuote = true;
}

const CMessageMap* CQuoteDlg::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        MapMessage<&CQuoteDlg::OnPaint>(WM_PAINT),
        MapMessage<&CQuoteDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        MapCommand<&CQuoteDlg::OnOptions>(IDC_OPTIONS),
        MapCommand<&CQuoteDlg::OnNext>(IDC_NEXT),
        MapCommand<&CQuoteDlg::OnPrevious>(IDC_PREVIOUS),
        MapMessage<&CQuoteDlg::OnTimer>(WM_TIMER),
        MapMessage<&CQuoteDlg::OnWindowPosChanged>(WM_WINDOWPOSCHANGED),
        MapMessage<&CQuoteDlg::OnActivateApp>(WM_ACTIVATEAPP),
        MapMessage<&CQuoteDlg::OnSetFocus>(WM_SETFOCUS),
        MapMessage<&CQuoteDlg::OnShowWindow>(WM_SHOWWINDOW),
        MapMessage<&CQuoteDlg::OnCreate>(WM_CREATE),
        MapMessage<&CQuoteDlg::OnNcPaint>(WM_NCPAINT),
        MapMessage<&CQuoteDlg::OnActivate>(WM_ACTIVATE),
    };
    static const CMessageMap map(entries, CDialog::GetMessageMap());
    return &map;
}

void CQuoteDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_QUOTE_TEXT, m_editQuote);
    DDX_Control(pDX, IDC_QUOTE_AUTHOR, m_editAuthor);
}

BOOL CQuoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bHoldQuote = true;
    m_bFirstShow = true;
    m_nInterval = 10;
    SetUpPaths();
    LoadSettings();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    // The fields lie on the frame static; they must paint above it.
    m_editQuote.BringWindowToTop();
    m_editAuthor.BringWindowToTop();
    PlaceWindow();
    m_font.CreatePointFont(90, "Arial");
    m_editQuote.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    m_editAuthor.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    ProbeStartupShortcut();
    if (m_bTimerEnabled) {
        StartTimer();
    }
    return TRUE;
}

void CQuoteDlg::OnCancel()
{
    CDialog::OnCancel();
    SaveSettings();
}

void CQuoteDlg::SetQuoteFields(const char* pszText, const char* pszAuthor)
{
    m_editQuote.SetWindowText(pszText);
    m_editAuthor.SetWindowText(pszAuthor);
}

void CQuoteDlg::SetCaption(const char* pszCaption)
{
    SetWindowText(pszCaption);
}

// The fields paint themselves: only WM_PAINT needs a paint cycle around a display, to
// validate the window.
void CQuoteDlg::ShowQuote()
{
    ShowQuoteText(*this);
}

void CQuoteDlg::LoadSettings()
{
    CQuoteState::LoadSettings(*this);
}

void CQuoteDlg::SaveSettings() const
{
    CQuoteState::SaveSettings();
}

void CQuoteDlg::StartTimer()
{
    ::SetTimer(m_hWnd, m_nTimerId, static_cast<UINT>(m_nInterval) * 1000u, nullptr);
}

void CQuoteDlg::PlaceWindow()
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    int x = cx / 2 - 204;
    int y = cy / 2 - 86;
    if (m_nPosition == POS_TOP_LEFT) {
        x = cx / 4 - 204;
        y = cy / 4 - 130;
    } else if (m_nPosition == POS_TOP_RIGHT) {
        x = (cx / 4) * 3 - 204;
        y = cy / 4 - 130;
    }
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

void CQuoteDlg::RedrawAll()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// A working directory that does not fit leaves every path empty, so no shortcut is
// ever made from a truncated one.
void CQuoteDlg::SetUpPaths()
{
    if (!ReadCurrentDirectory(m_szCurDir, sizeof m_szCurDir)) {
        return;
    }
    m_strWorkDir = std::string(m_szCurDir) + "\\";
    m_strExePath = m_strWorkDir + kExeName;
}

void CQuoteDlg::ProbeStartupShortcut()
{
    m_bStartWithWindows = false;
    if (!ReadStartupFolder(m_strStartupDir)) {
        return;
    }
    const std::string strPath = m_strStartupDir + kShortcutName;
    if (!ShortcutPathFits(strPath)) {
        return;
    }
    m_strShortcutPath = strPath;
    m_bStartWithWindows = FileOpensForReading(m_strShortcutPath);
}

void CQuoteDlg::CreateStartupShortcut()
{
    if (m_strShortcutPath.empty() || m_strExePath.empty()) {
        return;
    }
    SaveShellLink(m_strShortcutPath, m_strExePath, m_strWorkDir);
}

void CQuoteDlg::DeleteStartupShortcut()
{
    if (!m_strShortcutPath.empty()) {
        ::DeleteFileA(m_strShortcutPath.c_str());
    }
}

void CQuoteDlg::OnPaint()
{
    CPaintDC dc(this);
    ShowQuote();
    m_bHoldQuote = true;
}

HCURSOR CQuoteDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

void CQuoteDlg::OnOptions()
{
    COptionsDlg dlg;
    ::KillTimer(m_hWnd, m_nTimerId);
    m_bHoldQuote = true;
    dlg.m_nInterval = m_nInterval;
    dlg.m_nOrder = m_nOrder;
    dlg.m_nPosition = m_nPosition;
    dlg.m_bTimerEnabled = m_bTimerEnabled;
    dlg.m_bStartWithWindows = m_bStartWithWindows;
    dlg.m_strModuleTitle = m_szTitle;
    if (dlg.DoModal() == IDOK) {
        m_nInterval = dlg.m_nInterval;
        m_nOrder = dlg.m_nOrder;
        m_nPosition = dlg.m_nPosition;
        m_bTimerEnabled = dlg.m_bTimerEnabled;
        m_bStartWithWindows = dlg.m_bStartWithWindows;
        if (dlg.m_bModuleChanged) {
            m_strModulePath = dlg.m_szModulePath;
            m_strCaptionPrefix = ADAGIO_CAPTION_PREFIX;
            SetWindowText((m_strCaptionPrefix + dlg.m_szTitle).c_str());
            m_nCurrentQuote = 0;
        }
        if (m_bStartWithWindows) {
            CreateStartupShortcut();
        } else {
            DeleteStartupShortcut();
        }
    }
    PlaceWindow();
    RedrawAll();
    if (m_bTimerEnabled) {
        StartTimer();
    }
}

void CQuoteDlg::OnNext()
{
    if (m_bTimerEnabled) {
        StartTimer();
    }
    StepNext([this] { ShowQuote(); });
}

void CQuoteDlg::OnPrevious()
{
    if (m_bTimerEnabled) {
        StartTimer();
    }
    StepPrevious([this] { ShowQuote(); });
}

void CQuoteDlg::OnTimer(UINT_PTR /*nIDEvent*/)
{
    Default();
    SaveSettings();
    ::PostQuitMessage(0);
}

void CQuoteDlg::OnWindowPosChanged(WINDOWPOS* /*lpwndpos*/)
{
    Default();
    RedrawAll();
}

void CQuoteDlg::OnActivateApp(BOOL /*bActive*/, DWORD /*dwThreadID*/)
{
    Default();
    RedrawAll();
}

void CQuoteDlg::OnSetFocus(HWND /*hOldWnd*/)
{
    Default();
}

void CQuoteDlg::OnShowWindow(BOOL /*bShow*/, UINT /*nStatus*/)
{
    Default();
}

int CQuoteDlg::OnCreate(CREATESTRUCTA* /*lpCreateStruct*/)
{
    return static_cast<int>(Default());
}

void CQuoteDlg::OnNcPaint()
{
    Default();
}

void CQuoteDlg::OnActivate(UINT /*nState*/, HWND /*hWndOther*/, BOOL /*bMinimized*/)
{
    Default();
}

#include "QuoteDlg.h"

#include "FieldEncoding.h"
#include "ModuleText.h"
#include "OptionsDlg.h"
#include "StartupApproval.h"
#include "StartupShortcut.h"
#include "SystemCodePage.h"
#include "Version.h"
#include "WindowPlacement.h"
#include "resource.h"
#include "win32/StoredText.h"

#include <cstring>

namespace {
const UINT kCloseTimerId = 1;
const wchar_t kExeName[] = L"Adagiomill.exe";
const wchar_t kLinkName[] = L"Adagiomill.lnk";

// The window's dpi: with system awareness it is the screen's for every window.
int ScreenDpi()
{
    const HDC hScreen = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    return nDpi;
}

SPixelRect WorkAreaAround(const SPixelRect& rect)
{
    const RECT rc = {rect.nLeft, rect.nTop, rect.nRight, rect.nBottom};
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &info)) {
        return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    }
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

// The data core takes its texts as UTF-8 bytes.
std::string Utf8Of(const std::wstring& strText)
{
    const int nBytes =
        ::WideCharToMultiByte(CP_UTF8, 0, strText.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<std::size_t>(nBytes > 0 ? nBytes : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, strText.c_str(), -1, &strUtf8[0], nBytes, nullptr, nullptr);
    strUtf8.resize(std::strlen(strUtf8.c_str()));
    return strUtf8;
}

// The folder the setup installs into, which the user owns.
std::wstring SuggestedFolder()
{
    const wchar_t szFolder[] = L"%LOCALAPPDATA%\\Programs\\Adagiomill";
    std::wstring strExpanded(::ExpandEnvironmentStringsW(szFolder, nullptr, 0), L'\0');
    const DWORD nLength = ::ExpandEnvironmentStringsW(szFolder, &strExpanded[0],
                                                      static_cast<DWORD>(strExpanded.size()));
    strExpanded.resize(nLength > 0 && nLength <= strExpanded.size() ? nLength - 1 : 0);
    return strExpanded.empty() ? szFolder : strExpanded;
}

// Drawn for the size the system asks for, not stretched from another one.
HICON LoadProgramIcon(int nWidthMetric, int nHeightMetric)
{
    return static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                           IMAGE_ICON, ::GetSystemMetrics(nWidthMetric),
                                           ::GetSystemMetrics(nHeightMetric), LR_DEFAULTCOLOR));
}
} // namespace

CQuoteDlg::CQuoteDlg(CWnd* pParent)
    : CDialog(IDD_QUOTE, pParent), m_hIcon(LoadProgramIcon(SM_CXICON, SM_CYICON)),
      m_hSmallIcon(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON)), m_nTimerId(kCloseTimerId)
{
    m_bHoldQuote = true;
    m_strInvalidModule = Utf8Of(AfxLoadString(IDS_INVALID_MODULE));
    m_codePage = SystemLegacyCodePage();
}

CQuoteDlg::~CQuoteDlg()
{
    ::DestroyIcon(m_hIcon);
    ::DestroyIcon(m_hSmallIcon);
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
        MapMessage<&CQuoteDlg::OnQueryEndSession>(WM_QUERYENDSESSION),
        MapMessage<&CQuoteDlg::OnEndSession>(WM_ENDSESSION),
        MapMessage<&CQuoteDlg::OnSysCommand>(WM_SYSCOMMAND),
        MapMessage<&CQuoteDlg::OnClose>(WM_CLOSE),
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
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
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

// Only a user who closed the window is there to read that the settings were lost.
void CQuoteDlg::OnCancel()
{
    CDialog::OnCancel();
    if (!SaveSettings() && !m_bQuietClose) {
        ReportSaveFailure();
    }
}

void CQuoteDlg::SetQuoteFields(const SShownText& text, const SShownText& author)
{
    SetModuleText(m_editQuote, text);
    SetModuleText(m_editAuthor, author);
}

void CQuoteDlg::SetCaption(const SShownText& caption)
{
    SetModuleText(*this, caption);
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

// Once per run, as ever: Windows may still let a Close through after the session end has
// saved, and the file stays as the session end left it.
bool CQuoteDlg::SaveSettings()
{
    if (!m_bSettingsSaved) {
        m_bSettingsSaved = true;
        m_bSettingsOnDisk = CQuoteState::SaveSettings();
    }
    return m_bSettingsOnDisk;
}

void CQuoteDlg::ReportSaveFailure()
{
    // The timer's quit would end the box before anyone read it.
    ::KillTimer(m_hWnd, m_nTimerId);
    const std::wstring strText =
        AfxFormatString2(IDS_SAVE_FAILED, m_strCurDir.c_str(), SuggestedFolder().c_str());
    AfxMessageBox(strText.c_str(), MB_OK | MB_ICONEXCLAMATION, m_hWnd);
}

void CQuoteDlg::StartTimer()
{
    ::SetTimer(m_hWnd, m_nTimerId, static_cast<UINT>(m_nInterval) * 1000u, nullptr);
}

void CQuoteDlg::PlaceWindow()
{
    RECT rcWindow = {};
    ::GetWindowRect(m_hWnd, &rcWindow);
    const SPixelRect target = QuoteWindowRect(
        m_nPosition, ScreenDpi(), rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top,
        ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const SPixelRect placed = MoveInside(target, WorkAreaAround(target));
    ::SetWindowPos(m_hWnd, HWND_TOP, placed.nLeft, placed.nTop, 0, 0, SWP_NOSIZE);
}

void CQuoteDlg::RedrawAll()
{
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Read wide, since any folder can hold a name the ANSI code page cannot spell. A working
// directory that cannot be read leaves every path empty, and bare names to the current one.
void CQuoteDlg::SetUpPaths()
{
    m_strCurDir = ReadCurrentDirectory();
    if (m_strCurDir.empty()) {
        return;
    }
    m_strExePath = m_strCurDir + L"\\" + kExeName;
    StoredFromWide(m_strCurDir + L"\\", m_codePage, m_strWorkDir);
}

void CQuoteDlg::ProbeStartupShortcut()
{
    m_bStartWithWindows = false;
    if (!ReadStartupFolder(m_strStartupDir)) {
        return;
    }
    m_strShortcutPath = m_strStartupDir + L"\\" + kLinkName;
    m_bStartWithWindows =
        FileOpensForReading(m_strShortcutPath) && !IsStartupEntryTurnedOff(kLinkName);
}

void CQuoteDlg::CreateStartupShortcut()
{
    if (m_strShortcutPath.empty() || m_strExePath.empty()) {
        return;
    }
    SaveShellLink(m_strShortcutPath, m_strExePath, m_strCurDir + L"\\");
}

void CQuoteDlg::DeleteStartupShortcut()
{
    if (!m_strShortcutPath.empty()) {
        ::DeleteFileW(m_strShortcutPath.c_str());
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
    dlg.m_strModuleTitle = ShownTitle(m_szTitle, sizeof m_szTitle, m_codePage);
    dlg.m_codePage = m_codePage;
    dlg.m_strWorkDir = m_strWorkDir;
    if (dlg.DoModal() == IDOK) {
        m_nInterval = dlg.m_nInterval;
        m_nOrder = dlg.m_nOrder;
        m_nPosition = dlg.m_nPosition;
        m_bTimerEnabled = dlg.m_bTimerEnabled;
        m_bStartWithWindows = dlg.m_bStartWithWindows;
        if (dlg.m_bModuleChanged) {
            m_strModulePath = dlg.m_szModulePath;
            m_strCaptionPrefix = ADAGIO_CAPTION_PREFIX;
            SetCaption({m_strCaptionPrefix + dlg.m_strModuleTitle.strBytes,
                        dlg.m_strModuleTitle.nCodePage});
            m_nCurrentQuote = 0;
        }
        if (m_bStartWithWindows) {
            CreateStartupShortcut();
        } else {
            DeleteStartupShortcut();
        }
        // Windows' own "off" would keep a ticked box from starting anything.
        ForgetStartupEntryRecord(kLinkName);
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

int CQuoteDlg::OnCreate(CREATESTRUCTW* /*lpCreateStruct*/)
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

BOOL CQuoteDlg::OnQueryEndSession()
{
    return TRUE;
}

// Windows ends the process soon after this returns, without a Close.
void CQuoteDlg::OnEndSession(BOOL bEnding, UINT /*nLogOffFlags*/)
{
    if (bEnding) {
        SaveSettings();
    }
}

// The system menu's Close and Alt+F4 come this way: a close the user gave.
void CQuoteDlg::OnSysCommand(UINT nID, LPARAM /*lParam*/)
{
    m_bSysClose = (nID & 0xFFF0) == SC_CLOSE;
    Default();
    m_bSysClose = false;
}

// Any other WM_CLOSE comes from another program, a setup closing us for one: nobody may be
// there to answer a message box, and a silent setup would wait on it for ever.
void CQuoteDlg::OnClose()
{
    m_bQuietClose = !m_bSysClose;
    Default();
}

#include "Dialog.h"

#include "DataExchange.h"
#include "WinApp.h"

namespace {

// The one user-interface thread creates one dialog at a time.
CDialog* g_pDialogInCreation = nullptr;

// Messages go to the map through the subclassed window procedure, so the
// dialog procedure leaves everything to the dialog manager.
INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

bool IsDialogWindow(HWND hWnd)
{
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    return lstrcmpA(szClass, "#32770") == 0;
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

const CMessageMap* CDialog::GetMessageMap() const
{
    static const CMessageEntry entries[] = {
        MapCommand<&CDialog::OnOK>(IDOK),
        MapCommand<&CDialog::OnCancel>(IDCANCEL),
    };
    static const CMessageMap map(entries, CWnd::GetMessageMap());
    return &map;
}

INT_PTR CDialog::DoModal()
{
    const HWND hOwner = FindOwner();
    const bool bEnableOwner = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    if (bEnableOwner)
        ::EnableWindow(hOwner, FALSE);
    m_nModalResult = -1;
    if (Create(hOwner))
        RunModalLoop();
    if (bEnableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (m_hWnd != nullptr) {
        if (hOwner != nullptr && ::GetActiveWindow() == m_hWnd)
            ::SetActiveWindow(hOwner);
        ::ShowWindow(m_hWnd, SW_HIDE);
        ::DestroyWindow(m_hWnd);
    }
    return m_nModalResult;
}

HWND CDialog::FindOwner() const
{
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    if (hOwner != nullptr)
        hOwner = ::GetAncestor(hOwner, GA_ROOT);
    if (m_pParentWnd == nullptr && hOwner != nullptr)
        hOwner = ::GetLastActivePopup(hOwner);
    return hOwner;
}

bool CDialog::Create(HWND hOwner)
{
    const HINSTANCE hInstance = AfxGetInstanceHandle();
    const HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(m_nIDTemplate),
                                            MAKEINTRESOURCEA(5)); // RT_DIALOG
    const HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    const void* pTemplate = hTemplate != nullptr ? ::LockResource(hTemplate) : nullptr;
    if (pTemplate == nullptr)
        return false;
    // The hook subclasses the dialog before its first message, so WM_CREATE
    // and WM_INITDIALOG already reach the map.
    const HHOOK hHook =
        ::SetWindowsHookExA(WH_CBT, &CDialog::CreationHook, nullptr, ::GetCurrentThreadId());
    g_pDialogInCreation = this;
    m_bContinueModal = true;
    // Made wide, the dialog and the controls of its template are Unicode windows, which keep
    // any text; narrow ones hold only what the ANSI code page can.
    const HWND hWnd = ::CreateDialogIndirectParamW(
        hInstance, static_cast<LPCDLGTEMPLATEW>(pTemplate), hOwner, &PassiveDialogProc, 0);
    g_pDialogInCreation = nullptr;
    ::UnhookWindowsHookEx(hHook);
    return hWnd != nullptr;
}

LRESULT CALLBACK CDialog::CreationHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (nCode == HCBT_CREATEWND && g_pDialogInCreation != nullptr && IsDialogWindow(hWnd)) {
        CDialog* pDialog = g_pDialogInCreation;
        g_pDialogInCreation = nullptr;
        pDialog->SubclassWindow(hWnd);
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void CDialog::RunModalLoop()
{
    if (m_bContinueModal && !::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    MSG msg = {};
    while (m_bContinueModal) {
        const BOOL bGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == -1)
            break;
        if (bGot == 0) {
            // The quit belongs to the thread's outer loop, which must see it too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = IDCANCEL;
            break;
        }
        if (!::IsDialogMessageW(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return dx.HasFailed() ? FALSE : TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (!m_bContinueModal)
        return;
    m_bContinueModal = false;
    // A sent message does not return GetMessage; a posted one wakes the loop to see the end.
    ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

LRESULT CDialog::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage != WM_INITDIALOG)
        return CWnd::WindowProc(nMessage, wParam, lParam);
    Default();
    return OnInitDialog();
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return true;
    // Only command identifiers travel on to the owner and the application.
    if (LOWORD(wParam) < 0x8000 || LOWORD(wParam) > 0xEFFF)
        return false;
    LRESULT lIgnored = 0;
    CWnd* pOwner = CWnd::FromHandle(::GetWindow(m_hWnd, GW_OWNER));
    if (pOwner != nullptr && pOwner->HandleMessage(WM_COMMAND, wParam, lParam, lIgnored))
        return true;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->HandleMessage(WM_COMMAND, wParam, lParam, lIgnored);
}

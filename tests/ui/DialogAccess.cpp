#include "DialogAccess.h"

#include <cstring>

namespace {

const UINT kAnswerMs = 2000;
const char kNoAnswer[] = "<window did not answer>";

// A visible dialog of the process, or owned by the owner, with the caption or the control.
struct SDialogSearch {
    DWORD nProcessId;
    HWND hOwner;
    const std::string* pCaption;
    int nControlId;
    HWND hFound;
};

bool IsVisibleDialog(HWND hwnd)
{
    char szClass[16] = "";
    ::GetClassNameA(hwnd, szClass, sizeof szClass);
    return ::IsWindowVisible(hwnd) && std::strcmp(szClass, "#32770") == 0;
}

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<SDialogSearch*>(lParam);
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hwnd, &nProcessId);
    const bool bMatch = (pSearch->hOwner ? ::GetWindow(hwnd, GW_OWNER) == pSearch->hOwner
                                         : nProcessId == pSearch->nProcessId) &&
                        IsVisibleDialog(hwnd) &&
                        (pSearch->pCaption ? WindowText(hwnd) == *pSearch->pCaption
                                           : ::GetDlgItem(hwnd, pSearch->nControlId) != nullptr);
    if (bMatch)
        pSearch->hFound = hwnd;
    return !bMatch;
}

HWND FindDialog(SDialogSearch search)
{
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

} // namespace

HWND FindProcessDialog(DWORD nProcessId, int nControlId)
{
    return FindDialog({nProcessId, nullptr, nullptr, nControlId, nullptr});
}

HWND FindOwnedDialog(HWND hOwner, const std::string& strCaption)
{
    return FindDialog({0, hOwner, &strCaption, 0, nullptr});
}

HWND FindOwnedDialog(HWND hOwner, int nControlId)
{
    return FindDialog({0, hOwner, nullptr, nControlId, nullptr});
}

std::optional<LRESULT> SendWithDeadline(HWND hwnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR nResult = 0;
    if (!hwnd || !::SendMessageTimeoutA(hwnd, nMessage, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs,
                                        &nResult))
        return std::nullopt;
    return static_cast<LRESULT>(nResult);
}

std::string WindowText(HWND hwnd)
{
    char szText[1024] = "";
    if (!SendWithDeadline(hwnd, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText)))
        return kNoAnswer;
    szText[sizeof szText - 1] = '\0';
    return szText;
}

std::string ItemText(HWND hDlg, int nControlId)
{
    return WindowText(::GetDlgItem(hDlg, nControlId));
}

bool SetItemText(HWND hDlg, int nControlId, const std::string& strText)
{
    return SendWithDeadline(::GetDlgItem(hDlg, nControlId), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(strText.c_str()))
        .has_value();
}

std::string MessageBoxText(HWND hBox)
{
    return ItemText(hBox, 0xFFFF);
}

bool IsItemChecked(HWND hDlg, int nControlId)
{
    return SendWithDeadline(::GetDlgItem(hDlg, nControlId), BM_GETCHECK).value_or(0) == BST_CHECKED;
}

bool IsItemEnabled(HWND hDlg, int nControlId)
{
    return ::IsWindowEnabled(::GetDlgItem(hDlg, nControlId)) != FALSE;
}

int SelectedListEntry(HWND hDlg, int nControlId)
{
    return static_cast<int>(
        SendWithDeadline(::GetDlgItem(hDlg, nControlId), LB_GETCURSEL).value_or(LB_ERR));
}

bool SelectListEntry(HWND hDlg, int nControlId, int nIndex)
{
    return SendWithDeadline(::GetDlgItem(hDlg, nControlId), LB_SETCURSEL,
                            static_cast<WPARAM>(nIndex))
               .value_or(LB_ERR) == nIndex;
}

HWND FocusOfThread(HWND hwnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD nThreadId = ::GetWindowThreadProcessId(hwnd, nullptr);
    return ::GetGUIThreadInfo(nThreadId, &info) ? info.hwndFocus : nullptr;
}

std::pair<int, int> EditSelection(HWND hEdit)
{
    const LRESULT nSelection = SendWithDeadline(hEdit, EM_GETSEL).value_or(-1);
    return {LOWORD(nSelection), HIWORD(nSelection)};
}

bool PressKey(HWND hwnd, UINT nVirtualKey)
{
    // Repeat count 1; the key-up also carries the previous-state and transition bits.
    const UINT nScanCode = ::MapVirtualKeyA(nVirtualKey, MAPVK_VK_TO_VSC);
    const LPARAM lDown = 1 | static_cast<LPARAM>(nScanCode) << 16;
    return SendWithDeadline(hwnd, WM_KEYDOWN, nVirtualKey, lDown) &&
           SendWithDeadline(hwnd, WM_KEYUP, nVirtualKey, lDown | 0xC0000000);
}

bool ClickButton(HWND hDlg, int nControlId)
{
    return SendWithDeadline(::GetDlgItem(hDlg, nControlId), BM_CLICK).has_value();
}

bool PostCommand(HWND hDlg, int nControlId)
{
    const HWND hButton = ::GetDlgItem(hDlg, nControlId);
    return hButton && ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nControlId, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(hButton)) != 0;
}

std::pair<int, int> TopLeft(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    return {rect.left, rect.top};
}

bool IsPainted(HWND hwnd)
{
    return SendWithDeadline(hwnd, WM_NULL) && !::GetUpdateRect(hwnd, nullptr, FALSE);
}

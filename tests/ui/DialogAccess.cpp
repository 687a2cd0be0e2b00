#include "DialogAccess.h"

#include <cstring>

namespace {

const UINT kAnswerMs = 2000;
const char kDialogClass[] = "#32770";
const char kNoAnswer[] = "<window did not answer>";

struct SDialogSearch {
    DWORD nProcessId;
    int nControlId;
    HWND hFound;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<SDialogSearch*>(lParam);
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hwnd, &nProcessId);
    if (nProcessId != pSearch->nProcessId || !::IsWindowVisible(hwnd)) {
        return TRUE;
    }
    char szClass[16] = "";
    ::GetClassNameA(hwnd, szClass, sizeof szClass);
    if (std::strcmp(szClass, kDialogClass) != 0 || !::GetDlgItem(hwnd, pSearch->nControlId)) {
        return TRUE;
    }
    pSearch->hFound = hwnd;
    return FALSE;
}

} // namespace

HWND FindProcessDialog(DWORD nProcessId, int nControlId)
{
    SDialogSearch search = {nProcessId, nControlId, nullptr};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

std::string WindowText(HWND hwnd)
{
    char szText[1024] = "";
    DWORD_PTR nResult = 0;
    if (!::SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText),
                               SMTO_ABORTIFHUNG, kAnswerMs, &nResult)) {
        return kNoAnswer;
    }
    szText[sizeof szText - 1] = '\0';
    return szText;
}

std::string ItemText(HWND hDlg, int nControlId)
{
    return WindowText(::GetDlgItem(hDlg, nControlId));
}

bool ClickButton(HWND hDlg, int nControlId)
{
    const HWND hButton = ::GetDlgItem(hDlg, nControlId);
    DWORD_PTR nResult = 0;
    return hButton && ::SendMessageTimeoutA(hButton, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs,
                                            &nResult) != 0;
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
    DWORD_PTR nResult = 0;
    return ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &nResult) &&
           !::GetUpdateRect(hwnd, nullptr, FALSE);
}

#include "TopWindow.h"

namespace {

const DWORD kPollMs = 50;
const UINT kAnswerMs = 2000;
// Longer than any caption or quote the program shows.
const int kTextChars = 1024;

struct SWindowSearch {
    const std::string* pstrPrefix;
    DWORD nProcessId;
    HWND hFound;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<SWindowSearch*>(lParam);
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hwnd, &nProcessId);
    if (!::IsWindowVisible(hwnd) || (pSearch->nProcessId && nProcessId != pSearch->nProcessId)) {
        return TRUE;
    }
    if (WindowText(hwnd).compare(0, pSearch->pstrPrefix->size(), *pSearch->pstrPrefix) != 0) {
        return TRUE;
    }
    pSearch->hFound = hwnd;
    return FALSE;
}

template <typename F> bool PollUntil(F fnDone, unsigned nTimeoutMs)
{
    const ULONGLONG nDeadline = ::GetTickCount64() + nTimeoutMs;
    while (!fnDone()) {
        if (::GetTickCount64() >= nDeadline) {
            return false;
        }
        ::Sleep(kPollMs);
    }
    return true;
}

} // namespace

HWND WaitForWindow(const std::string& strCaptionPrefix, DWORD nProcessId, unsigned nTimeoutMs)
{
    SWindowSearch search = {&strCaptionPrefix, nProcessId, nullptr};
    PollUntil(
        [&search] {
            ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.hFound != nullptr;
        },
        nTimeoutMs);
    return search.hFound;
}

bool WaitUntilPainted(HWND hwnd, unsigned nTimeoutMs)
{
    return PollUntil(
        [hwnd] {
            DWORD_PTR nResult = 0;
            return ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs,
                                         &nResult) != 0 &&
                   !::GetUpdateRect(hwnd, nullptr, FALSE);
        },
        nTimeoutMs);
}

std::string WindowText(HWND hwnd)
{
    char szText[kTextChars] = "";
    DWORD_PTR nResult = 0;
    if (!hwnd ||
        !::SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText),
                               SMTO_ABORTIFHUNG, kAnswerMs, &nResult)) {
        return std::string();
    }
    szText[sizeof szText - 1] = '\0';
    return szText;
}

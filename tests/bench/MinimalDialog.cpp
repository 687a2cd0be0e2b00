// The reference: the quote window's template run by a plain dialog box, no framework and no
// logic. It sets a fixed quote as it opens, so "text in the field" is measured alike. Its Next
// button sets both fields to one of two fixed quotes of a shipped quote's length, which is
// what no display can do without; its Previous button has no handler at all.
#include "resource.h"

#include <windows.h>

namespace {

const char* const kQuotes[][2] = {
    {"A fixed quote of about the length of the shipped ones,\r\nbroken once.", "A Fixed Author"},
    {"Another fixed quote, just as long as the first one,\r\nbroken once.", "Another Author"},
};

INT_PTR CALLBACK MinimalDialogProc(HWND hDlg, UINT nMessage, WPARAM wParam, LPARAM /*lParam*/)
{
    static int nShown = 0;
    if (nMessage == WM_INITDIALOG) {
        ::SetDlgItemTextA(hDlg, IDC_QUOTE_TEXT, "A fixed quote, put in place as the dialog opens.");
        return TRUE;
    }
    if (nMessage != WM_COMMAND || LOWORD(wParam) != IDC_NEXT)
        return FALSE;
    nShown = 1 - nShown;
    ::SetDlgItemTextA(hDlg, IDC_QUOTE_TEXT, kQuotes[nShown][0]);
    ::SetDlgItemTextA(hDlg, IDC_QUOTE_AUTHOR, kQuotes[nShown][1]);
    return TRUE;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevious*/, LPSTR /*pszCmdLine*/,
                   int /*nShowCmd*/)
{
    return static_cast<int>(
        ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_QUOTE), nullptr, MinimalDialogProc, 0));
}

// The start-up reference: the quote window's template run by a plain dialog box, no
// framework and no logic. It puts a fixed text into the quote field while it initialises,
// so "text in the field" is measured the same way as for the program.
#include "resource.h"

#include <windows.h>

namespace {

const char kszFixedQuote[] = "A fixed quote, put in place as the dialog opens.";

INT_PTR CALLBACK MinimalDialogProc(HWND hDlg, UINT nMessage, WPARAM wParam, LPARAM /*lParam*/)
{
    if (nMessage == WM_INITDIALOG) {
        ::SetDlgItemTextA(hDlg, IDC_QUOTE_TEXT, kszFixedQuote);
        return TRUE;
    }
    if (nMessage == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevious*/, LPSTR /*pszCmdLine*/,
                   int /*nShowCmd*/)
{
    return static_cast<int>(
        ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_QUOTE), nullptr, MinimalDialogProc, 0));
}

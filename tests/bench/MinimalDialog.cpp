// The start-up reference: the quote window's template run by a plain dialog box, no framework
// and no logic. It sets a fixed quote as it opens, so "text in the field" is measured alike.
#include "resource.h"

#include <windows.h>

static INT_PTR CALLBACK MinimalDialogProc(HWND hDlg, UINT nMessage, WPARAM /*wParam*/,
                                          LPARAM /*lParam*/)
{
    if (nMessage != WM_INITDIALOG)
        return FALSE;
    ::SetDlgItemTextA(hDlg, IDC_QUOTE_TEXT, "A fixed quote, put in place as the dialog opens.");
    return TRUE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevious*/, LPSTR /*pszCmdLine*/,
                   int /*nShowCmd*/)
{
    return static_cast<int>(
        ::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_QUOTE), nullptr, MinimalDialogProc, 0));
}

#include "FileChooser.h"

#include "DialogAccess.h"

#include <cstring>

namespace {

// The file name field: a combo box (cmb13) in the Explorer style, an edit (edt1) in the old one.
const int kFileNameCombo = 0x47C;
const int kFileNameEdit = 0x480;

BOOL CALLBACK MatchEdit(HWND hwnd, LPARAM lParam)
{
    char szClass[16] = "";
    ::GetClassNameA(hwnd, szClass, sizeof szClass);
    if (std::strcmp(szClass, "Edit") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}

// The edit that the combo box keeps somewhere among its descendants.
HWND FileNameField(HWND hOpen)
{
    const HWND hCombo = ::GetDlgItem(hOpen, kFileNameCombo);
    if (!hCombo)
        return ::GetDlgItem(hOpen, kFileNameEdit);
    HWND hEdit = nullptr;
    ::EnumChildWindows(hCombo, MatchEdit, reinterpret_cast<LPARAM>(&hEdit));
    return hEdit;
}

} // namespace

HWND FindOpenDialog(HWND hOwner)
{
    const HWND hOpen = FindOwnedDialog(hOwner, kFileNameCombo);
    return hOpen ? hOpen : FindOwnedDialog(hOwner, kFileNameEdit);
}

bool ChooseFile(HWND hOpen, const std::string& strName)
{
    const HWND hField = FileNameField(hOpen);
    return SendWithDeadline(hField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strName.c_str())) &&
           PostCommand(hOpen, IDOK);
}

// Reaching into another process's dialogs with messages only: under Xvfb there is no window
// manager and nothing has the focus, so no input is simulated. Every message has a deadline.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <windows.h>

// A visible top-level dialog of the process that holds a control with the given identifier;
// null when there is none yet.
HWND FindProcessDialog(DWORD nProcessId, int nControlId);

// A visible dialog owned by hOwner, with the given caption or holding the given control;
// null when there is none yet.
HWND FindOwnedDialog(HWND hOwner, const std::string& strCaption);
HWND FindOwnedDialog(HWND hOwner, int nControlId);

// Sent with a deadline; nothing when the window does not answer.
std::optional<LRESULT> SendWithDeadline(HWND hwnd, UINT nMessage, WPARAM wParam = 0,
                                        LPARAM lParam = 0);

// The window's text, or a marker text when the window does not answer.
std::string WindowText(HWND hwnd);
std::string ItemText(HWND hDlg, int nControlId);
bool SetItemText(HWND hDlg, int nControlId, const std::string& strText);
// The text of a message box, which the system keeps in its static control 0xFFFF.
std::string MessageBoxText(HWND hBox);

bool IsItemChecked(HWND hDlg, int nControlId);
bool IsItemEnabled(HWND hDlg, int nControlId);
// The list's selected index, -1 for none.
int SelectedListEntry(HWND hDlg, int nControlId);
bool SelectListEntry(HWND hDlg, int nControlId, int nIndex);

// GetFocus answers only for the caller's own thread; this asks about the window's thread.
HWND FocusOfThread(HWND hwnd);
// First and one past the last selected character.
std::pair<int, int> EditSelection(HWND hEdit);
// A key pressed and released, delivered to the window as the keyboard would.
bool PressKey(HWND hwnd, UINT nVirtualKey);

// Returns once the click's handler has run. Not for a button that opens a modal dialog:
// the click would only return when that dialog ends.
bool ClickButton(HWND hDlg, int nControlId);
// The button's command, queued; for buttons that open a modal dialog.
bool PostCommand(HWND hDlg, int nControlId);

std::pair<int, int> TopLeft(HWND hwnd);

// The window has taken its pending messages and holds no part waiting to be painted.
bool IsPainted(HWND hwnd);

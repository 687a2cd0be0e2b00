// Reaching into another process's dialogs with messages only: under Xvfb there is no window
// manager and nothing has the focus, so no input is simulated. Every message has a deadline.
#pragma once

#include <string>
#include <utility>
#include <windows.h>

// A visible top-level dialog of the process that holds a control with the given identifier;
// null when there is none yet.
HWND FindProcessDialog(DWORD nProcessId, int nControlId);

// The window's text, or a marker text when the window does not answer.
std::string WindowText(HWND hwnd);
std::string ItemText(HWND hDlg, int nControlId);

// Returns once the click's handler has run. Not for a button that opens a modal dialog:
// the click would only return when that dialog ends.
bool ClickButton(HWND hDlg, int nControlId);
// The button's command, queued; for buttons that open a modal dialog.
bool PostCommand(HWND hDlg, int nControlId);

std::pair<int, int> TopLeft(HWND hwnd);

// The window has taken its pending messages and holds no part waiting to be painted.
bool IsPainted(HWND hwnd);

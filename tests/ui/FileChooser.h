// The common Open dialog, answered the way a user types a name into it.
#pragma once

#include <string>
#include <windows.h>

// The Open dialog owned by hOwner; null when there is none yet.
HWND FindOpenDialog(HWND hOwner);

// Types the name into the dialog's file name field and presses Open. A full path keeps
// the answer independent of the folder the dialog happens to show first.
bool ChooseFile(HWND hOpen, const std::string& strName);

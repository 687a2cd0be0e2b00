// Windows' own switch for an entry of the Startup folder (Task Manager's Startup tab), which
// turns the shortcut off without deleting it.
#pragma once

// True only when Windows records the shortcut of that file name as turned off.
bool IsStartupEntryTurnedOff(const wchar_t* pszLinkName);

// Forgets Windows' record, so that the shortcut, when there is one, starts at logon.
// Fails silently.
void ForgetStartupEntryRecord(const wchar_t* pszLinkName);

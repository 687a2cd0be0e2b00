// The Startup-folder shortcut and the paths it is built from, wide throughout: a user's name,
// and so the Startup folder, can hold characters that the ANSI code page lacks.
#pragma once

#include <string>

// The process's current directory; empty when it cannot be read.
std::wstring ReadCurrentDirectory();

// The user's Startup folder from the registry; false when there is none.
bool ReadStartupFolder(std::wstring& strDir);

bool FileOpensForReading(const std::wstring& strPath);

// Writes a shell link at strLinkPath; every failure is silent.
void SaveShellLink(const std::wstring& strLinkPath, const std::wstring& strTarget,
                   const std::wstring& strWorkDir);

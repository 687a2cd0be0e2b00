// The Startup-folder shortcut and the paths it is built from.
#pragma once

#include <cstddef>
#include <string>

// The process's current directory; false (buffer empty) when it does not fit or the code
// page cannot spell it.
bool ReadCurrentDirectory(char* pszBuffer, std::size_t nSize);

// The user's Startup folder from the registry; false when there is none that fits.
bool ReadStartupFolder(std::string& strDir);

// The link file name must fit the shell's 200-unit path buffer whole.
bool ShortcutPathFits(const std::string& strPath);

bool FileOpensForReading(const std::string& strPath);

// Writes a shell link at strLinkPath; every failure is silent.
void SaveShellLink(const std::string& strLinkPath, const std::string& strTarget,
                   const std::string& strWorkDir);

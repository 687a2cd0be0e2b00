// Writing a whole file so that a failed write never costs the old one.
#pragma once

#include <string>

// Writes strContent beside strPath under a temporary name and moves it over strPath
// only once it is complete, so a failed write leaves strPath as it was; a temporary it
// made never stays behind. Only when no temporary can be made or moved over strPath is
// strPath written in place, if it can be opened for writing. Returns whether strPath now
// holds strContent.
bool SaveFileAtomically(const std::string& strPath, const std::string& strContent);

// Writing a whole file so that a failed write never costs the old one.
#pragma once

#include <string>

// Writes strContent beside strPath under a temporary name and moves it over strPath
// only once it is complete. On any failure strPath stays as it was and the temporary
// file is removed. Returns whether strPath now holds strContent.
bool SaveFileAtomically(const std::string& strPath, const std::string& strContent);

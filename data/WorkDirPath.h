// Files named without a folder: found in the working directory recorded at start-up.
#pragma once

#include <string>

// strWorkDir ends in its separator. A name with a folder or a drive stays as it is, and so
// does every name when no working directory was recorded.
std::string PathInWorkDir(const std::string& strWorkDir, const std::string& strName);

// Program folders for the measured runs. Paths come from the build as Unix paths and are
// used through Wine's drive Z:.
#pragma once

#include <string>

std::string ToWindowsPath(const std::string& strPath);

// Creates the folder and any missing parents.
bool MakeFolder(const std::string& strPath);

bool CopyInto(const std::string& strSource, const std::string& strFolder,
              const std::string& strName);

bool WriteFileBytes(const std::string& strPath, const std::string& strBytes);

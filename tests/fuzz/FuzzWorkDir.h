// The code under test opens files by name, so every target runs in a directory of its own.
#pragma once

#include <string>

// Creates a fresh directory under the temporary directory, makes it current and removes
// it again when the process exits normally.
void EnterPrivateWorkDir();

void WriteFileBytes(const char* pszName, const std::string& strBytes);

// At most nMax bytes from the start of a file; empty when it cannot be read.
std::string ReadFileStart(const std::string& strPath, std::size_t nMax);

// Whether the code under test would read the file: a regular file that opens for reading.
bool IsReadableFile(const std::string& strPath);

// A quote module's title: its first line.
#pragma once

#include <cstddef>

// An empty or unreadable module gives an empty title.
void ReadModuleTitle(const char* pszPath, char* pszTitle, std::size_t nSize);

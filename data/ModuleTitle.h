// A quote module's title: its first line.
#pragma once

#include "SystemFile.h"

#include <cstddef>

// An empty or unreadable module gives an empty title.
void ReadModuleTitle(const SFileName& module, char* pszTitle, std::size_t nSize);

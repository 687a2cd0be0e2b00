// A module read field by field as the program reads it, with every problem an author
// would want to hear of.
#pragma once

#include "Diagnostics.h"

#include <cstdint>
#include <string>

struct SModuleCheck {
    bool bReadable = false;
    bool bLoads = false; // the header is valid, so the program shows quotes
    int nDeclared = 0;
    std::int64_t nPresent = 0;
    CDiagnostics diagnostics;
};

SModuleCheck CheckModule(const std::string& strPath);

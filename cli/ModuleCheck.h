// A module read field by field as the program reads it, with every problem an author
// would want to hear of.
#pragma once

#include "Diagnostics.h"
#include "LineReader.h"

#include <cstdint>
#include <string>

class CCodePage;

struct SModuleCheck {
    bool bReadable = false;
    bool bLoads = false; // the header is valid, so the program shows quotes
    int nDeclared = 0;
    std::int64_t nPresent = 0;
    std::string strEncoding = "ASCII"; // of the fields the window shows
    CDiagnostics diagnostics;
};

// Fields that are not UTF-8 are read in codePage, as a system with that legacy code page
// shows them.
SModuleCheck CheckModule(const std::string& strPath, const CCodePage& codePage);
// The same module twice, as the file is read twice: once for its bytes, once for its lines.
SModuleCheck CheckModule(IByteSource& bytes, IByteSource& lines, const CCodePage& codePage);

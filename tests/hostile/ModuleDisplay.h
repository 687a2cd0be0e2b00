// What the quote window shows for a module, worked out from the file format alone: the
// test's own reading of a module, independent of the program's reader.
#pragma once

#include <ostream>
#include <string>

struct SDisplay {
    std::string strText;
    std::string strAuthor;
};

bool operator==(const SDisplay& left, const SDisplay& right);
void PrintTo(const SDisplay& display, std::ostream* pStream);

extern const SDisplay kInvalidModuleDisplay;
extern const SDisplay kEmptyDisplay;

// The two fields for quote nIndex (0 or more) of a module with these bytes, as the text
// fields give them back: each "~" a CR LF, everything from a NUL byte on unseen.
SDisplay DisplayOf(const std::string& strModule, int nIndex);

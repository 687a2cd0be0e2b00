// Writing a whole file so that a failed write never costs the old one.
#pragma once

#include "SystemFile.h"

#include <string>

// Writes strContent beside the file under a temporary name, has it on the disk and only then
// moves it over the file, so a failed write leaves the file as it was. A replace that another
// program's hold refuses is tried again for a quarter of a second. Only when no temporary can
// be made or moved over the file is the file written in place, if it can be. No temporary stays
// behind, one that an earlier crash left included, unless something else holds it. Returns
// whether the file now holds strContent.
bool SaveFileAtomically(const SFileName& file, const std::string& strContent);

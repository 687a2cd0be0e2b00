// Reads a shell shortcut through the shell's own link object, so the test sees what
// Explorer would start.
#pragma once

#include <string>

struct SShortcut {
    std::string strTarget;
    std::string strWorkDir;
};

// False when the file is missing or is not a shortcut; COM must be initialised.
bool ReadShortcut(const std::string& strLinkPath, SShortcut& shortcut);

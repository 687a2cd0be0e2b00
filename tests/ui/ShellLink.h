// Shortcut files read back through the shell's own link object, as Windows reads them.
#pragma once

#include <optional>
#include <string>

struct SShellLink {
    std::string strTarget;
    std::string strWorkDir;
    std::string strDescription;
};

// Nothing when the file is missing or is not a shortcut.
std::optional<SShellLink> LoadShellLink(const std::string& strPath);

// The target as the link object keeps it: it tidies a path on the way in (a doubled
// backslash, for one), so a designed target is compared in this form.
std::string StoredTarget(const std::string& strTarget);

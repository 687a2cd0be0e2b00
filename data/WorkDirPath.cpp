#include "WorkDirPath.h"

// The Open dialog moves the current directory to whatever folder it shows, so a bare name
// cannot be left to the current directory.
std::string PathInWorkDir(const std::string& strWorkDir, const std::string& strName)
{
    if (strWorkDir.empty() || strName.find_first_of("\\/:") != std::string::npos)
        return strName;
    return strWorkDir + strName;
}

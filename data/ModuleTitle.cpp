#include "ModuleTitle.h"

#include "LineFile.h"

void ReadModuleTitle(const char* pszPath, char* pszTitle, std::size_t nSize)
{
    CLineFile file(pszPath, ELineMode::Text);
    file.Reader().ReadBoundedLine(pszTitle, nSize);
}

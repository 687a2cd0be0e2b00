#include "ModuleTitle.h"

#include "LineFile.h"

void ReadModuleTitle(const SFileName& module, char* pszTitle, std::size_t nSize)
{
    CLineFile file(module, ELineMode::Text);
    file.Reader().ReadBoundedLine(pszTitle, nSize);
}

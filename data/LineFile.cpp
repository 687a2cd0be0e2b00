#include "LineFile.h"

CLineFile::CLineFile(const SFileName& name, ELineMode eMode) : m_file(name), m_reader(m_file, eMode)
{
}

CLineFile::CLineFile(const std::string& strPath, ELineMode eMode)
    : CLineFile(SFileName{std::string(), strPath, CLegacyCodePage(CLegacyCodePage::kProcessAnsi)},
                eMode)
{
}

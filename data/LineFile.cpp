#include "LineFile.h"

CLineFile::CLineFile(const std::string& strPath, ELineMode eMode)
    : m_file(strPath.c_str()), m_reader(m_file, eMode)
{
}

#include "LineFile.h"

CLineFile::CLineFile(const std::string& strPath, ELineMode eMode)
    : m_file(strPath, std::ios::binary), m_reader(m_file, eMode)
{
}

// A file opened for line reading for the length of one operation.
#pragma once

#include "LineReader.h"
#include "SystemFile.h"

#include <string>

class CLineFile {
public:
    // Never creates the file. Read as stored, so both modes read alike on every platform.
    CLineFile(const SFileName& name, ELineMode eMode);
    // A path as a command line gives it: on Windows in the process's ANSI code page, unless its
    // bytes read as UTF-8.
    CLineFile(const std::string& strPath, ELineMode eMode);

    // False for a missing or unreadable file, a directory and a device.
    bool IsOpen() const { return m_reader.IsReadable(); }
    CLineReader& Reader() { return m_reader; }

private:
    CInputFile m_file;
    CLineReader m_reader;
};

// The operating system's files, as far as the data core needs more than the C library: one
// small file per system (posix/, win32/) implements this.
#pragma once

#include "LineReader.h"

#include <cstddef>
#include <cstdint>

// A regular file opened for reading for the length of one operation; never created. Nothing
// but a regular file is opened: a device or a pipe under a file's name (COM1, AUX, a FIFO)
// can block a read for good.
class CInputFile final : public IByteSource {
public:
    explicit CInputFile(const char* pszPath);
    ~CInputFile();
    CInputFile(const CInputFile&) = delete;
    CInputFile& operator=(const CInputFile&) = delete;

    // -1 when the file did not open.
    std::ptrdiff_t Read(char* pBuffer, std::size_t nSize) override;

private:
    std::intptr_t m_nHandle; // -1 when not open
};

// Puts pszFrom in the place of pszTo in one step, replacing pszTo when it exists.
bool ReplaceFileWith(const char* pszFrom, const char* pszTo);

// The operating system's files, as far as the data core needs them: one small file per system
// (posix/, win32/) implements this. Names come as the data core stores them and become the
// system's own names only there.
#pragma once

#include "LegacyCodePage.h"
#include "LineReader.h"

#include <cstddef>
#include <cstdint>
#include <string>

// A file as the data core names it: a name, found in the folder unless it carries a folder or a
// drive of its own. Both are stored text: UTF-8 when their bytes read as UTF-8 holding a
// multi-byte character, the legacy code page otherwise. Windows gets each of them turned into
// UTF-16 and the two joined there, never bytes of two encodings joined.
struct SFileName {
    std::string strFolder; // ends in its separator; empty: the current directory
    std::string strName;
    CLegacyCodePage codePage;
};

// A regular file opened for reading for the length of one operation; never created. Nothing
// but a regular file is opened: a device or a pipe under a file's name (COM1, AUX, a FIFO)
// can block a read for good.
class CInputFile final : public IByteSource {
public:
    explicit CInputFile(const SFileName& name);
    ~CInputFile();
    CInputFile(const CInputFile&) = delete;
    CInputFile& operator=(const CInputFile&) = delete;

    // -1 when the file did not open.
    std::ptrdiff_t Read(char* pBuffer, std::size_t nSize) override;

private:
    std::intptr_t m_nHandle; // -1 when not open
};

// Creates the file or empties it, writes strContent, and has it on the disk before it returns.
bool WriteWholeFile(const SFileName& name, const std::string& strContent);

enum class EReplace {
    Replaced,
    Refused, // a sharing or access error: another program's hold on a file, which may pass
    Failed,
};

// Puts from in the place of to in one step, replacing to when it exists.
EReplace ReplaceFileWith(const SFileName& from, const SFileName& to);

// True when no file of that name is left. A directory is never removed.
bool RemoveFile(const SFileName& name);

void PauseMilliseconds(unsigned nMilliseconds);

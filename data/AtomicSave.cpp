#include "AtomicSave.h"

namespace {

// Virus scanners and synchronising clients open a file just written without sharing its
// deletion, and let go of it soon after.
const unsigned kRetries = 5;
const unsigned kPauseMs = 50;

bool ReplaceWithRetries(const SFileName& from, const SFileName& to)
{
    for (unsigned nTry = 0;; ++nTry) {
        const EReplace eResult = ReplaceFileWith(from, to);
        if (eResult != EReplace::Refused || nTry == kRetries)
            return eResult == EReplace::Replaced;
        PauseMilliseconds(kPauseMs);
    }
}

void RemoveWithRetries(const SFileName& name)
{
    for (unsigned nTry = 0; !RemoveFile(name) && nTry < kRetries; ++nTry)
        PauseMilliseconds(kPauseMs);
}

} // namespace

bool SaveFileAtomically(const SFileName& file, const std::string& strContent)
{
    SFileName temporary = file;
    temporary.strName += ".new";
    RemoveFile(temporary);
    // A stale temporary in the way (a directory, or held open by another program) must not
    // cost the settings; nor must a full disk. Whatever is not ours there stays.
    if (!WriteWholeFile(temporary, strContent)) {
        RemoveFile(temporary);
        return WriteWholeFile(file, strContent);
    }
    if (ReplaceWithRetries(temporary, file))
        return true;
    // The file would not be replaced: another program may hold it open without sharing its
    // deletion, and still let it be written.
    const bool bSaved = WriteWholeFile(file, strContent);
    RemoveWithRetries(temporary);
    return bSaved;
}

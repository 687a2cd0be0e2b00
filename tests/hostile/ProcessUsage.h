// What a process holds of the system's resources, read from outside it. Where Wine
// answers the system's own counters with nothing, the same things are counted where
// Wine keeps them.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <windows.h>

struct SProcessUsage {
    DWORD nGdiObjects;
    DWORD nUserObjects;
    DWORD nHandles;
    std::size_t nPrivateBytes;
};

void PrintTo(const SProcessUsage& usage, std::ostream* pStream);

// Nothing when the process cannot be asked.
std::optional<SProcessUsage> MeasureProcess(DWORD nProcessId);

// Finding the line ends (LF) in bytes in memory many at a time.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes the offsets of the LFs in pBytes[nFrom, nTo) to pEnds, in order, and returns the end
// of what it wrote. Offsets are 16 bits, so nTo is at most 65536. No byte behind nTo is read.
std::uint16_t* ListLineEnds(const char* pBytes, std::size_t nFrom, std::size_t nTo,
                            std::uint16_t* pEnds);

// The physical limits the data core is measured against: the same bytes moved with one
// plain stdio loop and nothing else.
#pragma once

#include <cstddef>
#include <string>

// The data core's line reader reads in chunks of this size; the plain loop uses the same.
constexpr std::size_t kRawBufferSize = 65536;

// Opens, reads the first nBytes, closes; returns how many bytes were read.
std::size_t ReadFilePrefix(const char* pszPath, std::size_t nBytes);

// Creates or truncates the file, writes the bytes, closes; false on any failure.
bool WriteWholeFile(const char* pszPath, const std::string& strBytes);

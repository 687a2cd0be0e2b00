// The quote module a conversion writes, and the title on its first line.
#pragma once

#include "FortuneCookie.h"

#include <cstddef>
#include <string>
#include <vector>

// The longest title that keeps the header in step.
constexpr std::size_t kMaxTitleBytes = 23;

// How command-line text is taken: as UTF-8, or also, where it arrives in the ANSI code page
// as on Windows, bytes that are not UTF-8 as Windows-1252 already.
enum class EArgumentText { Utf8, Utf8OrAnsi };

// The title as given on the command line, in the module's encoding; false when it does not
// fit or does not print.
bool MakeTitle(const std::string& strGiven, EArgumentText eText, EModuleEncoding eEncoding,
               std::string& strTitle);

// From the input file's name: its base name without extension, first letter capital, cut to
// fit between characters.
std::string DefaultTitle(const std::string& strPath, EArgumentText eText,
                         EModuleEncoding eEncoding);

// Base name of a path, with either kind of slash.
std::string BaseName(const std::string& strPath);

// Header, then text and attribution per quote with "%" lines between them, and a "%" line in
// place of a missing attribution; CR LF after every line.
std::string ModuleText(const std::string& strTitle, const std::vector<SQuote>& quotes);

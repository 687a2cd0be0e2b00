// The quote module a conversion writes, and the title on its first line.
#pragma once

#include "FortuneCookie.h"

#include <cstddef>
#include <string>
#include <vector>

// The longest title that keeps the header in step.
constexpr std::size_t kMaxTitleBytes = 23;

// The title as given on the command line, in UTF-8, put in the module's encoding (pCodePage,
// nullptr for UTF-8); false when it does not fit or does not print.
bool MakeTitle(const std::string& strGiven, const CCodePage* pCodePage, std::string& strTitle);

// From the input file's name: its base name without extension, first letter capital, cut to
// fit between characters.
std::string DefaultTitle(const std::string& strPath, const CCodePage* pCodePage);

// Base name of a path, with either kind of slash.
std::string BaseName(const std::string& strPath);

// Header, then text and attribution per quote with "%" lines between them, and a "%" line in
// place of a missing attribution; CR LF after every line.
std::string ModuleText(const std::string& strTitle, const std::vector<SQuote>& quotes);

#pragma once

#include <windows.h>

#include <string>

// The framework's own prompts; the program's string tables hold their texts.
#ifndef AFX_IDP_PARSE_INT
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_INT_RANGE 0xF111
#define AFX_IDP_FAILED_TO_LAUNCH_HELP 0xF112
#endif

// A string of the program's resources, in the language Windows' resource loader picks for
// the user; empty when there is none.
std::wstring AfxLoadString(UINT nID);

// The string with each %1 and %2 replaced by the given texts.
std::wstring AfxFormatString2(UINT nID, const wchar_t* psz1, const wchar_t* psz2);

// Windows-1252, the single-byte code page of most modules that are not UTF-8, and UTF-8.
#pragma once

#include <string>

enum class ECp1252Status {
    Converted,
    BadUtf8,  // malformed, overlong, a surrogate or beyond U+10FFFF
    Unmapped, // well-formed, but a character Windows-1252 does not have
};

// Converts the whole of strUtf8 into strCp1252; on failure strCp1252 holds only the part
// before the fault.
ECp1252Status Utf8ToCp1252(const std::string& strUtf8, std::string& strCp1252);

// As Windows converts it: the five undefined codes stand for the control codes of their values.
std::string Cp1252ToUtf8(const std::string& strCp1252);

// A byte the quote window shows as a character: no control code, no DEL, none of the five
// codes Windows-1252 leaves undefined.
bool IsPrintableCp1252(unsigned char ch);
bool IsPrintableCp1252(const std::string& str);
bool IsValidUtf8(const std::string& str);
// The same for UTF-8 text: no control code, DEL or C1 control code.
bool IsPrintableUtf8(const std::string& str);

// UTF-8 as the tools take it from fortune files and command lines, and give it out.
#pragma once

#include <cstddef>
#include <string>

bool IsValidUtf8(const std::string& str);
// No control code, DEL or C1 control code.
bool IsPrintableUtf8(const std::string& str);
// The code point of the valid UTF-8 character at nPos, which it moves past.
char32_t NextCodePoint(const std::string& str, std::size_t& nPos);
// A code point below U+0800.
void AppendUtf8(char32_t cp, std::string& str);
// Takes the last character off, all of its bytes.
void PopUtf8Character(std::string& str);

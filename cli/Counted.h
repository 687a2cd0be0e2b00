// "1 quote", "2 quotes": counts in the tools' messages.
#pragma once

#include <cstdint>
#include <string>

inline std::string Counted(std::uint64_t nCount, const std::string& strNoun)
{
    return std::to_string(nCount) + " " + strNoun + (nCount == 1 ? "" : "s");
}

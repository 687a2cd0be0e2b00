// A failed check ends the run with a message, so libFuzzer keeps the input as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzCheckFailed(const char* pszCondition, const char* pszFile, int nLine)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", pszFile, nLine, pszCondition);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? static_cast<void>(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))

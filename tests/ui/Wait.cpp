#include "Wait.h"

#include <windows.h>

namespace {
const DWORD kPollMs = 20;
}

bool WaitUntil(const std::function<bool()>& fnDone, unsigned nTimeoutMs)
{
    const ULONGLONG nDeadline = ::GetTickCount64() + nTimeoutMs;
    for (;;) {
        if (fnDone()) {
            return true;
        }
        if (::GetTickCount64() >= nDeadline) {
            return false;
        }
        ::Sleep(kPollMs);
    }
}

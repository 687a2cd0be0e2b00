// GoogleTest's one synchronisation object for MinGW's win32 thread model, the program's, which
// has no std::mutex before GCC 13. CMakeLists.txt forces it into every user of GoogleTest.
#pragma once

#include <atomic>

extern "C" __declspec(dllimport) void __stdcall Sleep(unsigned long nMilliseconds);

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { m_bNotified = true; }
    void WaitForNotification() const
    {
        while (!m_bNotified)
            ::Sleep(1);
    }

private:
    std::atomic<bool> m_bNotified{false};
};

} // namespace testing::internal

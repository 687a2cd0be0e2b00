// Wall time from the performance counter, in seconds.
#pragma once

#include <windows.h>

class CStopwatch {
public:
    CStopwatch()
    {
        LARGE_INTEGER frequency = {};
        ::QueryPerformanceFrequency(&frequency);
        m_dTicksPerSecond = static_cast<double>(frequency.QuadPart);
        Restart();
    }
    void Restart() { ::QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now = {};
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / m_dTicksPerSecond;
    }

private:
    double m_dTicksPerSecond = 1.0;
    LARGE_INTEGER m_start = {};
};

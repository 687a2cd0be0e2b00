// The program at 150 % display scaling. Wine reads the prefix's LogPixels when a process
// starts, so only a program started after the change runs at 144 dpi; the test stays at 96.
#include "ProgramTest.h"

#include <cstdlib>

namespace {

bool InWorkArea(HWND hwnd)
{
    RECT area = {}, both = {};
    const RECT rect = WindowRect(hwnd);
    return ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0) &&
           ::IntersectRect(&both, &rect, &area) && ::EqualRect(&both, &rect);
}

using CDisplayScaleTest = CProgramTest;

// The window grows, Center centres it within a pixel, and the top corners and the options
// dialog stay inside the work area.
TEST_F(CDisplayScaleTest, WindowGrowsCentresAndStaysOnScreenAt144Dpi)
{
    HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const RECT at96 = WindowRect(hQuote);
    CloseProgram(hQuote);
    const SScaledDisplay scaled(144);
    hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const RECT rect = WindowRect(hQuote);
    EXPECT_GE((rect.right - rect.left) * 10, (at96.right - at96.left) * 14);
    EXPECT_GE((rect.bottom - rect.top) * 10, (at96.bottom - at96.top) * 13);
    EXPECT_LE(std::abs(rect.left + rect.right - ::GetSystemMetrics(SM_CXSCREEN)), 2);
    EXPECT_LE(std::abs(rect.top + rect.bottom - ::GetSystemMetrics(SM_CYSCREEN)), 2);
    for (const int nTopCorner : {1, 2}) {
        const HWND hOptions = OpenOptions(hQuote);
        ASSERT_NE(hOptions, nullptr);
        EXPECT_TRUE(InWorkArea(hOptions));
        ASSERT_TRUE(SendToItem(hOptions, IDC_POSITION, LB_SETCURSEL, nTopCorner));
        ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
        EXPECT_TRUE(InWorkArea(hQuote)) << "position " << nTopCorner;
    }
    CloseProgram(hQuote);
}

} // namespace

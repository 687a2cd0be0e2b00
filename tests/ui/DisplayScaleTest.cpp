// The program at 150 % display scaling. Wine reads the prefix's LogPixels when a process
// starts, so a program started after the change runs at 144 dpi while this test stays at 96.
#include "ProgramTest.h"

#include <cstdlib>

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";
enum { kTopLeft = 1, kTopRight };

// LogPixels for the programs started while the object lives; the old value comes back.
class CLogPixels {
public:
    explicit CLogPixels(DWORD nDpi)
    {
        DWORD nSize = sizeof m_nOld;
        m_bOld = ::RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", RRF_RT_REG_DWORD,
                                nullptr, &m_nOld, &nSize) == ERROR_SUCCESS;
        Set(nDpi);
    }
    CLogPixels(const CLogPixels&) = delete;
    CLogPixels& operator=(const CLogPixels&) = delete;
    ~CLogPixels()
    {
        if (m_bOld)
            Set(m_nOld);
        else
            ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels");
    }

private:
    static void Set(DWORD nDpi)
    {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels", REG_DWORD, &nDpi,
                          sizeof nDpi);
    }
    DWORD m_nOld = 0;
    bool m_bOld = false;
};

RECT WindowRect(HWND hwnd)
{
    RECT rect = {};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

bool Inside(const RECT& rect, const RECT& area)
{
    return rect.left >= area.left && rect.top >= area.top && rect.right <= area.right &&
           rect.bottom <= area.bottom;
}

using CDisplayScaleTest = CProgramTest;

// The window grows with the display, Center stays centred within a pixel, and the top
// corners and the options dialog stay inside the work area.
TEST_F(CDisplayScaleTest, WindowGrowsCentresAndStaysOnScreenAt144Dpi)
{
    HWND hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const RECT at96 = WindowRect(hQuote);
    CloseProgram(hQuote);

    const CLogPixels scaled(144);
    hQuote = StartProgram();
    ASSERT_NE(hQuote, nullptr);
    const RECT rect = WindowRect(hQuote);
    EXPECT_GE((rect.right - rect.left) * 10, (at96.right - at96.left) * 14);
    EXPECT_GE((rect.bottom - rect.top) * 10, (at96.bottom - at96.top) * 13);
    EXPECT_LE(std::abs(rect.left + rect.right - ::GetSystemMetrics(SM_CXSCREEN)), 2);
    EXPECT_LE(std::abs(rect.top + rect.bottom - ::GetSystemMetrics(SM_CYSCREEN)), 2);

    RECT area = {};
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    for (const int nPosition : {kTopLeft, kTopRight}) {
        const HWND hOptions = OpenOptions(hQuote);
        ASSERT_NE(hOptions, nullptr);
        EXPECT_TRUE(Inside(WindowRect(hOptions), area)) << "the options dialog";
        ASSERT_TRUE(SendToItem(hOptions, IDC_POSITION, LB_SETCURSEL, nPosition));
        ASSERT_TRUE(EndOptions(hQuote, hOptions, IDOK));
        EXPECT_TRUE(Inside(WindowRect(hQuote), area)) << "position " << nPosition;
    }
    CloseProgram(hQuote);
}

} // namespace

// Five thousand presses of Next on a full-size module: nothing the program holds may pile up,
// and the settings file is written once, at Close.
#include "ProgramTest.h"

#include <algorithm>
#include <filesystem>

#include <winternl.h>

namespace {

namespace fs = std::filesystem;

const char kModule[] = "stress.adg";
const int kQuotes = 999, kClicks = 5000;
// Caches have settled by then; growth is measured from here.
const int kBaselineClicks = 100;
const DWORD kSlack = 8;

// Wine answers the system's own handle count with zero, so they are counted in Wine's handle
// list: a count, then entries of 24 bytes that start with the owner's id.
DWORD CountHandles(DWORD nProcessId)
{
    const auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    const auto kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    // Left zero, so a failed query counts nothing.
    std::vector<char> buffer(1 << 20);
    while (::NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                      static_cast<ULONG>(buffer.size()),
                                      nullptr) == kInfoLengthMismatch)
        buffer.assign(buffer.size() * 2, 0);
    const std::size_t nEntries = std::min<std::size_t>(
        *reinterpret_cast<const ULONG*>(buffer.data()), (buffer.size() - sizeof(void*)) / 24);
    DWORD nHandles = 0;
    for (std::size_t i = 0; i < nEntries; ++i)
        nHandles += *reinterpret_cast<const ULONG*>(&buffer[sizeof(void*) + i * 24]) == nProcessId;
    return nHandles;
}

using CStressTest = CProgramTest;

TEST_F(CStressTest, LeavesNoGrowthAndWritesSettingsOnceAtClose)
{
    SSettings settings = {kModule, kQuotes - 1};
    Prepare(settings, ModuleText("Stress", kQuotes, kQuotes));
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    // Loaded at the start; from here on only Close may write it.
    ASSERT_TRUE(fs::remove(fs::u8path(PathOf("index.txt"))));

    int nShown = ShownIndex(hwnd, "Stress");
    DWORD nBaseline = 0;
    for (int i = 1; i <= kClicks; ++i) {
        ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT)) << "Next did not return, click " << i;
        nShown = (nShown + 1) % kQuotes;
        ASSERT_EQ(ShownIndex(hwnd, "Stress"), nShown) << "click " << i;
        if (i == kBaselineClicks)
            nBaseline = CountHandles(m_run.ProcessId());
    }
    EXPECT_NE(nBaseline, 0u) << "cannot count handles";
    EXPECT_LE(CountHandles(m_run.ProcessId()), nBaseline + kSlack) << "handles piled up";
    EXPECT_FALSE(fs::exists(fs::u8path(PathOf("index.txt")))) << "written before Close";

    CloseProgram(hwnd);
    EXPECT_FALSE(fs::exists(fs::u8path(PathOf("index.txt.new")))) << "temporary file left behind";
    settings.nIndex = nShown;
    EXPECT_EQ(Saved(), SavedText(settings));
}

} // namespace

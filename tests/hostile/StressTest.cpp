// Five thousand presses of Next on a full-size module, in either order: nothing the
// program holds may pile up, and the settings file is written once, at Close.
#include "ProgramTest.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include <winternl.h>

namespace {

const char kModule[] = "stress.adg";
const int kQuotes = 999;
const int kClicks = 5000;
// Caches have settled by then; growth is measured from here.
const int kBaselineClicks = 100;
const DWORD kSlack = 8;
const int kRandom = 1;
const int kSequential = 2;

// Wine answers the system's own counters of these with zero, so each is counted where Wine
// keeps it.
const char* const kKinds[] = {"handles", "GDI objects", "windows"};
using SUsage = std::array<DWORD, std::size(kKinds)>;

// Wine's handle list: a count, then entries of 24 bytes that start with the owner's id.
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

// The 64-bit PEB keeps the address of the GDI handle table at 0xF8. Its entries are 24 bytes
// long and have the object's type at 14, zero in a free entry.
DWORD CountGdiObjects(DWORD nProcessId)
{
    const HANDLE hProcess =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, nProcessId);
    PROCESS_BASIC_INFORMATION basic = {};
    UINT64 nTable = 0;
    std::vector<char> table(0x10000 * 24);
    const bool bRead =
        hProcess &&
        ::NtQueryInformationProcess(hProcess, ProcessBasicInformation, &basic, sizeof basic,
                                    nullptr) == 0 &&
        ::ReadProcessMemory(hProcess, reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xF8,
                            &nTable, sizeof nTable, nullptr) &&
        ::ReadProcessMemory(hProcess, reinterpret_cast<const void*>(nTable), table.data(),
                            table.size(), nullptr);
    if (hProcess)
        ::CloseHandle(hProcess);
    DWORD nObjects = 0;
    for (std::size_t i = 14; bRead && i < table.size(); i += 24)
        nObjects += table[i] != 0;
    return nObjects;
}

// Windows are the USER objects a dialog program makes and could fail to destroy.
DWORD CountWindows(DWORD nProcessId)
{
    DWORD nWindows = 0;
    for (HWND hwnd = ::GetTopWindow(nullptr); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        DWORD nOwner = 0;
        ::GetWindowThreadProcessId(hwnd, &nOwner);
        for (HWND hChild = ::GetWindow(hwnd, GW_CHILD); nOwner == nProcessId && hChild;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            ++nWindows;
        nWindows += nOwner == nProcessId;
    }
    return nWindows;
}

SUsage Measure(DWORD nProcessId)
{
    return {CountHandles(nProcessId), CountGdiObjects(nProcessId), CountWindows(nProcessId)};
}

class CStressTest : public CProgramTest, public testing::WithParamInterface<int> {};

TEST_P(CStressTest, LeavesNoGrowthAndWritesSettingsOnceAtClose)
{
    const int nOrder = GetParam();
    SSettings settings = {kModule, kQuotes - 1, 10, nOrder};
    Prepare(settings, ModuleText("Stress", kQuotes, kQuotes));
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    // Loaded at the start; from here on only Close may write it.
    ASSERT_TRUE(std::filesystem::remove(PathOf("index.txt")));

    int nShown = ShownIndex(hwnd, "Stress");
    SUsage baseline = {};
    int nSequentialSteps = 0;
    for (int i = 1; i <= kClicks; ++i) {
        ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT)) << "Next did not return, click " << i;
        const int nBefore = nShown;
        nShown = ShownIndex(hwnd, "Stress");
        ASSERT_GE(nShown, 0) << ItemText(hwnd, IDC_QUOTE_TEXT);
        ASSERT_NE(nShown, nBefore) << "the quote shown stayed, click " << i;
        nSequentialSteps += nShown == (nBefore + 1) % kQuotes;
        if (i == kBaselineClicks)
            baseline = Measure(m_run.ProcessId());
    }
    // A random pick lands on the next quote about once in a thousand.
    if (nOrder == kSequential) {
        EXPECT_EQ(nSequentialSteps, kClicks);
    } else {
        EXPECT_LT(nSequentialSteps, kClicks / 100) << "presses that showed the next quote";
    }
    const SUsage last = Measure(m_run.ProcessId());
    for (std::size_t i = 0; i < last.size(); ++i) {
        EXPECT_NE(baseline[i], 0u) << "cannot count " << kKinds[i];
        EXPECT_LE(last[i], baseline[i] + kSlack) << kKinds[i];
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("index.txt"))) << "written before Close";

    CloseProgram(hwnd);
    EXPECT_FALSE(std::filesystem::exists(PathOf("index.txt.new"))) << "temporary file left behind";
    settings.nIndex = nShown;
    EXPECT_EQ(Saved(), SavedText(settings));
}

INSTANTIATE_TEST_SUITE_P(Sequential, CStressTest, testing::Values(kSequential));
INSTANTIATE_TEST_SUITE_P(Random, CStressTest, testing::Values(kRandom));

} // namespace

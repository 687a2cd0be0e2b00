// Five thousand presses of Next on a full-size module, in either order: nothing the
// program holds may pile up, and the settings file is written once, at Close.
#include "ProgramTest.h"

#include <algorithm>
#include <filesystem>

#include <psapi.h>
#include <winternl.h>

namespace {

const char kModule[] = "stress.adg";
const int kQuotes = 999;
const int kClicks = 5000;
// Caches and heaps have settled by then; growth is measured from here.
const int kBaselineClicks = 100;
const DWORD kObjectSlack = 8;
const std::size_t kPrivateBytesSlack = 2 * 1024 * 1024;
const int kRandom = 1;
const int kSequential = 2;

// Wine answers the system's own counters of GDI objects, USER objects and handles with
// zero, so each is counted where Wine keeps it.
struct SUsage {
    DWORD nGdiObjects;
    DWORD nWindows;
    DWORD nHandles;
    std::size_t nPrivateBytes;
};

// The system's handle list as Wine lays it out.
struct SSystemHandle {
    ULONG nOwnerPid;
    BYTE nObjectType;
    BYTE nFlags;
    USHORT nHandleValue;
    PVOID pObject;
    ULONG nAccess;
};

// One entry of the GDI handle table that the PEB points to; a free entry has type 0.
struct SGdiHandleEntry {
    UINT64 nObject;
    ULONG nOwner;
    USHORT nUnique;
    UCHAR nType;
    UCHAR nFlags;
    UINT64 nUserPointer;
};

DWORD CountHandles(DWORD nProcessId)
{
    const auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    const auto kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<char> buffer(1 << 20);
    NTSTATUS nStatus = 0;
    while ((nStatus = ::NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                                 static_cast<ULONG>(buffer.size()), nullptr)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (nStatus != 0)
        return 0;
    const ULONG nCount = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* pFirst = reinterpret_cast<const SSystemHandle*>(buffer.data() + sizeof(void*));
    return static_cast<DWORD>(std::count_if(pFirst, pFirst + nCount, [&](const auto& handle) {
        return handle.nOwnerPid == nProcessId;
    }));
}

// The 64-bit PEB keeps the table's address at 0xF8.
DWORD CountGdiObjects(HANDLE hProcess)
{
    PROCESS_BASIC_INFORMATION basic = {};
    UINT64 nTable = 0;
    std::vector<SGdiHandleEntry> entries(0x10000);
    if (::NtQueryInformationProcess(hProcess, ProcessBasicInformation, &basic, sizeof basic,
                                    nullptr) != 0 ||
        !::ReadProcessMemory(hProcess, reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xF8,
                             &nTable, sizeof nTable, nullptr) ||
        !::ReadProcessMemory(hProcess, reinterpret_cast<const void*>(nTable), entries.data(),
                             entries.size() * sizeof(SGdiHandleEntry), nullptr))
        return 0;
    return static_cast<DWORD>(std::count_if(entries.begin(), entries.end(),
                                            [](const auto& entry) { return entry.nType != 0; }));
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

// Nothing when the process cannot be asked; a live dialog program holds some of each.
std::optional<SUsage> Measure(DWORD nProcessId)
{
    const HANDLE hProcess =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, nProcessId);
    if (!hProcess)
        return std::nullopt;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    const bool bMemory = ::GetProcessMemoryInfo(
        hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Both are the private bytes committed; Wine fills in only the older field.
    const SUsage usage = {CountGdiObjects(hProcess), CountWindows(nProcessId),
                          CountHandles(nProcessId),
                          std::max(memory.PrivateUsage, memory.PagefileUsage)};
    ::CloseHandle(hProcess);
    if (!bMemory || !usage.nGdiObjects || !usage.nWindows || !usage.nHandles)
        return std::nullopt;
    return usage;
}

class CStressTest : public CProgramTest, public testing::WithParamInterface<int> {};

TEST_P(CStressTest, LeavesNoGrowthAndWritesSettingsOnceAtClose)
{
    const int nOrder = GetParam();
    SSettings settings = {kModule, kQuotes - 1, 10, nOrder};
    ASSERT_TRUE(Write(kModule, ModuleText("Stress", kQuotes, kQuotes)));
    Prepare(settings);
    const HWND hwnd = StartProgram();
    ASSERT_NE(hwnd, nullptr);
    // Loaded at the start; from here on only Close may write it.
    ASSERT_TRUE(std::filesystem::remove(PathOf("index.txt")));

    int nShown = ShownIndex(hwnd, "Stress");
    ASSERT_GE(nShown, 0);
    SUsage baseline = {};
    int nSequentialSteps = 0;
    for (int i = 1; i <= kClicks; ++i) {
        SCOPED_TRACE("click " + std::to_string(i));
        ASSERT_TRUE(ClickButton(hwnd, IDC_NEXT)) << "Next did not return";
        const int nBefore = nShown;
        nShown = ShownIndex(hwnd, "Stress");
        nSequentialSteps += nShown == (nBefore + 1) % kQuotes;
        if (nOrder == kSequential) {
            ASSERT_EQ(nShown, i % kQuotes);
        } else {
            ASSERT_GE(nShown, 0) << ItemText(hwnd, IDC_QUOTE_TEXT);
            ASSERT_NE(nShown, nBefore) << "the random pick repeated the quote shown";
        }
        if (i == kBaselineClicks) {
            const std::optional<SUsage> usage = Measure(m_run.ProcessId());
            ASSERT_TRUE(usage) << "cannot measure the program";
            baseline = *usage;
        }
    }
    // A random pick lands on the next quote about once in a thousand.
    EXPECT_EQ(nSequentialSteps > kClicks / 2, nOrder == kSequential)
        << nSequentialSteps << " of " << kClicks << " presses showed the next quote";
    const std::optional<SUsage> last = Measure(m_run.ProcessId());
    ASSERT_TRUE(last) << "cannot measure the program";
    EXPECT_LE(last->nGdiObjects, baseline.nGdiObjects + kObjectSlack) << "GDI objects";
    EXPECT_LE(last->nWindows, baseline.nWindows + kObjectSlack) << "windows";
    EXPECT_LE(last->nHandles, baseline.nHandles + kObjectSlack) << "handles";
    EXPECT_LE(last->nPrivateBytes, baseline.nPrivateBytes + kPrivateBytesSlack) << "private bytes";
    EXPECT_FALSE(std::filesystem::exists(PathOf("index.txt"))) << "written before Close";

    CloseProgram(hwnd);
    EXPECT_FALSE(std::filesystem::exists(PathOf("index.txt.new"))) << "temporary file left behind";
    settings.nIndex = nShown;
    EXPECT_EQ(Saved(), SavedText(settings));
}

INSTANTIATE_TEST_SUITE_P(Orders, CStressTest, testing::Values(kSequential, kRandom),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == kRandom ? "Random" : "Sequential";
                         });

} // namespace

#include "ProcessUsage.h"

#include <algorithm>
#include <vector>

#include <psapi.h>
#include <winternl.h>

namespace {

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

// Zero when the handle list cannot be had.
DWORD CountSystemHandles(DWORD nProcessId)
{
    const auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    const auto kStatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
    std::vector<char> buffer(1 << 20);
    NTSTATUS nStatus = 0;
    while ((nStatus = ::NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                                 static_cast<ULONG>(buffer.size()), nullptr)) ==
           kStatusInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (nStatus != 0) {
        return 0;
    }
    const ULONG nCount = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* pFirst = reinterpret_cast<const SSystemHandle*>(buffer.data() + sizeof(void*));
    return static_cast<DWORD>(std::count_if(pFirst, pFirst + nCount, [&](const auto& handle) {
        return handle.nOwnerPid == nProcessId;
    }));
}

// Zero when the table cannot be read: the 64-bit PEB keeps its address at 0xF8.
DWORD CountGdiTableEntries(HANDLE hProcess)
{
    PROCESS_BASIC_INFORMATION basic = {};
    UINT64 nTable = 0;
    std::vector<SGdiHandleEntry> entries(0x10000);
    if (::NtQueryInformationProcess(hProcess, ProcessBasicInformation, &basic, sizeof basic,
                                    nullptr) != 0 ||
        !::ReadProcessMemory(hProcess, reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xF8,
                             &nTable, sizeof nTable, nullptr) ||
        !::ReadProcessMemory(hProcess, reinterpret_cast<const void*>(nTable), entries.data(),
                             entries.size() * sizeof(SGdiHandleEntry), nullptr)) {
        return 0;
    }
    return static_cast<DWORD>(std::count_if(entries.begin(), entries.end(),
                                            [](const auto& entry) { return entry.nType != 0; }));
}

// Windows are the USER objects a dialog program makes and could fail to destroy.
DWORD CountWindows(DWORD nProcessId)
{
    struct SCount {
        DWORD nProcessId;
        DWORD nWindows;
    } count = {nProcessId, 0};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* pCount = reinterpret_cast<SCount*>(lParam);
            DWORD nOwner = 0;
            ::GetWindowThreadProcessId(hwnd, &nOwner);
            if (nOwner == pCount->nProcessId) {
                ++pCount->nWindows;
                ::EnumChildWindows(
                    hwnd,
                    [](HWND, LPARAM lChild) -> BOOL {
                        ++reinterpret_cast<SCount*>(lChild)->nWindows;
                        return TRUE;
                    },
                    lParam);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.nWindows;
}

// A live dialog program holds some of each: zero means the count is not kept.
std::optional<SProcessUsage> Measure(HANDLE hProcess, DWORD nProcessId)
{
    SProcessUsage usage = {::GetGuiResources(hProcess, GR_GDIOBJECTS),
                           ::GetGuiResources(hProcess, GR_USEROBJECTS), 0, 0};
    usage.nGdiObjects = usage.nGdiObjects ? usage.nGdiObjects : CountGdiTableEntries(hProcess);
    usage.nUserObjects = usage.nUserObjects ? usage.nUserObjects : CountWindows(nProcessId);
    if (!::GetProcessHandleCount(hProcess, &usage.nHandles) || usage.nHandles == 0) {
        usage.nHandles = CountSystemHandles(nProcessId);
    }
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (usage.nGdiObjects == 0 || usage.nUserObjects == 0 || usage.nHandles == 0 ||
        !::GetProcessMemoryInfo(hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                sizeof memory)) {
        return std::nullopt;
    }
    // Both are the private bytes committed; Wine fills in only the older field.
    usage.nPrivateBytes = std::max(memory.PrivateUsage, memory.PagefileUsage);
    return usage;
}

} // namespace

void PrintTo(const SProcessUsage& usage, std::ostream* pStream)
{
    *pStream << "{GDI " << usage.nGdiObjects << ", USER " << usage.nUserObjects << ", handles "
             << usage.nHandles << ", private " << usage.nPrivateBytes << " bytes}";
}

std::optional<SProcessUsage> MeasureProcess(DWORD nProcessId)
{
    const HANDLE hProcess =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, nProcessId);
    if (!hProcess) {
        return std::nullopt;
    }
    const std::optional<SProcessUsage> usage = Measure(hProcess, nProcessId);
    ::CloseHandle(hProcess);
    return usage;
}

#include "ProcessUsage.h"

#include <algorithm>
#include <vector>

#include <psapi.h>
#include <winternl.h>

namespace {

// The system's handle list as Wine lays it out.
const SYSTEM_INFORMATION_CLASS kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
const NTSTATUS kStatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

struct SSystemHandle {
    ULONG nOwnerPid;
    BYTE nObjectType;
    BYTE nFlags;
    USHORT nHandleValue;
    PVOID pObject;
    ULONG nAccess;
};

struct SSystemHandles {
    ULONG nCount;
    SSystemHandle handles[1];
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

// Where the 64-bit PEB keeps the table's address, and how many entries the table has.
const std::size_t kPebGdiTableOffset = 0xF8;
const std::size_t kGdiTableEntries = 0x10000;

std::optional<DWORD> CountSystemHandles(DWORD nProcessId)
{
    std::vector<char> buffer(1 << 20);
    NTSTATUS nStatus = 0;
    while ((nStatus = ::NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                                 static_cast<ULONG>(buffer.size()), nullptr)) ==
           kStatusInfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (nStatus != 0) {
        return std::nullopt;
    }
    const auto* pHandles = reinterpret_cast<const SSystemHandles*>(buffer.data());
    const SSystemHandle* pEnd = pHandles->handles + pHandles->nCount;
    return static_cast<DWORD>(std::count_if(pHandles->handles, pEnd, [&](const auto& handle) {
        return handle.nOwnerPid == nProcessId;
    }));
}

std::optional<DWORD> CountGdiTableEntries(HANDLE hProcess)
{
    PROCESS_BASIC_INFORMATION basic = {};
    UINT64 nTable = 0;
    if (::NtQueryInformationProcess(hProcess, ProcessBasicInformation, &basic, sizeof basic,
                                    nullptr) != 0 ||
        !::ReadProcessMemory(hProcess,
                             static_cast<const char*>(static_cast<void*>(basic.PebBaseAddress)) +
                                 kPebGdiTableOffset,
                             &nTable, sizeof nTable, nullptr) ||
        nTable == 0) {
        return std::nullopt;
    }
    std::vector<SGdiHandleEntry> entries(kGdiTableEntries);
    if (!::ReadProcessMemory(hProcess, reinterpret_cast<const void*>(nTable), entries.data(),
                             entries.size() * sizeof(SGdiHandleEntry), nullptr)) {
        return std::nullopt;
    }
    return static_cast<DWORD>(std::count_if(entries.begin(), entries.end(),
                                            [](const auto& entry) { return entry.nType != 0; }));
}

struct SWindowCount {
    DWORD nProcessId;
    DWORD nWindows;
};

BOOL CALLBACK CountChildWindow(HWND /*hwnd*/, LPARAM lParam)
{
    ++reinterpret_cast<SWindowCount*>(lParam)->nWindows;
    return TRUE;
}

BOOL CALLBACK CountTopWindow(HWND hwnd, LPARAM lParam)
{
    auto* pCount = reinterpret_cast<SWindowCount*>(lParam);
    DWORD nProcessId = 0;
    ::GetWindowThreadProcessId(hwnd, &nProcessId);
    if (nProcessId == pCount->nProcessId) {
        ++pCount->nWindows;
        ::EnumChildWindows(hwnd, CountChildWindow, lParam);
    }
    return TRUE;
}

// Windows are the USER objects a dialog program makes and could fail to destroy.
DWORD CountWindows(DWORD nProcessId)
{
    SWindowCount count = {nProcessId, 0};
    ::EnumWindows(CountTopWindow, reinterpret_cast<LPARAM>(&count));
    return count.nWindows;
}

std::optional<DWORD> GuiObjects(HANDLE hProcess, DWORD nKind)
{
    ::SetLastError(ERROR_SUCCESS);
    const DWORD nObjects = ::GetGuiResources(hProcess, nKind);
    if (nObjects == 0 && ::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        return std::nullopt;
    }
    return nObjects;
}

std::optional<DWORD> HandleCount(HANDLE hProcess, DWORD nProcessId)
{
    DWORD nHandles = 0;
    // A live process holds some handles: zero means the count is not kept.
    if (::GetProcessHandleCount(hProcess, &nHandles) && nHandles != 0) {
        return nHandles;
    }
    return CountSystemHandles(nProcessId);
}

std::optional<SProcessUsage> Measure(HANDLE hProcess, DWORD nProcessId)
{
    std::optional<DWORD> gdi = GuiObjects(hProcess, GR_GDIOBJECTS);
    if (!gdi) {
        gdi = CountGdiTableEntries(hProcess);
    }
    std::optional<DWORD> user = GuiObjects(hProcess, GR_USEROBJECTS);
    if (!user) {
        user = CountWindows(nProcessId);
    }
    const std::optional<DWORD> handles = HandleCount(hProcess, nProcessId);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (!gdi || !handles ||
        !::GetProcessMemoryInfo(hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                                sizeof memory)) {
        return std::nullopt;
    }
    // Both are the private bytes committed; Wine fills in only the older field.
    const std::size_t nPrivate = std::max(memory.PrivateUsage, memory.PagefileUsage);
    return SProcessUsage{*gdi, *user, *handles, nPrivate};
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

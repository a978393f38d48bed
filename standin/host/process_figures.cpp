#include "process_figures.h"

#include <windows.h>

#ifdef _WIN32
#include <psapi.h>
#else
#include <cstdio>

#include "standin/inspect_user.h"
#include "standin/kernel_control.h"
#endif

namespace hoststandin {

#ifdef _WIN32
namespace {

// Where the system does not count a process's handles (Wine answers 0), the handle table is
// probed: every valid handle value answers GetHandleInformation. Handle values are handed out
// from the lowest free slot, so the probe ends after a long run of free ones.
long ProbeHandles() {
    const ULONG_PTR kFreeRunThatEnds = 4096;
    long count = 0;
    DWORD flags = 0;
    ULONG_PTR lastValid = 0;
    for (ULONG_PTR value = 4; value < 0x4000000 && value - lastValid <= 4 * kFreeRunThatEnds;
         value += 4) {
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            lastValid = value;
        }
    }
    return count;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

// The windows of this thread, children included (the objects of the window system that a
// leaking object would keep).
long CountThreadWindows() {
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace
#endif

ProcessFigures CurrentProcessFigures() {
    ProcessFigures figures;
#ifdef _WIN32
    HANDLE process = GetCurrentProcess();
    DWORD handles = 0;
    figures.handles = GetProcessHandleCount(process, &handles) && handles > 0
                          ? static_cast<long>(handles)
                          : ProbeHandles();
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    figures.gdiObjects = gdi > 0 ? static_cast<long>(gdi) : -1;
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    figures.userObjects = user > 0 ? static_cast<long>(user) : CountThreadWindows();
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory)) {
        // Private bytes where the system counts them, else the committed page-file bytes.
        SIZE_T bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        figures.memoryKb = static_cast<long>(bytes / 1024);
        figures.workingSetKb = static_cast<long>(memory.WorkingSetSize / 1024);
    }
#else
    figures.handles = standin::OpenKernelHandles();
    figures.userObjects = static_cast<long>(standin::LiveWindows().size());
    if (std::FILE* status = std::fopen("/proc/self/statm", "r")) {
        long pages = 0, resident = 0;
        if (std::fscanf(status, "%ld %ld", &pages, &resident) == 2)
            figures.memoryKb = resident * 4;
        std::fclose(status);
    }
#endif
    return figures;
}

std::string Describe(const ProcessFigures& figures) {
    std::string text;
    auto add = [&](const char* name, long value, const char* unit) {
        if (value < 0)
            return;
        text += (text.empty() ? "" : ", ") + std::string(name) + " " + std::to_string(value) + unit;
    };
    add("handles", figures.handles, "");
    add("GDI", figures.gdiObjects, "");
#ifdef _WIN32
    add("windows and USER objects", figures.userObjects, "");
    add("committed memory", figures.memoryKb, " KiB");
    add("working set", figures.workingSetKb, " KiB");
#else
    add("windows", figures.userObjects, "");
    add("resident memory", figures.memoryKb, " KiB");
#endif
    return text.empty() ? "no figures" : text;
}

} // namespace hoststandin

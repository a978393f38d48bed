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

ProcessFigures CurrentProcessFigures() {
    ProcessFigures figures;
#ifdef _WIN32
    HANDLE process = GetCurrentProcess();
    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles))
        figures.handles = static_cast<long>(handles);
    figures.gdiObjects = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
    figures.userObjects = static_cast<long>(GetGuiResources(process, GR_USEROBJECTS));
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof memory))
        figures.memoryKb = static_cast<long>(memory.PrivateUsage / 1024);
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
    add("USER", figures.userObjects, "");
    add("private memory", figures.memoryKb, " KiB");
#else
    add("windows", figures.userObjects, "");
    add("resident memory", figures.memoryKb, " KiB");
#endif
    return text.empty() ? "no figures" : text;
}

} // namespace hoststandin

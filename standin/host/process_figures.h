// Figures of the running process that show a leak over a long run: handles, window-system
// objects and memory. On Windows the process's own counters; on the native build the stand-in's
// handle and window tables and the process's resident memory. Where Wine leaves a counter at
// 0, the figure is found another way (handles probed, windows enumerated).
#pragma once

#include <string>

namespace hoststandin {

struct ProcessFigures {
    long handles = -1;      // kernel handles (Windows) or the stand-in's open kernel handles
    long gdiObjects = -1;   // Windows only
    long userObjects = -1;  // Windows: USER objects; native: the stand-in's live windows
    long memoryKb = -1;     // private (or committed) bytes on Windows, resident memory native; KiB
    long workingSetKb = -1; // Windows only
};

ProcessFigures CurrentProcessFigures();
// "handles 52, GDI 10, USER 8, memory 10240 KiB" (figures that are not known are left out).
std::string Describe(const ProcessFigures& figures);

} // namespace hoststandin

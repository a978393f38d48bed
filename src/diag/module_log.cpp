#include "diag/event_log.h"

#include <new>

namespace {
EventLog* moduleLog = nullptr;
}

EventLog* ModuleLog() {
    return moduleLog;
}

void OpenModuleLog() {
    if (moduleLog)
        return;
    // Allocated on the process heap so that a failed allocation is an ordinary null result.
    void* storage = HeapAlloc(GetProcessHeap(), 0, sizeof(EventLog));
    if (!storage)
        return; // no log: every line is silently skipped
    moduleLog = new (storage) EventLog(kModuleLogPath, true, true, false);
}

void CloseModuleLog() {
    if (!moduleLog)
        return;
    EventLog* log = moduleLog;
    moduleLog = nullptr;
    log->CloseLog();
    log->~EventLog();
    HeapFree(GetProcessHeap(), 0, log);
}

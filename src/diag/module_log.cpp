#include "diag/event_log.h"

#include <new>

EventLog* moduleLogInstance = nullptr;

void OpenModuleLog() {
    if (moduleLogInstance)
        return;
    // Allocated on the process heap so that a failed allocation is an ordinary null result.
    void* storage = HeapAlloc(GetProcessHeap(), 0, sizeof(EventLog));
    if (!storage)
        return; // no log: every line is silently skipped
    moduleLogInstance = new (storage) EventLog(kModuleLogPath, true, true, false);
}

void CloseModuleLog() {
    if (!moduleLogInstance)
        return;
    EventLog* log = moduleLogInstance;
    moduleLogInstance = nullptr;
    log->CloseLog();
    log->~EventLog();
    HeapFree(GetProcessHeap(), 0, log);
}

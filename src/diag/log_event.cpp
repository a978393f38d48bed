// LogEvent's quick return lives apart from the formatting so that a call with both switches off
// costs a call and a test, with no large stack frame to set up.
#include "diag/event_log.h"

#include <cstdarg>

void LogEvent(EventLog* log, LPCWSTR format, ...) {
    if (!log || !log->Enabled())
        return;
    va_list args;
    va_start(args, format);
    log->WriteFormatted(format, args);
    va_end(args);
}

#include "diag/event_log.h"

#include "diag/format.h"

#include <cstdarg>

int ShowModuleMessage(LPCWSTR format, ...) {
    WCHAR text[1024];
    va_list args;
    va_start(args, format);
    FormatText(text, 1024, format, args);
    va_end(args);
    return MessageBoxW(nullptr, text, L"Cinevane Object", MB_OK);
}

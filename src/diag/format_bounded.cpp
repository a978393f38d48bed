#include "diag/event_log.h"

#include "diag/format.h"

#include <cstdarg>

HRESULT FormatBounded(LPWSTR buffer, size_t capacity, LPCWSTR format, ...) {
    if (!buffer || capacity == 0 || capacity > 0x7FFFFFFF)
        return E_INVALIDARG;
    va_list args;
    va_start(args, format);
    size_t length = FormatText(buffer, capacity, format, args);
    va_end(args);
    // FormatText has already cut the text and put the terminator at capacity - 1.
    return length > capacity - 1 ? HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) : S_OK;
}

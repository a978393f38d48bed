// The module's printf-style formatter, identical on both builds (Windows conventions):
// %s wide text (null prints "(null)"), %c wide character, %d %i %u, %x %X, %I64d %I64u %I64x,
// %ld %lu %lx, %f (fixed, default precision 6), %p, %%; flags '-' '0' '+' ' ', width and
// precision (digits or '*').
#pragma once

#include <windows.h>

#include <cstdarg>

// Formats into `buffer` (capacity units, terminator included). Returns the full length the text
// would have, which may exceed capacity - 1; the buffer then holds the first capacity - 1 units,
// terminated. Capacity 0 writes nothing.
size_t FormatText(LPWSTR buffer, size_t capacity, LPCWSTR format, va_list args);
size_t FormatTextArgs(LPWSTR buffer, size_t capacity, LPCWSTR format, ...);

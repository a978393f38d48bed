// The module's own UTF-16 text helpers. wchar_t is 16-bit on both builds, but the C library's
// wide functions assume 4 bytes on Linux, so the module never calls them.
#pragma once

#include <windows.h>

// Number of units before the terminator.
size_t TextLength(LPCWSTR text);
// Length, but reading no more than `limit` units (an unterminated field stays in bounds).
size_t TextLengthBounded(LPCWSTR text, size_t limit);
// Copies at most capacity - 1 units and terminates; returns the units copied. Capacity 0 writes
// nothing.
size_t TextCopy(LPWSTR dest, size_t capacity, LPCWSTR source);
// Appends like TextCopy after the text already in `dest`.
size_t TextAppend(LPWSTR dest, size_t capacity, LPCWSTR source);
// Ordinal comparison: <0, 0, >0.
int TextCompare(LPCWSTR a, LPCWSTR b);
// Ordinal comparison ignoring ASCII case.
int TextCompareNoCase(LPCWSTR a, LPCWSTR b);
// Last occurrence of `unit`, or null.
LPCWSTR TextFindLast(LPCWSTR text, WCHAR unit);

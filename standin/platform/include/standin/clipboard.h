// Clipboard area of the platform stand-in: one process-wide clipboard holding global-memory
// handles by format. Data handed over with SetClipboardData belongs to the clipboard, which frees
// it when the data is replaced or the clipboard emptied. Faults "OpenClipboard", "EmptyClipboard",
// "SetClipboardData" and "CloseClipboard" make those calls fail with the injected last-error
// code (a busy clipboard is an "OpenClipboard" fault with ERROR_ACCESS_DENIED).
#pragma once

#include "standin/base_types.h"

#define CF_TEXT 1
#define CF_BITMAP 2
#define CF_DIB 8
#define CF_UNICODETEXT 13
#define CF_DIBV5 17

BOOL WINAPI OpenClipboard(HWND newOwner);
BOOL WINAPI CloseClipboard();
BOOL WINAPI EmptyClipboard();
HANDLE WINAPI SetClipboardData(UINT format, HANDLE memory);
HANDLE WINAPI GetClipboardData(UINT format);
BOOL WINAPI IsClipboardFormatAvailable(UINT format);
HWND WINAPI GetClipboardOwner();
HWND WINAPI GetOpenClipboardWindow();

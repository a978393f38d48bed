// The host's run-time library (HOSTRT.dll): its services are imported by ordinal only and bound
// at first use. A missing library or ordinal gives a null procedure, which callers treat as
// "the host offers no such service".
#pragma once

#include <windows.h>

// The library's name is a build setting (CMake: CINEVANE_HOSTRT_LIBRARY, default HOSTRT.dll).
#ifndef CINEVANE_HOSTRT_LIBRARY
#define CINEVANE_HOSTRT_LIBRARY HOSTRT.dll
#endif
#define CINEVANE_WIDEN_TEXT(text) L##text
#define CINEVANE_WIDE_NAME(name) CINEVANE_WIDEN_TEXT(#name)
#define CINEVANE_WIDE_SETTING(setting) CINEVANE_WIDE_NAME(setting)
#define HOSTRT_LIBRARY_NAME CINEVANE_WIDE_SETTING(CINEVANE_HOSTRT_LIBRARY)

// File existence: (path) -> non-zero when the file exists. The image services use 172 264 372
// 1058 491 710 401 286 502 408 1044 506 241 769 348 272 1030; this one is 1110.
constexpr WORD kHostFileExistsOrdinal = 1110;
typedef int(WINAPI* HostFileExistsService)(LPCWSTR path);

// The procedure exported under `ordinal`, or null. Bindings found are kept until
// ForgetHostRuntime; a missing library or ordinal is looked up again at the next call.
FARPROC HostRuntimeProc(WORD ordinal);

// HostRuntimeProc cast to the service's own type (through void*, which both compilers accept
// between function pointer types without a warning).
template <typename Service> Service HostRuntimeService(WORD ordinal) {
    return reinterpret_cast<Service>(reinterpret_cast<void*>(HostRuntimeProc(ordinal)));
}

// Drops every binding (Free calls it, so a later Initialize binds afresh).
void ForgetHostRuntime();

// The host's answer to "does this file exist?"; without the service, the module's own FileExists.
bool HostFileExists(LPCWSTR path);

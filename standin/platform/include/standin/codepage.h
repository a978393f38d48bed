// Platform stand-in: MultiByteToWideChar for the ANSI code page 1252 (also CP_ACP and
// CP_THREAD_ACP), US-ASCII 20127 and UTF-8 65001. Other code pages fail with
// ERROR_INVALID_PARAMETER.
#pragma once

#include "standin/base_types.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_MACCP 2
#define CP_THREAD_ACP 3
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008

#define ERROR_INVALID_FLAGS 1004L
#define ERROR_NO_UNICODE_TRANSLATION 1113L

// source length -1 (any negative) converts up to and including the terminator; output size 0
// asks for the units needed. Fails with 0 and the last error ERROR_INVALID_PARAMETER,
// ERROR_INVALID_FLAGS, ERROR_INSUFFICIENT_BUFFER (what fitted is written) or, with
// MB_ERR_INVALID_CHARS on malformed UTF-8, ERROR_NO_UNICODE_TRANSLATION.
int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes,
                               LPWSTR output, int outputUnits);

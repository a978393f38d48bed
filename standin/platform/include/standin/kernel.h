// Kernel area of the platform stand-in: modules, last error, files, directories, attributes,
// enumeration, the console, time, process exit and global/heap memory.
// Windows paths map onto a sandbox folder (see standin/sandbox.h); test controls and inspection
// live in standin/kernel_control.h, which module code never includes.
#pragma once

#include "standin/base_types.h"

// ---- Memory helpers of winnt.h ----
#define ZeroMemory(dest, bytes) std::memset((dest), 0, (bytes))
#define FillMemory(dest, bytes, fill) std::memset((dest), (fill), (bytes))
#define CopyMemory(dest, src, bytes) std::memcpy((dest), (src), (bytes))
#define MoveMemory(dest, src, bytes) std::memmove((dest), (src), (bytes))

// ---- More error codes the kernel area reports ----
#define ERROR_INVALID_DATA 13L
#define ERROR_HANDLE_EOF 38L
#define ERROR_DISK_FULL 112L
#define ERROR_INVALID_NAME 123L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_NEGATIVE_SEEK 131L
#define ERROR_NOT_LOCKED 158L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_FILENAME_EXCED_RANGE 206L
#define ERROR_DIRECTORY 267L

// ---- Modules ----
#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))

typedef INT_PTR(WINAPI* FARPROC)();

HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName);
HMODULE WINAPI LoadLibraryW(LPCWSTR fileName);
// `procName` is a name or an ordinal made with MAKEINTRESOURCEA.
FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName);
BOOL WINAPI FreeLibrary(HMODULE module);

// ---- Last error ----
DWORD WINAPI GetLastError();
void WINAPI SetLastError(DWORD error);

// ---- Files ----
#define GENERIC_READ 0x80000000UL
#define GENERIC_WRITE 0x40000000UL
#define FILE_SHARE_READ 0x00000001UL
#define FILE_SHARE_WRITE 0x00000002UL
#define FILE_SHARE_DELETE 0x00000004UL
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_READONLY 0x00000001UL
#define FILE_ATTRIBUTE_HIDDEN 0x00000002UL
#define FILE_ATTRIBUTE_SYSTEM 0x00000004UL
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010UL
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020UL
#define FILE_ATTRIBUTE_NORMAL 0x00000080UL
#define FILE_ATTRIBUTE_REPARSE_POINT 0x00000400UL
#define IO_REPARSE_TAG_SYMLINK 0xA000000CUL
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define INVALID_SET_FILE_POINTER ((DWORD)-1)

typedef LONG* PLONG;

typedef struct _SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _OVERLAPPED OVERLAPPED, *LPOVERLAPPED; // never used: all I/O is synchronous

typedef struct _FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME, *PFILETIME, *LPFILETIME;

typedef struct _WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
} WIN32_FIND_DATAW, *PWIN32_FIND_DATAW, *LPWIN32_FIND_DATAW;
static_assert(sizeof(WIN32_FIND_DATAW) == 592, "WIN32_FIND_DATAW layout");

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                          LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                          DWORD flagsAndAttributes, HANDLE templateFile);
BOOL WINAPI ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead,
                     LPOVERLAPPED overlapped);
BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                      LPOVERLAPPED overlapped);
DWORD WINAPI SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod);
DWORD WINAPI GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
BOOL WINAPI CloseHandle(HANDLE object);
BOOL WINAPI DeleteFileW(LPCWSTR fileName);

// ---- Directories, attributes, enumeration ----
BOOL WINAPI CreateDirectoryW(LPCWSTR pathName, LPSECURITY_ATTRIBUTES security);
BOOL WINAPI RemoveDirectoryW(LPCWSTR pathName);
DWORD WINAPI GetFileAttributesW(LPCWSTR fileName);
BOOL WINAPI SetFileAttributesW(LPCWSTR fileName, DWORD attributes);
HANDLE WINAPI FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW findData);
BOOL WINAPI FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW findData);
BOOL WINAPI FindClose(HANDLE find);
// The temporary folder, C:\Temp\ (with its closing backslash), there whenever it is asked for.
DWORD WINAPI GetTempPathW(DWORD bufferLength, LPWSTR buffer);

// ---- Console ----
#define STD_INPUT_HANDLE ((DWORD)-10)
#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define STD_ERROR_HANDLE ((DWORD)-12)

typedef struct _COORD {
    SHORT X;
    SHORT Y;
} COORD, *PCOORD;

BOOL WINAPI AllocConsole();
BOOL WINAPI SetConsoleTitleW(LPCWSTR title);
HANDLE WINAPI GetStdHandle(DWORD stdHandle);
BOOL WINAPI SetConsoleScreenBufferSize(HANDLE console, COORD size);
// The count is in characters (UTF-16 units), not bytes.
BOOL WINAPI WriteConsoleW(HANDLE console, const void* buffer, DWORD charsToWrite,
                          LPDWORD charsWritten, LPVOID reserved);

// ---- Time ----
typedef struct _SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

void WINAPI GetLocalTime(LPSYSTEMTIME time);
// Milliseconds on standin::NowMs(); Sleep advances the manual clock when one is active.
DWORD WINAPI GetTickCount();
void WINAPI Sleep(DWORD milliseconds);

// ---- Process ----
// Unlike Windows, the stand-in's ExitProcess returns to its caller after recording the code
// (see standin::ProcessExitCode), so tests observe the exit without the test process ending.
// Module code must therefore leave its function at once after calling it.
void WINAPI ExitProcess(UINT exitCode);

// ---- Memory ----
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define HEAP_ZERO_MEMORY 0x00000008

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID WINAPI GlobalLock(HGLOBAL memory);
BOOL WINAPI GlobalUnlock(HGLOBAL memory);
HGLOBAL WINAPI GlobalFree(HGLOBAL memory);
SIZE_T WINAPI GlobalSize(HGLOBAL memory);

HANDLE WINAPI GetProcessHeap();
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID memory);

// Shared parts of the kernel area: the handle table, path resolution and the area's reset.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace standin {
namespace kernel {

// Registers the area's reset with ResetPlatform on first use (call at every entry point).
void EnsureRegistered();
void ResetFiles();
void ResetConsole();
void ResetTimeAndProcess();
void ResetModules();

// Stores `error` as the thread's last error and answers `result` (for one-line failures).
template <typename T> T Fail(DWORD error, T result) {
    SetLastError(error);
    return result;
}

// A Windows path resolved into the sandbox.
struct ResolvedPath {
    std::string linuxPath;
    bool parentExists = false;      // every folder above the last component exists
    bool trailingSeparator = false; // written with a closing '\' (names a folder)
    bool driveRoot = false;         // "C:\" itself
};
bool ResolvePath(LPCWSTR path, ResolvedPath* resolved, DWORD* error);
// Resolves a folder part given as a separate range of units (used by searches).
bool ResolvePathUnits(const WCHAR* path, size_t length, ResolvedPath* resolved, DWORD* error);

std::string ToUtf8(const WCHAR* text, size_t length);
std::u16string FromUtf8(const std::string& text);
bool SameNameIgnoringCase(const std::string& a, const std::string& b);

// Windows view of a Linux file: attribute bits as GetFileAttributesW answers them.
DWORD AttributesOf(const std::string& linuxPath, bool isDirectory, unsigned mode);
void ForgetAttributes(const std::string& linuxPath);
void StoreExtraAttributes(const std::string& linuxPath, DWORD attributes);
// Read-only is kept in the owner's write bit (checked here: tests may run as root).
bool IsReadOnlyMode(unsigned mode);
// A symbolic link stands for a Windows link (junction or symbolic link). Its attributes are
// FILE_ATTRIBUTE_REPARSE_POINT with FILE_ATTRIBUTE_DIRECTORY when it leads to a folder (else
// FILE_ATTRIBUTE_ARCHIVE).
bool IsLink(const std::string& linuxPath);
DWORD LinkAttributes(const std::string& linuxPath);

// Kernel objects behind HANDLE values.
struct OpenFile {
    int fd = -1;
    std::string linuxPath;
    DWORD access = 0;
    DWORD share = 0;
};
struct Search {
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};
HANDLE AddFile(const OpenFile& file);
HANDLE AddSearch(const Search& search);
OpenFile* FindFile(HANDLE handle);
Search* FindSearch(HANDLE handle);
bool RemoveObject(HANDLE handle); // closes a file's descriptor
std::vector<const OpenFile*> FilesOpenAt(const std::string& linuxPath);
int ObjectCount();
void CloseAllObjects();

// The console's output handle while a console exists (null otherwise).
HANDLE ConsoleHandleValue();

} // namespace kernel
} // namespace standin

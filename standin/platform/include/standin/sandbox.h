// Where the stand-in keeps its files: Windows paths map onto a sandbox folder on the Linux side.
// Drive C: becomes <root>/c/, '\' becomes '/', names match without regard to ASCII case (as on
// Windows), and "." / ".." are resolved without ever leaving the drive's folder.
// Not included by <windows.h>: tests and other stand-in areas include it directly.
#pragma once

#include "standin/base_types.h"

#include <string>

namespace standin {

// The sandbox root: set by SetSandboxRoot, else the environment variable CINEVANE_SANDBOX, else a
// private folder of this process under $TMPDIR (or /tmp), removed when the process ends.
// Created on first use; it survives ResetPlatform (use ClearSandbox to empty it).
void SetSandboxRoot(const std::string& root);
std::string SandboxRoot();

// Maps a Windows path (absolute "C:\...", rooted "\..." on drive C:, or relative to "C:\") onto
// its Linux path in the sandbox. Returns false and sets `error` (a Win32 error code) for an empty,
// over-long (MAX_PATH or more) or malformed path.
bool SandboxPath(LPCWSTR windowsPath, std::string* linuxPath, DWORD* error = nullptr);
std::string SandboxPath(LPCWSTR windowsPath); // "" when the path cannot be mapped

// Test helpers on sandbox files, by Windows path.
bool WriteSandboxFile(LPCWSTR windowsPath, const std::string& bytes); // creates parent folders
bool ReadSandboxFile(LPCWSTR windowsPath, std::string* bytes);
bool SandboxFileExists(LPCWSTR windowsPath);
bool SandboxDirectoryExists(LPCWSTR windowsPath);
// Makes `linkPath` a link (a symbolic link, which the stand-in reports as a Windows reparse
// point) to `targetPath`, which need not exist; creates the link's parent folders.
bool MakeSandboxLink(LPCWSTR linkPath, LPCWSTR targetPath);
// Removes everything under the root (the root itself stays).
void ClearSandbox();

} // namespace standin

// The host run-time library's services as the host stand-in offers them (HOSTRT.dll).
// On native builds InstallHostRuntime registers them with the kernel stand-in, so the module's
// LoadLibraryW/GetProcAddress by ordinal finds them; on Windows the same functions are exported by
// the stand-in's HOSTRT.dll under the same ordinals.
#pragma once

#include <windows.h>

namespace hoststandin {

// Makes HOSTRT.dll present with its services (file existence, image services, editor drawing
// services; after standin::ResetPlatform it is absent) and resets the services' call records.
void InstallHostRuntime();

// Ordinal 1110: non-zero when `path` names an existing file (not a folder).
int WINAPI HostRuntimeFileExists(LPCWSTR path);

// Test controls of the file-existence service.
int FileExistsCalls();
void ScriptFileExistsAnswer(int answer); // every call answers `answer` until InstallHostRuntime
} // namespace hoststandin

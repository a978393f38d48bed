// Starting a test with the module as the host finds it right after loading it.
#pragma once

#include <windows.h>

// Frees whatever an earlier test left set up (COM, the "VidPlayer" class, the log), resets the
// platform stand-in, empties the sandbox, forgets the host run-time bindings, and delivers the
// process-attach notification with the module's stand-in instance, which it returns.
// HOSTRT.dll is then absent: call hoststandin::InstallHostRuntime() to offer its services.
HINSTANCE StartFreshModule();

// Calls Free until nothing is set up and there is no log (for TearDown).
void FreeModuleCompletely();

// The module's own state while it is loaded: its instance handle and its set-up progress.
#pragma once

#include <windows.h>

// The module's instance, kept at process attach (null before); used to register the window class,
// load resources and create windows.
HINSTANCE ModuleInstance();

// Set-up progress in the two low bits: 0 nothing, 2 COM initialised, 3 COM initialised and the
// "VidPlayer" class registered (1 exists only inside Initialize). Each further Initialize made
// while the module is fully set up adds 4; the matching Free takes it off again.
LONG ModuleState();

// The window class run-time objects create their windows with.
inline constexpr WCHAR kVideoWindowClass[] = L"VidPlayer";

// Used by the lifecycle entry points only.
void SetModuleInstance(HINSTANCE instance);
void SetModuleState(LONG state);

// Native build: offers the host stand-in's image services to the platform stand-in's
// LoadLibraryW/GetProcAddress, so the module binds them by ordinal exactly as on Windows.
#pragma once

namespace hoststandin {

// Registers every image service under its ordinal in the host run-time library's module.
// InstallHostRuntime (host_runtime.h) calls it with the library's other services.
void InstallImageServices();

} // namespace hoststandin

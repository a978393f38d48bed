// Native build: offers the host stand-in's HOSTRT.dll services to the platform stand-in's
// LoadLibraryW/GetProcAddress, so the module binds them by ordinal exactly as on Windows.
#pragma once

namespace hoststandin {

// Registers every image service under its ordinal in module "HOSTRT.dll". A platform reset
// forgets modules, so tests call it again after standin::ResetPlatform().
void InstallHostRuntime();

} // namespace hoststandin

// The image services the host stand-in's HOSTRT.dll exports by ordinal (see HOSTRT.def). On the
// native build the same functions are registered with the platform stand-in's module table, so
// the module binds them by ordinal through the same code on both builds.
#pragma once

#include "host/host_image_services.h"

extern "C" {
BOOL WINAPI HostRtSurfacePrototype(void** prototype, int depth, int surfaceType, int driver);
void WINAPI HostRtSurfaceConstruct(HostSurfaceBlock* surface);
BOOL WINAPI HostRtSurfaceCreate(HostSurfaceBlock* surface, int width, int height, void* prototype);
BOOL WINAPI HostRtSurfaceLoadDib(HostSurfaceBlock* surface, const void* packedDib, DWORD reserved1,
                                 DWORD reserved2);
DWORD WINAPI HostRtSurfaceDibSize(HostSurfaceBlock* surface);
DWORD WINAPI HostRtSurfaceWriteDib(HostSurfaceBlock* surface, void* destination, DWORD reserved1,
                                   DWORD reserved2);
void WINAPI HostRtSurfaceReleaseContent(HostSurfaceBlock* surface);
void WINAPI HostRtSurfaceDestroy(HostSurfaceBlock* surface);
int WINAPI HostRtFilterCount(void* manager);
BOOL WINAPI HostRtFilterUsable(void* manager, int index);
LPCWSTR* WINAPI HostRtFilterExtensions(void* manager, int index);
DWORD WINAPI HostRtFilterIdentifier(void* manager, int index);
void WINAPI HostRtSelectorConstruct(HostFilterSelectorBlock* selector, void* manager);
BOOL WINAPI HostRtSelectorSelect(HostFilterSelectorBlock* selector, DWORD identifier);
BOOL WINAPI HostRtSelectorValid(HostFilterSelectorBlock* selector);
void WINAPI HostRtSelectorDestroy(HostFilterSelectorBlock* selector);
BOOL WINAPI HostRtSaveSurface(void* manager, LPCWSTR fileName, HostSurfaceBlock* surface,
                              DWORD identifier);

// File existence (ordinal 1110), the host stand-in's HostRuntimeFileExists.
int WINAPI HostRtFileExists(LPCWSTR path);

// Not a host service: how the stand-in host program (and checks) get the application's filter
// manager to place in the application record. Exported by name.
void* WINAPI HostRtStandardImageFilters();
}

namespace hoststandin {

typedef void(WINAPI* HostRuntimeProcedure)();

struct HostRuntimeExport {
    WORD ordinal;
    HostRuntimeProcedure procedure;
};
// Every image service with its ordinal, ended by an entry with ordinal 0.
extern const HostRuntimeExport kImageServiceExports[];

} // namespace hoststandin

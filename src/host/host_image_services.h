// The host run-time's image services (HOSTRT.dll, imported by ordinal only): surfaces, their
// conversion from and to packed DIBs, the image filters and the filter selector. The ordinals and
// calling shapes are the host's; the module and the host stand-in both use these declarations.
#pragma once

#include <windows.h>

// Ordinals of the services in HOSTRT.dll.
enum HostImageOrdinal : WORD {
    OrdinalSurfacePrototype = 172,
    OrdinalSurfaceConstruct = 264,
    OrdinalSurfaceCreate = 372,
    OrdinalSurfaceLoadDib = 1058,
    OrdinalSurfaceDibSize = 491,
    OrdinalSurfaceWriteDib = 710,
    OrdinalSurfaceReleaseContent = 401,
    OrdinalSurfaceDestroy = 286,
    OrdinalFilterCount = 502,
    OrdinalFilterUsable = 408,
    OrdinalFilterExtensions = 1044,
    OrdinalFilterIdentifier = 506,
    OrdinalSelectorConstruct = 241,
    OrdinalSelectorSelect = 769,
    OrdinalSelectorValid = 348,
    OrdinalSelectorDestroy = 272,
    OrdinalSaveSurface = 1030,
};

// Storage the module allocates for a host surface object: 16 bytes the host constructs in place.
struct HostSurfaceBlock {
    DWORD words[4];
};
static_assert(sizeof(HostSurfaceBlock) == 16, "a surface object is 16 bytes");

// Storage for a filter selector, kept on the caller's stack for one save.
struct HostFilterSelectorBlock {
    DWORD words[8];
};

// The surface type asked of the prototype lookup: an in-memory surface.
constexpr int kMemorySurfaceType = 1;

// The BMP filter: the bytes 'B' 'M' 'P' '0' in memory order.
constexpr DWORD kBmpFilterIdentifier = 0x30504D42u;

// Calling shapes (all __stdcall). A "BOOL" result is nonzero on success.
typedef BOOL(WINAPI* SurfacePrototypeService)(void** prototype, int depth, int surfaceType,
                                              int driver);
typedef void(WINAPI* SurfaceBlockService)(HostSurfaceBlock* surface); // construct, release, destroy
typedef BOOL(WINAPI* SurfaceCreateService)(HostSurfaceBlock* surface, int width, int height,
                                           void* prototype);
typedef BOOL(WINAPI* SurfaceLoadDibService)(HostSurfaceBlock* surface, const void* packedDib,
                                            DWORD reserved1, DWORD reserved2);
typedef DWORD(WINAPI* SurfaceDibSizeService)(HostSurfaceBlock* surface);
typedef DWORD(WINAPI* SurfaceWriteDibService)(HostSurfaceBlock* surface, void* destination,
                                              DWORD reserved1, DWORD reserved2);
typedef int(WINAPI* FilterCountService)(void* manager);
typedef BOOL(WINAPI* FilterUsableService)(void* manager, int index);
// The list of extension texts (without dot) of a filter, ended by an empty text.
typedef LPCWSTR*(WINAPI* FilterExtensionsService)(void* manager, int index);
typedef DWORD(WINAPI* FilterIdentifierService)(void* manager, int index);
typedef void(WINAPI* SelectorConstructService)(HostFilterSelectorBlock* selector, void* manager);
typedef BOOL(WINAPI* SelectorSelectService)(HostFilterSelectorBlock* selector, DWORD identifier);
typedef BOOL(WINAPI* SelectorValidService)(HostFilterSelectorBlock* selector);
typedef void(WINAPI* SelectorDestroyService)(HostFilterSelectorBlock* selector);
typedef BOOL(WINAPI* SaveSurfaceService)(void* manager, LPCWSTR fileName, HostSurfaceBlock* surface,
                                         DWORD identifier);

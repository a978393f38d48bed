// The host's image services by role: surfaces and their packed-DIB conversions, the image
// filters, the filter selector and the save. Each call binds its HOSTRT.dll service by ordinal;
// when the library or the ordinal is missing the call does nothing and answers none, 0 or false,
// so a frame grab fails cleanly instead of calling through a null pointer.
#pragma once

#include <windows.h>

#include "host/host_image_services.h"

// Surfaces.
bool LookUpSurfacePrototype(int depth, void** prototype); // writes null when there is none
void ConstructHostSurface(HostSurfaceBlock* surface);
void DestroyHostSurface(HostSurfaceBlock* surface);
bool CreateHostSurface(HostSurfaceBlock* surface, int width, int height, void* prototype);
bool LoadHostSurfaceFromDib(HostSurfaceBlock* surface, const void* packedDib);
DWORD HostSurfaceDibSize(HostSurfaceBlock* surface);
DWORD WriteHostSurfaceDib(HostSurfaceBlock* surface, void* destination);
void ReleaseHostSurfaceContent(HostSurfaceBlock* surface);

// Image filters of a filter manager.
int ImageFilterCount(void* manager);
bool IsImageFilterUsable(void* manager, int index);
LPCWSTR* ImageFilterExtensions(void* manager, int index); // null when unavailable
DWORD ImageFilterIdentifier(void* manager, int index);

// The filter selector, one per save.
void ConstructHostFilterSelector(HostFilterSelectorBlock* selector, void* manager);
bool SelectImageFilter(HostFilterSelectorBlock* selector, DWORD identifier);
bool IsSelectedImageFilterValid(HostFilterSelectorBlock* selector);
void DestroyHostFilterSelector(HostFilterSelectorBlock* selector);

bool SaveHostSurface(void* manager, LPCWSTR fileName, HostSurfaceBlock* surface, DWORD identifier);

// The identifier of the filter to save `fileName` with: the first usable filter listing the
// name's extension (the text after the last '.', or the whole name without one; exact,
// case-sensitive comparison), else the last usable filter listing "bmp", else index 0.
DWORD FindImageFilter(void* manager, LPCWSTR fileName);

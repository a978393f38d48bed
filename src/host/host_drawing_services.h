// The host run-time's frame-editor drawing services (HOSTRT.dll, imported by ordinal only). The
// host interface does not number them; this project's host run-time (and its stand-in) exports
// them under the ordinals below. The module and the host stand-in both use these declarations.
#pragma once

#include <windows.h>

#include "host/host_image_services.h"

enum HostDrawingOrdinal : WORD {
    OrdinalWindowSurface = 1100,
    OrdinalLoadBitmapResource = 1101,
    OrdinalStretchCopy = 1102,
    OrdinalFillColour = 1103,
    OrdinalLineAttributes = 1104,
    OrdinalPolyline = 1105,
    OrdinalDrawingAttribute = 1106,
    OrdinalBrushFill = 1107,
    OrdinalFinishHatch = 1108,
};

// Calling shapes (all __stdcall); a BOOL result is non-zero on success. Surfaces are the host's
// surface objects (host_image_services.h); windows are named by the frame-editor window
// identifier of the edit-time host record.

// (window id, 0) -> the window's surface, owned by the host, or null.
typedef HostSurfaceBlock*(WINAPI* WindowSurfaceService)(DWORD windowId, int reserved);
// (surface, instance, bitmap id, 1): loads the bitmap resource into the surface.
typedef BOOL(WINAPI* LoadBitmapResourceService)(HostSurfaceBlock* surface, HINSTANCE instance,
                                                UINT resourceId, int mode);
// (source, destination, x, y, width, height, 0, 0, 0, 0): all of the source stretched onto the
// destination at (x, y).
typedef BOOL(WINAPI* StretchCopyService)(HostSurfaceBlock* source, HostSurfaceBlock* destination,
                                         int x, int y, int width, int height, int mode, int effect,
                                         int effectParameter, int flags);
// (window id, left, top, right, bottom, colour): right and bottom excluded.
typedef BOOL(WINAPI* FillColourService)(DWORD windowId, int left, int top, int right, int bottom,
                                        COLORREF colour);
// (window id, style, colour, width): the pen of later lines; style 0 is solid.
typedef BOOL(WINAPI* LineAttributesService)(DWORD windowId, int style, COLORREF colour, int width);
// (window id, points, n): n connected segments through n + 1 points, both ends drawn.
typedef BOOL(WINAPI* PolylineService)(DWORD windowId, const POINT* points, int segments);
// (window id, attribute): attribute 1 leaves what lies between a hatch's lines untouched.
typedef BOOL(WINAPI* DrawingAttributeService)(DWORD windowId, int attribute);
// (window id, left, top, right, bottom, brush): right and bottom excluded.
typedef BOOL(WINAPI* BrushFillService)(DWORD windowId, int left, int top, int right, int bottom,
                                       HBRUSH brush);
// (window id, object rectangle): the host's finishing of a hatched object.
typedef BOOL(WINAPI* FinishHatchService)(DWORD windowId, RECT* rect);

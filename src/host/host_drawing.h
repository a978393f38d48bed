// The host runtime's frame-editor drawing services, reached by ordinal through HostRuntimeProc.
// The host interface does not number these services; this project's host runtime (and its
// stand-in) exports them under the ordinals below. A missing library or ordinal makes a service
// answer "none" / FALSE and draw nothing.
#pragma once

#include <windows.h>

#include "host/host_image_services.h"

enum HostDrawingOrdinal : WORD {
    OrdinalWindowSurface = 1100,      // (window id, 0) -> the window's surface or null
    OrdinalLoadBitmapResource = 1101, // (surface, instance, resource id, 1) -> non-zero on success
    OrdinalStretchCopy = 1102,        // (source, destination, x, y, width, height, 0, 0, 0, 0)
    OrdinalFillColour = 1103,         // (window id, left, top, right, bottom, colour)
    OrdinalLineAttributes = 1104,     // (window id, style, colour, width)
    OrdinalPolyline = 1105,           // (window id, points, segment count)
    OrdinalDrawingAttribute =
        1106,                  // (window id, attribute): 1 keeps the picture between hatch lines
    OrdinalBrushFill = 1107,   // (window id, left, top, right, bottom, brush)
    OrdinalFinishHatch = 1108, // (window id, rectangle)
};

// The surface of the frame-editor window `windowId`, owned by the host; null when there is none.
HostSurfaceBlock* HostWindowSurface(DWORD windowId);
// Loads bitmap `resourceId` of `instance` into `surface`.
BOOL HostLoadBitmapResource(HostSurfaceBlock* surface, HINSTANCE instance, UINT resourceId);
// Copies all of `source` onto `destination` at (x, y), stretched to width x height.
BOOL HostStretchCopy(HostSurfaceBlock* source, HostSurfaceBlock* destination, int x, int y,
                     int width, int height);
void HostFillColour(DWORD windowId, const RECT& rect, COLORREF colour);
void HostSetLineAttributes(DWORD windowId, int style, COLORREF colour, int width);
// Draws `segments` connected segments through segments + 1 points.
void HostPolyline(DWORD windowId, const POINT* points, int segments);
void HostSetDrawingAttribute(DWORD windowId, int attribute);
void HostBrushFill(DWORD windowId, const RECT& rect, HBRUSH brush);
void HostFinishHatch(DWORD windowId, RECT* rect);

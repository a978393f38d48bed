// The host's frame-editor drawing services by role, each bound by ordinal through
// HostRuntimeProc (host_drawing_services.h). A missing library or ordinal makes a service answer
// none / FALSE and draw nothing.
#pragma once

#include <windows.h>

#include "host/host_drawing_services.h"

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

// The host's frame-editor drawing services (HOSTRT.dll ordinals 1100-1108, see
// src/host/host_drawing_services.h), drawing into in-memory surfaces that tests read pixel by pixel
// and can write as PNG files for a person to look at.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/host_drawing_services.h"
#include "surface.h"

extern "C" {
HostSurfaceBlock* WINAPI HostRtWindowSurface(DWORD windowId, int reserved);
BOOL WINAPI HostRtLoadBitmapResource(HostSurfaceBlock* surface, HINSTANCE instance, UINT resourceId,
                                     int mode);
BOOL WINAPI HostRtStretchCopy(HostSurfaceBlock* source, HostSurfaceBlock* destination, int x, int y,
                              int width, int height, int mode, int effect, int effectParameter,
                              int flags);
BOOL WINAPI HostRtFillColour(DWORD windowId, int left, int top, int right, int bottom,
                             COLORREF colour);
BOOL WINAPI HostRtLineAttributes(DWORD windowId, int style, COLORREF colour, int width);
BOOL WINAPI HostRtPolyline(DWORD windowId, const POINT* points, int segments);
BOOL WINAPI HostRtDrawingAttribute(DWORD windowId, int attribute);
BOOL WINAPI HostRtBrushFill(DWORD windowId, int left, int top, int right, int bottom, HBRUSH brush);
BOOL WINAPI HostRtFinishHatch(DWORD windowId, RECT* rect);
}

namespace hoststandin {

// Registers the drawing services under their ordinals in "HOSTRT.dll" (again after each
// standin::ResetPlatform()) and clears the record of drawing calls.
void InstallEditorDrawing();

// A frame-editor window of the host: the identifier the host record names and the surface the
// drawing services paint on (24 bits, white at first). Unknown to the services once destroyed.
class EditorWindow {
  public:
    EditorWindow(DWORD id, int width, int height);
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;
    ~EditorWindow();

    DWORD Id() const { return id; }
    const Surface& Pixels() const;
    Rgb Pixel(int x, int y) const { return Pixels().Pixel(x, y); }
    // Writes the surface as a PNG file at a path of the machine running the tests.
    bool WritePng(const char* path) const;

  private:
    DWORD id;
    HostSurfaceBlock block;
};

// Every drawing-service call since InstallEditorDrawing, one line each, e.g.
// "FillColour 7 10,10,110,60 c8c8c8" or "Polyline 7 4: 10,10 110,10 110,60 10,60 10,10".
std::vector<std::string> DrawingCalls();

} // namespace hoststandin

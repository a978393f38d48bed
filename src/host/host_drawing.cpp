#include "host/host_drawing.h"

#include "host/hostrt.h"

namespace {

typedef HostSurfaceBlock*(WINAPI* WindowSurfaceProc)(DWORD windowId, int reserved);
typedef BOOL(WINAPI* LoadBitmapResourceProc)(HostSurfaceBlock* surface, HINSTANCE instance,
                                             UINT resourceId, int mode);
typedef BOOL(WINAPI* StretchCopyProc)(HostSurfaceBlock* source, HostSurfaceBlock* destination,
                                      int x, int y, int width, int height, int mode, int effect,
                                      int effectParameter, int flags);
typedef BOOL(WINAPI* FillColourProc)(DWORD windowId, int left, int top, int right, int bottom,
                                     COLORREF colour);
typedef BOOL(WINAPI* LineAttributesProc)(DWORD windowId, int style, COLORREF colour, int width);
typedef BOOL(WINAPI* PolylineProc)(DWORD windowId, const POINT* points, int segments);
typedef BOOL(WINAPI* DrawingAttributeProc)(DWORD windowId, int attribute);
typedef BOOL(WINAPI* BrushFillProc)(DWORD windowId, int left, int top, int right, int bottom,
                                    HBRUSH brush);
typedef BOOL(WINAPI* FinishHatchProc)(DWORD windowId, RECT* rect);

template <typename Proc> Proc Service(HostDrawingOrdinal ordinal) {
    return HostRuntimeService<Proc>(ordinal);
}

} // namespace

HostSurfaceBlock* HostWindowSurface(DWORD windowId) {
    WindowSurfaceProc proc = Service<WindowSurfaceProc>(OrdinalWindowSurface);
    return proc ? proc(windowId, 0) : nullptr;
}

BOOL HostLoadBitmapResource(HostSurfaceBlock* surface, HINSTANCE instance, UINT resourceId) {
    LoadBitmapResourceProc proc = Service<LoadBitmapResourceProc>(OrdinalLoadBitmapResource);
    return proc && surface ? proc(surface, instance, resourceId, 1) : FALSE;
}

BOOL HostStretchCopy(HostSurfaceBlock* source, HostSurfaceBlock* destination, int x, int y,
                     int width, int height) {
    StretchCopyProc proc = Service<StretchCopyProc>(OrdinalStretchCopy);
    if (!proc || !source || !destination)
        return FALSE;
    return proc(source, destination, x, y, width, height, 0, 0, 0, 0);
}

void HostFillColour(DWORD windowId, const RECT& rect, COLORREF colour) {
    if (FillColourProc proc = Service<FillColourProc>(OrdinalFillColour))
        proc(windowId, rect.left, rect.top, rect.right, rect.bottom, colour);
}

void HostSetLineAttributes(DWORD windowId, int style, COLORREF colour, int width) {
    if (LineAttributesProc proc = Service<LineAttributesProc>(OrdinalLineAttributes))
        proc(windowId, style, colour, width);
}

void HostPolyline(DWORD windowId, const POINT* points, int segments) {
    if (PolylineProc proc = Service<PolylineProc>(OrdinalPolyline))
        proc(windowId, points, segments);
}

void HostSetDrawingAttribute(DWORD windowId, int attribute) {
    if (DrawingAttributeProc proc = Service<DrawingAttributeProc>(OrdinalDrawingAttribute))
        proc(windowId, attribute);
}

void HostBrushFill(DWORD windowId, const RECT& rect, HBRUSH brush) {
    if (BrushFillProc proc = Service<BrushFillProc>(OrdinalBrushFill))
        proc(windowId, rect.left, rect.top, rect.right, rect.bottom, brush);
}

void HostFinishHatch(DWORD windowId, RECT* rect) {
    if (FinishHatchProc proc = Service<FinishHatchProc>(OrdinalFinishHatch))
        proc(windowId, rect);
}

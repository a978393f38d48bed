#include "host/host_drawing.h"

#include "host/hostrt.h"

HostSurfaceBlock* HostWindowSurface(DWORD windowId) {
    auto service = HostRuntimeService<WindowSurfaceService>(OrdinalWindowSurface);
    return service ? service(windowId, 0) : nullptr;
}

BOOL HostLoadBitmapResource(HostSurfaceBlock* surface, HINSTANCE instance, UINT resourceId) {
    auto service = HostRuntimeService<LoadBitmapResourceService>(OrdinalLoadBitmapResource);
    return service && surface ? service(surface, instance, resourceId, 1) : FALSE;
}

BOOL HostStretchCopy(HostSurfaceBlock* source, HostSurfaceBlock* destination, int x, int y,
                     int width, int height) {
    auto service = HostRuntimeService<StretchCopyService>(OrdinalStretchCopy);
    if (!service || !source || !destination)
        return FALSE;
    return service(source, destination, x, y, width, height, 0, 0, 0, 0);
}

void HostFillColour(DWORD windowId, const RECT& rect, COLORREF colour) {
    if (auto service = HostRuntimeService<FillColourService>(OrdinalFillColour))
        service(windowId, rect.left, rect.top, rect.right, rect.bottom, colour);
}

void HostSetLineAttributes(DWORD windowId, int style, COLORREF colour, int width) {
    if (auto service = HostRuntimeService<LineAttributesService>(OrdinalLineAttributes))
        service(windowId, style, colour, width);
}

void HostPolyline(DWORD windowId, const POINT* points, int segments) {
    if (auto service = HostRuntimeService<PolylineService>(OrdinalPolyline))
        service(windowId, points, segments);
}

void HostSetDrawingAttribute(DWORD windowId, int attribute) {
    if (auto service = HostRuntimeService<DrawingAttributeService>(OrdinalDrawingAttribute))
        service(windowId, attribute);
}

void HostBrushFill(DWORD windowId, const RECT& rect, HBRUSH brush) {
    if (auto service = HostRuntimeService<BrushFillService>(OrdinalBrushFill))
        service(windowId, rect.left, rect.top, rect.right, rect.bottom, brush);
}

void HostFinishHatch(DWORD windowId, RECT* rect) {
    if (auto service = HostRuntimeService<FinishHatchService>(OrdinalFinishHatch))
        service(windowId, rect);
}

#include "editor_drawing.h"

#include "hostrt_exports.h"
#include "png_writer.h"
#include "standin/inspect_gdi.h"
#include "standin/kernel_control.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>

using namespace hoststandin;

namespace {

// The pen and brush state the services keep per frame-editor window.
struct WindowState {
    HostSurfaceBlock* surface = nullptr;
    int penStyle = 0;
    COLORREF penColour = 0;
    int penWidth = 1;
    int drawingAttribute = 0; // 1: hatches leave the picture between their lines
};

std::map<DWORD, WindowState>& Windows() {
    static std::map<DWORD, WindowState> windows;
    return windows;
}

std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}

void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Record(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    Calls().push_back(line);
}

Rgb ToRgb(COLORREF colour) {
    return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

unsigned long Hex(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

WindowState* FindWindowState(DWORD windowId) {
    auto found = Windows().find(windowId);
    return found == Windows().end() ? nullptr : &found->second;
}

Surface* WindowSurfaceOf(DWORD windowId) {
    WindowState* state = FindWindowState(windowId);
    return state ? SurfaceFromBlock(state->surface) : nullptr;
}

// A rectangle (right and bottom excluded) clipped to the surface; false when nothing is left.
bool Clip(const Surface& surface, int left, int top, int right, int bottom, RECT* clipped) {
    clipped->left = std::max(left, 0);
    clipped->top = std::max(top, 0);
    clipped->right = std::min(right, surface.Width());
    clipped->bottom = std::min(bottom, surface.Height());
    return clipped->left < clipped->right && clipped->top < clipped->bottom;
}

// A square pen dot centred on (x, y).
void Dot(Surface& surface, int x, int y, int width, Rgb colour) {
    int from = -(width - 1) / 2;
    for (int dy = from; dy < from + width; ++dy)
        for (int dx = from; dx < from + width; ++dx)
            surface.SetPixel(x + dx, y + dy, colour);
}

// Both end points included. Lines far outside the surface are not walked pixel by pixel.
void Line(Surface& surface, POINT from, POINT to, int width, Rgb colour) {
    const long limit = 1L << 20;
    if (std::labs(from.x) > limit || std::labs(from.y) > limit || std::labs(to.x) > limit ||
        std::labs(to.y) > limit)
        return;
    long dx = std::labs(to.x - from.x);
    long dy = -std::labs(to.y - from.y);
    long stepX = from.x < to.x ? 1 : -1;
    long stepY = from.y < to.y ? 1 : -1;
    long error = dx + dy;
    long x = from.x;
    long y = from.y;
    for (;;) {
        Dot(surface, x, y, width, colour);
        if (x == to.x && y == to.y)
            break;
        long doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += stepX;
        }
        if (doubled <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

const WCHAR kHostRuntime[] = L"HOSTRT.dll";

template <typename Function> FARPROC AsProc(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

} // namespace

extern "C" {

HostSurfaceBlock* WINAPI HostRtWindowSurface(DWORD windowId, int) {
    Record("WindowSurface %lu", windowId);
    WindowState* state = FindWindowState(windowId);
    return state ? state->surface : nullptr;
}

BOOL WINAPI HostRtLoadBitmapResource(HostSurfaceBlock* surface, HINSTANCE instance, UINT resourceId,
                                     int mode) {
    Record("LoadBitmapResource %u mode %d", resourceId, mode);
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), RT_BITMAP);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* dib = loaded ? LockResource(loaded) : nullptr;
    return dib ? HostRtSurfaceLoadDib(surface, dib, 0, 0) : FALSE;
}

BOOL WINAPI HostRtStretchCopy(HostSurfaceBlock* source, HostSurfaceBlock* destination, int x, int y,
                              int width, int height, int, int, int, int) {
    Record("StretchCopy %d,%d %dx%d", x, y, width, height);
    Surface* from = SurfaceFromBlock(source);
    Surface* to = SurfaceFromBlock(destination);
    if (!from || !to || from->Empty() || to->Empty() || width <= 0 || height <= 0)
        return FALSE;
    RECT area;
    if (!Clip(*to, x, y, x + width, y + height, &area))
        return TRUE;
    for (long row = area.top; row < area.bottom; ++row) {
        int sourceRow =
            static_cast<int>((row - y) * static_cast<long long>(from->Height()) / height);
        for (long column = area.left; column < area.right; ++column) {
            int sourceColumn =
                static_cast<int>((column - x) * static_cast<long long>(from->Width()) / width);
            to->SetPixel(column, row, from->Pixel(sourceColumn, sourceRow));
        }
    }
    return TRUE;
}

BOOL WINAPI HostRtFillColour(DWORD windowId, int left, int top, int right, int bottom,
                             COLORREF colour) {
    Record("FillColour %lu %d,%d,%d,%d %06lx", windowId, left, top, right, bottom, Hex(colour));
    Surface* surface = WindowSurfaceOf(windowId);
    if (!surface)
        return FALSE;
    RECT area;
    if (Clip(*surface, left, top, right, bottom, &area))
        for (long row = area.top; row < area.bottom; ++row)
            for (long column = area.left; column < area.right; ++column)
                surface->SetPixel(column, row, ToRgb(colour));
    return TRUE;
}

BOOL WINAPI HostRtLineAttributes(DWORD windowId, int style, COLORREF colour, int width) {
    Record("LineAttributes %lu %d %06lx %d", windowId, style, Hex(colour), width);
    WindowState* state = FindWindowState(windowId);
    if (!state)
        return FALSE;
    state->penStyle = style;
    state->penColour = colour;
    state->penWidth = std::min(std::max(width, 1), 64);
    return TRUE;
}

BOOL WINAPI HostRtPolyline(DWORD windowId, const POINT* points, int segments) {
    std::string line =
        "Polyline " + std::to_string(windowId) + " " + std::to_string(segments) + ":";
    for (int i = 0; points && i <= segments && i < 64; ++i)
        line += " " + std::to_string(points[i].x) + "," + std::to_string(points[i].y);
    Calls().push_back(line);
    WindowState* state = FindWindowState(windowId);
    Surface* surface = WindowSurfaceOf(windowId);
    if (!state || !surface || !points || segments < 1)
        return FALSE;
    for (int i = 0; i < segments; ++i)
        Line(*surface, points[i], points[i + 1], state->penWidth, ToRgb(state->penColour));
    return TRUE;
}

BOOL WINAPI HostRtDrawingAttribute(DWORD windowId, int attribute) {
    Record("DrawingAttribute %lu %d", windowId, attribute);
    WindowState* state = FindWindowState(windowId);
    if (!state)
        return FALSE;
    state->drawingAttribute = attribute;
    return TRUE;
}

BOOL WINAPI HostRtBrushFill(DWORD windowId, int left, int top, int right, int bottom,
                            HBRUSH brush) {
    standin::BrushDescription description = {};
    bool known = standin::DescribeBrush(brush, &description);
    Record("BrushFill %lu %d,%d,%d,%d %s %d %06lx", windowId, left, top, right, bottom,
           !known                ? "unknown"
           : description.hatched ? "hatch"
                                 : "solid",
           description.hatchStyle, Hex(description.color));
    WindowState* state = FindWindowState(windowId);
    Surface* surface = WindowSurfaceOf(windowId);
    RECT area;
    if (!state || !surface || !known)
        return FALSE;
    if (!Clip(*surface, left, top, right, bottom, &area))
        return TRUE;
    bool transparent = state->drawingAttribute == 1;
    for (long row = area.top; row < area.bottom; ++row)
        for (long column = area.left; column < area.right; ++column) {
            if (!description.hatched || standin::HatchCovers(description.hatchStyle, column, row))
                surface->SetPixel(column, row, ToRgb(description.color));
            else if (!transparent)
                surface->SetPixel(column, row, Rgb{255, 255, 255});
        }
    return TRUE;
}

BOOL WINAPI HostRtFinishHatch(DWORD windowId, RECT* rect) {
    if (rect)
        Record("FinishHatch %lu %ld,%ld,%ld,%ld", windowId, rect->left, rect->top, rect->right,
               rect->bottom);
    else
        Record("FinishHatch %lu none", windowId);
    return FindWindowState(windowId) != nullptr;
}

} // extern "C"

namespace hoststandin {

void InstallEditorDrawing() {
    Calls().clear();
    const struct {
        WORD ordinal;
        FARPROC procedure;
    } services[] = {
        {OrdinalWindowSurface, AsProc(HostRtWindowSurface)},
        {OrdinalLoadBitmapResource, AsProc(HostRtLoadBitmapResource)},
        {OrdinalStretchCopy, AsProc(HostRtStretchCopy)},
        {OrdinalFillColour, AsProc(HostRtFillColour)},
        {OrdinalLineAttributes, AsProc(HostRtLineAttributes)},
        {OrdinalPolyline, AsProc(HostRtPolyline)},
        {OrdinalDrawingAttribute, AsProc(HostRtDrawingAttribute)},
        {OrdinalBrushFill, AsProc(HostRtBrushFill)},
        {OrdinalFinishHatch, AsProc(HostRtFinishHatch)},
    };
    for (const auto& service : services)
        standin::RegisterModuleExport(kHostRuntime, service.ordinal, service.procedure);
}

EditorWindow::EditorWindow(DWORD windowId, int width, int height) : id(windowId), block() {
    ConstructSurfaceBlock(&block);
    Surface* surface = SurfaceFromBlock(&block);
    if (surface && surface->Create(width, height, 24))
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                surface->SetPixel(x, y, Rgb{255, 255, 255});
    WindowState state;
    state.surface = &block;
    Windows()[id] = state;
}

EditorWindow::~EditorWindow() {
    auto found = Windows().find(id);
    if (found != Windows().end() && found->second.surface == &block)
        Windows().erase(found);
    DestroySurfaceBlock(&block);
}

const Surface& EditorWindow::Pixels() const {
    static const Surface none;
    const Surface* surface = SurfaceFromBlock(const_cast<HostSurfaceBlock*>(&block));
    return surface ? *surface : none;
}

bool EditorWindow::WritePng(const char* path) const {
    return WritePngFile(Pixels(), path);
}

std::vector<std::string> DrawingCalls() {
    return Calls();
}

} // namespace hoststandin

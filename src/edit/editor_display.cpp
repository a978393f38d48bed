#include "edit/editor_display.h"

#include "host/host_drawing.h"
#include "host/host_images.h"
#include "host/module_state.h"
#include "res/resource_ids.h"

namespace {

// Draws the object picture at (x, y) stretched to width x height, through a scratch surface
// made like the editor's and released before returning.
void DrawObjectPicture(HostSurfaceBlock* editorSurface, int x, int y, int width, int height) {
    HostSurfaceBlock scratch = {};
    ConstructHostSurface(&scratch);
    if (CreateHostSurface(&scratch, 4, 4, editorSurface) &&
        HostLoadBitmapResource(&scratch, ModuleInstance(), IDB_OBJECT_PICTURE))
        HostStretchCopy(&scratch, editorSurface, x, y, width, height);
    DestroyHostSurface(&scratch);
}

// A grey box with a black outline and both diagonals.
void DrawPlaceholder(DWORD window, const RECT& rect) {
    HostFillColour(window, rect, kPlaceholderColour);
    HostSetLineAttributes(window, 0, RGB(0, 0, 0), 1);
    const POINT outline[5] = {{rect.left, rect.top},
                              {rect.right, rect.top},
                              {rect.right, rect.bottom},
                              {rect.left, rect.bottom},
                              {rect.left, rect.top}};
    HostPolyline(window, outline, 4);
    const POINT fall[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    HostPolyline(window, fall, 1);
    const POINT rise[2] = {{rect.right, rect.top}, {rect.left, rect.bottom}};
    HostPolyline(window, rise, 1);
}

// Covers the object with a black diagonal cross-hatch: it starts hidden at run time.
void DrawHiddenHatch(DWORD window, RECT* rect) {
    HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(0, 0, 0));
    if (!hatch)
        return;
    HostSetDrawingAttribute(window, 1);
    RECT covered = {rect->left, rect->top, rect->right + 1, rect->bottom + 1};
    HostBrushFill(window, covered, hatch);
    DeleteObject(hatch);
    HostSetLineAttributes(window, 0, RGB(0, 0, 0), 1);
    HostFinishHatch(window, rect);
}

} // namespace

extern "C" void WINAPI EditorDisplay(EditHostRecord* host, void*, void*, ObjectSettings* settings,
                                     RECT* rect) {
    if (!host || !settings || !rect)
        return;
    DWORD window = host->frameEditorWindowId;
    HostSurfaceBlock* editorSurface = HostWindowSurface(window);
    if (!editorSurface)
        return;

    bool hasFile = settings->FileName[0] != 0;
    if (!hasFile && (settings->Flags & DefaultSize)) {
        DrawObjectPicture(editorSurface, rect->left, rect->top, rect->right - rect->left,
                          rect->bottom - rect->top);
        return;
    }
    if (settings->Flags & TrimEditorBottom)
        rect->bottom -= kTrimmedBottom;
    if (!hasFile) {
        DrawPlaceholder(window, *rect);
        return;
    }
    DrawObjectPicture(editorSurface, rect->left, rect->top, rect->right - rect->left + 1,
                      rect->bottom - rect->top + 1);
    if (settings->Flags & HideAtStart)
        DrawHiddenHatch(window, rect);
}

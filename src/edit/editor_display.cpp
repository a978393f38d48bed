#include "edit/editor_display.h"

#include "host/host_drawing.h"
#include "host/host_images.h"
#include "host/module_state.h"
#include "res/resource_ids.h"

namespace {

// A scratch surface of the host's, constructed at once and released when it goes out of scope.
class ScratchSurface {
  public:
    ScratchSurface() : block() { ConstructHostSurface(&block); }
    ~ScratchSurface() { DestroyHostSurface(&block); }
    ScratchSurface(const ScratchSurface&) = delete;
    ScratchSurface& operator=(const ScratchSurface&) = delete;

    // Loads the object picture, made like the editor's surface, and copies it onto that surface
    // at (x, y), stretched to width x height.
    void DrawObjectPicture(HostSurfaceBlock* editorSurface, int x, int y, int width, int height) {
        if (CreateHostSurface(&block, 4, 4, editorSurface) &&
            HostLoadBitmapResource(&block, ModuleInstance(), IDB_OBJECT_PICTURE))
            HostStretchCopy(&block, editorSurface, x, y, width, height);
    }

  private:
    HostSurfaceBlock block;
};

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
        ScratchSurface scratch;
        scratch.DrawObjectPicture(editorSurface, rect->left, rect->top, rect->right - rect->left,
                                  rect->bottom - rect->top);
        return;
    }
    if (settings->Flags & TrimEditorBottom)
        rect->bottom -= kTrimmedBottom;
    if (!hasFile) {
        DrawPlaceholder(window, *rect);
        return;
    }
    // The scratch surface holding the picture is released after the hatch is drawn over it.
    ScratchSurface scratch;
    scratch.DrawObjectPicture(editorSurface, rect->left, rect->top, rect->right - rect->left + 1,
                              rect->bottom - rect->top + 1);
    if (settings->Flags & HideAtStart)
        DrawHiddenHatch(window, rect);
}

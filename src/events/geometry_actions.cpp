#include "events/actions.h"

#include "diag/event_log.h"
#include "events/routine_support.h"
#include "player/video_player.h"

namespace {

// A size change: the display routine re-places the window and refits the picture.
void SizeChanged(RunObject* object) {
    object->lastError = 0;
    object->geometryChanged = 1;
    object->redrawRequest = 1;
}

// A position or colour change: the host's own redraw shows it at the next display.
void RedrawWithoutRefit(RunObject* object) {
    object->lastError = 0;
    object->redrawRequest = 1;
}

} // namespace

long WINAPI HideAction(RunObject* object, long, long) {
    if (!HasWindow(object))
        return 0;
    if (object->player)
        object->player->ShowVideo(false);
    ShowWindow(object->hostWindow, SW_HIDE);
    UpdateWindow(object->hostWindow);
    object->visible = 0;
    return 0;
}

long WINAPI ShowAction(RunObject* object, long, long) {
    if (!HasWindow(object))
        return 0;
    if (object->player)
        object->player->ShowVideo(true);
    ShowWindow(object->hostWindow, SW_SHOW);
    UpdateWindow(object->hostWindow);
    object->visible = 1;
    object->redrawRequest = 1;
    return 0;
}

// Each size is taken only when its full parameter is 0 or more, then cut to 16 bits.
long WINAPI SetSizeAction(RunObject* object, long width, long height) {
    if (!HasWindow(object))
        return FailGuard(object, 1, 0);
    if (width >= 0)
        object->width = LowWordSigned(width);
    if (height >= 0)
        object->height = LowWordSigned(height);
    SizeChanged(object);
    return 0;
}

long WINAPI SetWidthAction(RunObject* object, long width, long) {
    if (!HasWindow(object))
        return FailGuard(object, 1, 0);
    object->width = LowWordSigned(width);
    SizeChanged(object);
    return 0;
}

long WINAPI SetHeightAction(RunObject* object, long height, long) {
    if (!HasWindow(object))
        return FailGuard(object, 1, 0);
    object->height = LowWordSigned(height);
    SizeChanged(object);
    return 0;
}

long WINAPI FullScreenAction(RunObject* object, long, long) {
    if (!HasWindow(object)) {
        LogEvent(ModuleLog(), L"There is no window");
        return 0;
    }
    if (object->player)
        object->player->SetFullScreen(-1);
    object->redrawRequest = 0;
    return 0;
}

long WINAPI NormalSizeAction(RunObject* object, long, long) {
    if (!object)
        return 0;
    if (!object->hostWindow)
        LogEvent(ModuleLog(), L"There is no window");
    else if (object->player)
        object->player->SetFullScreen(0);
    object->geometryChanged = 1;
    object->redrawRequest = 1;
    return 0;
}

// Centres the object in the frame recorded at creation, hiding the window while it moves.
long WINAPI CenterVideoAction(RunObject* object, long, long) {
    if (!HasWindow(object))
        return 0;
    HWND window = object->hostWindow;
    const bool wasVisible = IsWindowVisible(window) != FALSE;
    if (wasVisible)
        ShowWindow(window, SW_HIDE);
    object->x = (object->frameWidth - object->width) / 2;
    object->y = (object->frameHeight - object->height) / 2;
    object->lastError = 0;
    object->geometryChanged = 1;
    if (wasVisible) {
        ShowWindow(window, SW_SHOWNORMAL);
        if (object->player)
            object->player->ShowVideo(true);
    }
    if (object->player)
        object->player->RepaintVideo();
    object->redrawRequest = 1;
    return 0;
}

// The flag flips with or without a window; only a window gets the picture refitted.
long WINAPI ToggleKeepAspectAction(RunObject* object, long, long) {
    if (!object)
        return 0;
    object->keepAspect = object->keepAspect ? 0 : 1;
    if (object->hostWindow)
        SizeChanged(object);
    return 0;
}

long WINAPI BackgroundColorAction(RunObject* object, long colour, long) {
    if (!HasWindow(object))
        return 0;
    if (object->player)
        object->player->SetBackgroundColor(static_cast<COLORREF>(colour));
    RedrawWithoutRefit(object);
    return 0;
}

long WINAPI SetXPositionAction(RunObject* object, long x, long) {
    if (!HasWindow(object))
        return FailGuard(object, 1, 0);
    object->x = LowWordSigned(x);
    RedrawWithoutRefit(object);
    return 0;
}

long WINAPI SetYPositionAction(RunObject* object, long y, long) {
    if (!HasWindow(object))
        return FailGuard(object, 1, 0);
    object->y = LowWordSigned(y);
    RedrawWithoutRefit(object);
    return 0;
}

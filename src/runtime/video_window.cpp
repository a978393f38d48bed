#include "runtime/video_window.h"

#include "diag/event_log.h"
#include "host/module_state.h"
#include "player/video_player.h"
#include "runtime/access_guard.h"
#include "runtime/host_calls.h"

namespace {

struct WindowCreation {
    HWND parent;
    HINSTANCE instance;
    DWORD exStyle;
    DWORD style;
    int x, y, width, height;
    HWND window;
};

void CreateWindowCall(void* context) {
    WindowCreation* creation = static_cast<WindowCreation*>(context);
    creation->window = CreateWindowExW(creation->exStyle, kVideoWindowClass, L"", creation->style,
                                       creation->x, creation->y, creation->width, creation->height,
                                       creation->parent, nullptr, creation->instance, nullptr);
}

// Click code of a button message, or -1 for any other message.
int ClickCodeOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return ClickLeft;
    case WM_MBUTTONDOWN:
        return ClickMiddle;
    case WM_RBUTTONDOWN:
        return ClickRight;
    case WM_LBUTTONDBLCLK:
        return ClickDouble | ClickLeft;
    case WM_MBUTTONDBLCLK:
        return ClickDouble | ClickMiddle;
    case WM_RBUTTONDBLCLK:
        return ClickDouble | ClickRight;
    default:
        return -1;
    }
}

void RecordClick(RunHeader* header, HWND window, SHORT clickCode) {
    RunObject* object = RunObjectFromWindow(window, header);
    if (!object || header->clickBlock != 0)
        return;
    object->lastClickCode = clickCode;
    object->clickLoopCount = static_cast<LONG>(header->loopCounter);
    SignalCondition(object, ConditionMouseClick);
    LogEvent(ModuleLog(), L"someone click over the video window!");
}

} // namespace

HWND CreateVideoWindow(HWND parent, HINSTANCE instance, DWORD exStyle, DWORD style, int x, int y,
                       int width, int height) {
    LogEvent(ModuleLog(), L"Inside the Create Video Window Routine!");
    LogEvent(ModuleLog(),
             L"Instance=0x%x, Parent Wnd=0x%x, ExStyle=0x%x, Style=0x%x, Video Size x=%d, y=%d, "
             L"w=%d, h=%d",
             instance, parent, exStyle, style, x, y, width, height);

    WindowCreation creation = {parent, instance, exStyle, style, x, y, width, height, nullptr};
    DWORD faultCode = 0;
    if (!CallGuardedAgainstAccessViolation(CreateWindowCall, &creation, &faultCode)) {
        ShowModuleMessage(L"Last Exception code was 0x%x", faultCode);
        LogEvent(ModuleLog(), L"Last Exception code was 0x%x", faultCode);
        creation.window = nullptr;
    }

    LogEvent(ModuleLog(), L"Create Window! with handle=0x%x", creation.window);
    LogEvent(ModuleLog(), L"Out of the Create Video Window function!");
    if (creation.window)
        return creation.window;
    LogEvent(ModuleLog(), L"Window was not created!");
    return nullptr;
}

RunObject* RunObjectFromWindow(HWND window, RunHeader* header) {
    if (!header || !header->windowPropertyKey)
        return nullptr;
    return static_cast<RunObject*>(GetPropW(window, header->windowPropertyKey));
}

LRESULT WINAPI VideoWindowRoutine(RunHeader* header, HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
    (void)lParam;
    RunObject* object = RunObjectFromWindow(window, header);
    if (!object)
        return 0;
    VideoPlayer* player = object->player;

    switch (message) {
    case WM_DESTROY:
        // The object's own window going away ends only this object: no quit request is posted,
        // which would end the host's message loop and with it the whole application.
        if (player) {
            LogEvent(ModuleLog(), L"someone ask to destroy the window!");
            player->CloseMedia();
        }
        break;
    case WM_MOVE:
        if (player) {
            LogEvent(ModuleLog(), L"someone request me to move");
            player->ResizeVideoWindow();
        }
        break;
    case WM_PAINT:
        if (player) {
            LogEvent(ModuleLog(), L"someone ask me to paint");
            player->RepaintVideo();
        }
        break;
    case WM_DISPLAYCHANGE:
    case WM_GRAPHNOTIFY:
        if (player) {
            LogEvent(ModuleLog(), L"someone ask me to check events");
            player->HandleGraphEvents();
        }
        break;
    case WM_KEYDOWN:
        if (player && player->FullScreenActive) {
            object->lastFullScreenKey = static_cast<LONG>(wParam);
            LogEvent(ModuleLog(), L"keydown = %c ", static_cast<WCHAR>(wParam));
            SignalCondition(object, ConditionFullScreenKey);
        }
        break;
    default: {
        int clickCode = ClickCodeOf(message);
        if (clickCode >= 0)
            RecordClick(header, window, static_cast<SHORT>(clickCode));
        break;
    }
    }
    return 0;
}

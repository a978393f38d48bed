#include "runtime/run_object_entry.h"

#include "diag/event_log.h"
#include "diag/text.h"
#include "host/module_state.h"
#include "player/video_player.h"
#include "runtime/host_calls.h"
#include "runtime/video_window.h"

#include <cstring>
#include <new>

namespace {

constexpr int kRedrawRequested = 2;

DWORD ExtendedStyleFor(WORD options) {
    return WS_EX_CONTROLPARENT | BorderExStyle(options);
}

void ApplyLogSwitches(WORD options) {
    EventLog* log = ModuleLog();
    if (!log)
        return;
    log->SetConsoleLogging((options & ConsoleMode) != 0);
    log->SetFileLogging((options & LogMode) != 0);
    log->SetDeleteOnClose((options & DeleteLog) != 0);
}

SIZE ClientSizeOf(HWND window) {
    RECT client = {0, 0, 0, 0};
    if (!window || !GetClientRect(window, &client))
        return SIZE{0, 0};
    return SIZE{client.right - client.left, client.bottom - client.top};
}

// Scaled coordinate, truncated toward zero and kept inside the 32-bit range.
LONG ScaleTruncated(LONG value, double scale) {
    double scaled = value * scale;
    if (scaled >= 2147483647.0)
        return 2147483647L;
    if (scaled <= -2147483648.0)
        return -2147483647L - 1;
    return static_cast<LONG>(scaled);
}

// The window's outer size plus one in each direction, as the object's width and height.
void TakeSizeFromWindow(RunObject* object) {
    RECT outer = {0, 0, 0, 0};
    GetWindowRect(object->hostWindow, &outer);
    object->width = outer.right - outer.left + 1;
    object->height = outer.bottom - outer.top + 1;
}

int CreationFailed(RunObject* object) {
    LogEvent(ModuleLog(), L"No Window - Error!");
    object->lastError = 1;
    ResumeHost(object);
    object->lastError = 8;
    return -1;
}

void OpenConfiguredFile(RunObject* object, VideoPlayer* player) {
    player->OpenFile(object->fileName, object->hostWindow);
    object->cachedTotalFrames = player->TotalFrames;
    object->cachedTotalMilliseconds = player->TotalMilliseconds;
    object->lastError = static_cast<SHORT>(player->LastError & 0xFFFF);
    if (object->optionWord & DoubleSize) {
        player->InitVideoWindow(2, 1);
        TakeSizeFromWindow(object);
    }
    LogEvent(ModuleLog(), L"checking if start on is set!");
    int result = (object->optionWord & PlayAtStart) ? player->Play() : player->Stop();
    object->lastError = static_cast<SHORT>(result);
}

} // namespace

extern "C" int WINAPI CreateRunObject(RunObject* object, ObjectSettings* settings,
                                      LPVOID creationParameters) {
    (void)creationParameters;
    if (!object)
        return -1;
    // Members of the module's part that are not set below start at 0, whatever the host's
    // allocation left there.
    std::memset(reinterpret_cast<BYTE*>(object) + kModulePartOffset, 0,
                kRunObjectSize - kModulePartOffset);
    object->lastClickCode = ClickNone;
    object->marker = 1;
    object->player = nullptr;
    object->lastFullScreenKey = 0;
    if (!settings || !object->runHeader) {
        // Nothing to build from: no window, no player, the code of a failed creation.
        LogEvent(ModuleLog(), L"No Window - Error!");
        object->hostWindow = nullptr;
        object->lastError = 8;
        return -1;
    }
    RunHeader* header = object->runHeader;
    object->width = settings->Width;
    object->height = settings->Height;
    object->optionWord = settings->Flags;
    object->aspectRatio = settings->AspectRatio;

    SuspendHost(object);
    SIZE frame = ClientSizeOf(header->frameWindow);
    object->frameWidth = frame.cx;
    object->frameHeight = frame.cy;

    const WORD options = object->optionWord;
    ApplyLogSwitches(options);
    LogEvent(ModuleLog(), L"====================== SESSION START ========================");
    LogEvent(ModuleLog(), L"Parent window 0x%x", header->frameWindow);
    LogEvent(ModuleLog(), L"Checked Verbose Mode");
    LogEvent(ModuleLog(), L"Checked Console Mode");
    LogEvent(ModuleLog(), L"Check for a Filename!");

    // A stored name without its terminator is malformed: the object then has no file.
    if (TextLengthBounded(settings->FileName, kFileNameUnits) < kFileNameUnits)
        TextCopy(object->fileName, kFileNameUnits, settings->FileName);
    else
        object->fileName[0] = 0;

    object->keepAspect = (options & KeepAspect) ? 1 : 0;
    object->geometryChanged = 1;
    object->visible = (options & HideAtStart) ? 0 : 1;
    const DWORD exStyle = ExtendedStyleFor(options);

    LogEvent(ModuleLog(), L"About to create the window");
    object->hostWindow =
        CreateVideoWindow(header->frameWindow, ModuleInstance(), exStyle, WS_CHILD,
                          object->x - header->displayOriginX, object->y - header->displayOriginY,
                          object->width, object->height);
    LogEvent(ModuleLog(), L"After window creation");
    if (!object->hostWindow)
        return CreationFailed(object);

    HWND window = object->hostWindow;
    LogEvent(ModuleLog(), L"Window Created! hWnd = 0x%x", window);
    object->cachedRate = 0.0;
    object->hostWindowCopy = window;
    object->lastClickCode = ClickNone;
    object->ownDataOffset = kOwnDataOffset;
    ResumeHost(object);
    SetWindowLongW(window, GWL_USERDATA, static_cast<LONG>(reinterpret_cast<LONG_PTR>(object)));
    if (header->registerRoutine)
        header->registerRoutine(object, 0, VideoWindowRoutine);
    LogEvent(ModuleLog(), L"Window Hook no problem!");

    VideoPlayer* player = new (std::nothrow) VideoPlayer(window);
    object->player = player;
    if (player) {
        LogEvent(ModuleLog(), L"New Video Object no problem!");
        if (object->fileName[0]) {
            OpenConfiguredFile(object, player);
        } else {
            LogEvent(ModuleLog(), L"No Name / set video name!");
            player->SetMediaFile(L"");
            LogEvent(ModuleLog(), L"No Name / set Video in window!");
            player->BuildGraph(window);
        }
    }

    ShowWindow(window, object->visible == 1 ? SW_SHOWNORMAL : SW_HIDE);
    if (object->player)
        object->cachedRate = object->player->Rate;
    LogEvent(ModuleLog(), L"Going to continue!");
    ResumeHost(object);
    object->redrawRequest = 1;
    return 0;
}

extern "C" int WINAPI HandleRunObject(RunObject* object) {
    if (!object)
        return 0;
    if (const VideoPlayer* player = object->player) {
        // Both words are read before any signal: the host's event handling during a signal may
        // move the player, and must not change what this frame reports.
        const LONG mediaStatus = player->MediaStatus;
        const LONG playState = player->PlayState;
        if (playState == PlayPaused)
            SignalCondition(object, ConditionVideoPaused);
        else if (playState == PlayIdleAtStart)
            SignalCondition(object, ConditionFileOpened);
        if (mediaStatus == MediaAtEnd)
            SignalCondition(object, ConditionEndOfVideo);
        else if (mediaStatus == MediaAtStart && playState == PlayIdleAtStart)
            SignalCondition(object, ConditionStartOfVideo);
    }
    return object->redrawRequest ? kRedrawRequested : 0;
}

extern "C" int WINAPI DisplayRunObject(RunObject* object) {
    if (!object)
        return 0;
    RunHeader* header = object->runHeader;
    if (!header) {
        // No frame to measure or place the window in: answered as an object without a window.
        LogEvent(ModuleLog(), L"Video display run object is requested!");
        object->lastError = 1;
        LogEvent(ModuleLog(), L"About to leave display object!");
        return 0;
    }
    SIZE client = ClientSizeOf(header->frameWindow);
    LogEvent(ModuleLog(), L"Video display run object is requested!");

    LONG x = object->x - header->displayOriginX;
    LONG y = object->y - header->displayOriginY;
    LONG w = object->width;
    LONG h = object->height;
    // A frame recorded with no area cannot give a scale: such an object keeps its true size.
    const bool resized = (client.cx != object->frameWidth || client.cy != object->frameHeight) &&
                         object->frameWidth > 0 && object->frameHeight > 0;
    if (!resized) {
        LogEvent(ModuleLog(), L"Start to calculate a true size!");
    } else {
        LogEvent(ModuleLog(), L"Start to calculate a different size!");
        const double sx = static_cast<double>(client.cx) / object->frameWidth;
        const double sy = static_cast<double>(client.cy) / object->frameHeight;
        x = ScaleTruncated(x, sx);
        y = ScaleTruncated(y, sy);
        w = ScaleTruncated(w, sx);
        h = ScaleTruncated(h, sy);
    }

    if (HWND window = object->hostWindow) {
        LogEvent(ModuleLog(), L"Checking a new size!");
        object->lastError = 0;
        SetWindowPos(window, nullptr, x, y, w, h, SWP_NOZORDER);
        if (object->geometryChanged && object->player)
            object->player->SetDestinationRect(object->keepAspect != 0, w, h, object->optionWord);
        object->geometryChanged = 0;
        SendMessageW(window, WM_MOVE, 0, 0);
    } else {
        object->lastError = 1;
    }
    LogEvent(ModuleLog(), L"About to leave display object!");
    return 0;
}

extern "C" int WINAPI DestroyRunObject(RunObject* object, LONG unused) {
    (void)unused;
    if (!object)
        return 0;
    if (VideoPlayer* player = object->player) {
        player->CloseMedia();
        delete player;
        object->player = nullptr;
    }
    if (HWND window = object->hostWindow) {
        LogEvent(ModuleLog(), L"There is a video window, is about to be destroyed!");
        DestroyWindow(window);
        // Forgotten so that a second call cannot destroy a handle the platform has reused.
        object->hostWindow = nullptr;
    }
    return 0;
}

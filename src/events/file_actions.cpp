#include "events/actions.h"

#include "diag/text.h"
#include "events/routine_support.h"
#include "host/file_exists.h"
#include "player/video_player.h"
#include "runtime/host_calls.h"
#include "runtime/video_window.h"

namespace {

constexpr SHORT kNoFileError = 8;

// After a successful open: the optional double size, then play or stop as the options say,
// and on success the window shown again (unless the object is hidden) and the rate cached.
void StartOpenedMedia(RunObject* object, VideoPlayer* player) {
    if (object->optionWord & DoubleSize) {
        player->InitVideoWindow(2, 1);
        RECT outer = {0, 0, 0, 0};
        GetWindowRect(object->hostWindow, &outer);
        object->width = outer.right - outer.left + 1;
        object->height = outer.bottom - outer.top + 1;
    }
    const int started = (object->optionWord & PlayAtStart) ? player->Play() : player->Stop();
    object->lastError = static_cast<SHORT>(started);
    if (started == 0) {
        if (object->visible)
            ShowWindow(object->hostWindow, SW_SHOWNORMAL);
        object->cachedRate = player->Rate;
    }
}

// The old media plays on when no new file can be taken.
void KeepOldMedia(RunObject* object, VideoPlayer* player) {
    object->lastError = 1;
    player->Play();
    ResumeHost(object);
}

// Closes the old media and opens `name` in its place; false when the open failed.
bool ReopenWith(RunObject* object, VideoPlayer* player, LPCWSTR name) {
    TextCopy(object->fileName, kFileNameUnits, name);
    player->CloseMedia();
    object->lastClickCode = ClickNone;
    object->lastError = static_cast<SHORT>(player->OpenFile(name, object->hostWindow));
    return object->lastError == 0;
}

void MarkGeometryAndRedraw(RunObject* object) {
    object->geometryChanged = 1;
    object->redrawRequest = 1;
}

} // namespace

long WINAPI NewFileAction(RunObject* object, long fileName, long) {
    if (!object)
        return 0;
    LPCWSTR name = reinterpret_cast<LPCWSTR>(static_cast<LONG_PTR>(fileName));
    const size_t length = TextLengthBounded(name, kFileNameUnits);
    // A name that cannot fit the object's file-name field is refused with nothing changed.
    if (length >= kFileNameUnits) {
        object->lastError = 1;
        return 0;
    }
    object->lastClickCode = ClickNone;
    if (!object->hostWindow || length == 0) {
        object->lastError = kNoFileError;
        MarkGeometryAndRedraw(object);
        return 0;
    }
    VideoPlayer* player = object->player;
    if (!player) {
        object->lastError = 1;
        return 0;
    }

    SuspendHost(object);
    player->Pause();
    WCHAR buffer[kFileNameUnits];
    TextCopy(buffer, kFileNameUnits, name);
    if (!FileExists(buffer)) {
        KeepOldMedia(object, player);
        return 0;
    }
    if (ReopenWith(object, player, buffer)) {
        object->cachedTotalFrames = player->TotalFrames;
        object->cachedTotalMilliseconds = player->TotalMilliseconds;
        StartOpenedMedia(object, player);
    }
    ResumeHost(object);
    MarkGeometryAndRedraw(object);
    return 0;
}

long WINAPI NewFileFromSelectorAction(RunObject* object, long, long) {
    if (!object)
        return 0;
    object->lastClickCode = ClickNone;
    if (!object->hostWindow) {
        object->lastError = kNoFileError;
        MarkGeometryAndRedraw(object);
        return 0;
    }
    VideoPlayer* player = object->player;
    if (!player) {
        object->lastError = 1;
        return 0;
    }

    SuspendHost(object);
    player->Pause();
    WCHAR buffer[kFileNameUnits];
    TextCopy(buffer, kFileNameUnits, object->fileName);
    HWND owner = object->runHeader ? object->runHeader->applicationMainWindow : nullptr;
    if (!player->ChooseFile(buffer, owner)) {
        KeepOldMedia(object, player);
        return 0;
    }
    buffer[kFileNameUnits - 1] = 0;
    if (ReopenWith(object, player, buffer)) {
        object->cachedTotalFrames = player->QueryDuration(TIME_FORMAT_FRAME);
        object->cachedTotalMilliseconds = player->QueryDuration(TIME_FORMAT_MEDIA_TIME);
        StartOpenedMedia(object, player);
    }
    ResumeHost(object);
    MarkGeometryAndRedraw(object);
    return 0;
}

#include "events/conditions.h"

#include "diag/event_log.h"
#include "events/routine_support.h"
#include "player/truncation.h"
#include "player/video_player.h"
#include "runtime/video_window.h"

// An object without a player (its allocation failed) answers false, or the guard's failure
// value, instead of reaching for a player that is not there.

long WINAPI StartOfVideoCondition(RunObject* object, long, long) {
    return object && object->player && object->player->MediaStatus == MediaAtStart ? 1 : 0;
}

long WINAPI EndOfVideoCondition(RunObject* object, long, long) {
    return object && object->player && object->player->MediaStatus == MediaAtEnd ? 1 : 0;
}

long WINAPI VideoPausedCondition(RunObject* object, long, long) {
    return object && object->player && object->player->PlayState == PlayPaused ? 1 : 0;
}

// True once for a click of the wanted kind recorded during the host's current loop.
long WINAPI MouseClickCondition(RunObject* object, long click, long) {
    if (!object || !object->runHeader)
        return 0;
    if (object->clickLoopCount != static_cast<LONG>(object->runHeader->loopCounter) ||
        object->lastClickCode != click)
        return 0;
    object->lastClickCode = ClickConsumed;
    return 1;
}

// Positions are truncated toward zero; one beyond the 32-bit range reads as its lowest value.
long WINAPI CurrentFrameCondition(RunObject* object, long, long) {
    if (!HasWindow(object) || !object->player)
        return FailGuard(object, 1, -1);
    long frame = TruncateToLong(object->player->GetPosition(TIME_FORMAT_FRAME));
    object->lastError = 0;
    return frame;
}

long WINAPI CurrentTimeCondition(RunObject* object, long, long) {
    if (!HasWindow(object) || !object->player)
        return FailGuard(object, 1, -1);
    long milliseconds = TruncateToLong(object->player->GetPosition(TIME_FORMAT_MEDIA_TIME));
    object->lastError = 0;
    return milliseconds;
}

long WINAPI FileOpenedCondition(RunObject* object, long, long) {
    if (!object || !object->player || object->player->MediaStatus != MediaOpening)
        return FailGuard(object, 1, 0);
    return object->fileName[0] ? 1 : 0;
}

long WINAPI VisibleCondition(RunObject* object, long, long) {
    return object ? object->visible : 0;
}

namespace {

long CodecIs(RunObject* object, int kind) {
    if (!HasWindow(object) || !object->player)
        return FailGuard(object, 1, 0);
    return object->player->CodecKind() == kind ? 1 : 0;
}

} // namespace

long WINAPI IndeoVideoCondition(RunObject* object, long, long) {
    return CodecIs(object, CodecIndeo5);
}

long WINAPI AltLineCondition(RunObject* object, long, long) {
    return object && object->player ? static_cast<long>(object->player->AltLine) : 0;
}

long WINAPI IndioVideoCondition(RunObject* object, long, long) {
    return CodecIs(object, CodecIndeo4);
}

long WINAPI DivxVideoCondition(RunObject* object, long, long) {
    return CodecIs(object, CodecDivx);
}

// True once per successful grab to a file.
long WINAPI ImageGrabbedCondition(RunObject* object, long, long) {
    if (!HasWindow(object) || !object->grabDone)
        return FailGuard(object, 1, 0);
    object->grabDone = 0;
    return 1;
}

// True once for the key pressed in full screen, when it is the one the event asks for.
long WINAPI FullScreenKeyCondition(RunObject* object, long key, long) {
    if (!HasWindow(object))
        return FailGuard(object, 1, 0);
    const LONG pressed = object->lastFullScreenKey;
    if (pressed == 0 || pressed != key)
        return 0;
    LogEvent(ModuleLog(), L"keydown = %c and from menu %c", static_cast<WCHAR>(pressed),
             static_cast<WCHAR>(key));
    object->lastFullScreenKey = 0;
    return 1;
}

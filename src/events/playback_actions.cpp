#include "events/actions.h"

#include "events/routine_support.h"
#include "player/video_player.h"

// An object with a window but no player (its allocation failed) passes the window guard and
// then has nothing to act on: these routines do nothing for it.

namespace {

VideoPlayer* PlayerBehindWindow(RunObject* object) {
    return HasWindow(object) ? object->player : nullptr;
}

enum SeekEnd { NotMarked, MarkedAtEnd };

// `value`: a frame number in the frame format, otherwise seconds. MarkedAtEnd leaves the
// object at its end once the seek has reached the graph.
void SeekAndRepaint(RunObject* object, const GUID& format, double value, SeekEnd end = NotMarked) {
    VideoPlayer* player = PlayerBehindWindow(object);
    if (!player)
        return;
    player->Seek(format, value);
    if (end == MarkedAtEnd && player->pMS && player->pMP) {
        player->MediaStatus = MediaAtEnd;
        player->PlayState = PlayStopped;
    }
    player->RepaintVideo();
    object->redrawRequest = 1;
}

} // namespace

long WINAPI PlayVideoAction(RunObject* object, long, long) {
    if (VideoPlayer* player = PlayerBehindWindow(object))
        player->Play();
    return 0;
}

long WINAPI StopVideoAction(RunObject* object, long, long) {
    if (VideoPlayer* player = PlayerBehindWindow(object))
        player->Stop();
    return 0;
}

long WINAPI PauseVideoAction(RunObject* object, long, long) {
    if (VideoPlayer* player = PlayerBehindWindow(object))
        player->Pause();
    return 0;
}

long WINAPI IgnoredAction(RunObject*, long, long) {
    return 0;
}

long WINAPI StepFramesAction(RunObject* object, long frames, long) {
    if (!object || !object->player) {
        FailGuard(object, 1, 0);
        return 0;
    }
    object->player->StepFrames(frames);
    return 0;
}

long WINAPI GotoBeginningAction(RunObject* object, long, long) {
    SeekAndRepaint(object, TIME_FORMAT_MEDIA_TIME, 0.0);
    return 0;
}

// The seek reads a media time in seconds, so the cached length in milliseconds goes over as
// seconds. The seek's own at-end test compares its value with the length in milliseconds and
// would not hold for seconds: the object is marked at its end here, so "End of video?" holds
// after this action as it always has.
long WINAPI GotoEndAction(RunObject* object, long, long) {
    if (object)
        SeekAndRepaint(object, TIME_FORMAT_MEDIA_TIME, object->cachedTotalMilliseconds / 1000.0,
                       MarkedAtEnd);
    return 0;
}

long WINAPI GotoFrameAction(RunObject* object, long frame, long) {
    SeekAndRepaint(object, TIME_FORMAT_FRAME, frame);
    return 0;
}

// The parameter is a time in seconds, the unit the seek hands to the graph.
long WINAPI GotoTimeAction(RunObject* object, long seconds, long) {
    SeekAndRepaint(object, TIME_FORMAT_MEDIA_TIME, seconds);
    return 0;
}

// Only a negative percentage is refused here; the player reports what the renderer refuses.
long WINAPI SetVolumeAction(RunObject* object, long percent, long) {
    if (!HasWindow(object) || percent < 0) {
        FailGuard(object, 1, 0);
        return 0;
    }
    if (object->player)
        object->player->SetVolume(percent);
    return 0;
}

// The rate is fetched from the host as a single-precision value; a host without the parameter
// service hands it over directly as a number.
long WINAPI SetPlaybackRateAction(RunObject* object, long rate, long) {
    if (!object)
        return 0;
    RunHeader* header = object->runHeader;
    double wanted = rate;
    if (header && header->parameter)
        wanted = FloatFromBits(header->parameter(object, 2, 0));
    if (!object->player) {
        object->lastError = 1;
        return 0;
    }
    object->player->SetRate(wanted);
    return 0;
}

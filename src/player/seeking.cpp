// Positions, seeking and the position text. In the frame format positions are 64-bit frame
// numbers through IMediaSeeking; in the media-time format they are seconds through
// IMediaPosition, reported in milliseconds.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "player/platform_quirks.h"
#include "player/truncation.h"

namespace {

const LONGLONG AtStartFrames = 10;
const LONGLONG AtEndFrames = 9;
const double AtStartValue = 0.55;
const double AtEndValue = 0.75;

} // namespace

double VideoPlayer::GetPosition(const GUID& timeFormat) {
    if (!pMC || !pMS || !pMP)
        return -1.0;
    if (!SelectTimeFormat(timeFormat))
        return -1.0;

    if (GuidEquals(timeFormat, TIME_FORMAT_FRAME)) {
        LONGLONG current = 0, stop = 0;
        if (FAILED(pMS->GetPositions(&current, &stop)))
            return -1.0;
        if (DerivingFrames()) {
            current = FramesFromMediaTime(current, derivedFrameSeconds);
            stop = FramesFromMediaTime(stop, derivedFrameSeconds);
        }
        StopPosition = stop;
        if (current > 0 && current < StopPosition) {
            MediaStatus = MediaBetween;
            PlayState = PlayBetween;
        }
        return (double)current;
    }

    double seconds = 0.0;
    if (FAILED(pMP->get_CurrentPosition(&seconds)))
        return -1.0;
    return seconds * 1000.0;
}

// `value` is a frame number in the frame format, otherwise the value handed to IMediaPosition
// as seconds. The at-start and at-end tests run whatever the seek answered.
int VideoPlayer::Seek(const GUID& timeFormat, double value) {
    if (!pMS || !pMP)
        return -1;
    bool frames = GuidEquals(timeFormat, TIME_FORMAT_FRAME);
    if (!SelectTimeFormat(timeFormat))
        return -1;

    LONGLONG pos = 0;
    StoppedForSeek stoppedForSeek(pMC);
    if (frames) {
        pos = TruncateToLongLong(value);
        LONGLONG pos2 = pos;
        LONGLONG* stopPosition = &StopPosition;
        LONGLONG derivedStop = 0;
        if (DerivingFrames()) {
            pos2 = MediaTimeFromFrames(pos, derivedFrameSeconds);
            derivedStop = MediaTimeFromFrames(StopPosition, derivedFrameSeconds);
            stopPosition = &derivedStop;
        }
        HRESULT hr = pMS->SetPositions(&pos2, AM_SEEKING_AbsolutePositioning, stopPosition,
                                       AM_SEEKING_NoPositioning);
        LogIfFailed(hr, L"pMS->SetPositions(&pos2, AM_SEEKING_AbsolutePositioning, (LONGLONG *) "
                        L"&StopPosition, AM_SEEKING_NoPositioning)");
    } else {
        HRESULT hr = pMP->put_CurrentPosition(value);
        LogIfFailed(hr, L"pMP->put_CurrentPosition(pos1)");
    }
    stoppedForSeek.Restore();

    bool atStart = frames ? pos <= AtStartFrames : value <= AtStartValue;
    if (atStart) {
        MediaStatus = MediaAtStart;
        PlayState = PlayIdleAtStart;
    }
    // Tested second so that it wins when both hold. Written as pos >= total - 9 so that no
    // frame number, however far out, overflows the subtraction.
    bool atEnd = frames ? pos >= (LONGLONG)TotalFrames - AtEndFrames
                        : (double)TotalMilliseconds - value <= AtEndValue;
    if (atEnd) {
        MediaStatus = MediaAtEnd;
        PlayState = PlayStopped;
    }

    HandleGraphEvents();
    return -1;
}

int VideoPlayer::GetPositionSeconds(double* seconds) {
    if (!pMP || !seconds)
        return 0;
    pMP->get_CurrentPosition(seconds);
    return 1;
}

int VideoPlayer::GetDurationSeconds(double* seconds) {
    if (!pMP || !seconds)
        return 0;
    pMP->get_Duration(seconds);
    return 1;
}

// H:M:S while the media-time format is the one last selected, otherwise the plain decimal value.
LPWSTR VideoPlayer::FormatTime(LPWSTR buffer, size_t capacity, double value) {
    if (!pMS || !buffer || capacity == 0)
        return buffer;
    GUID current;
    // Derived frames stand for the frame format the graph refused.
    bool mediaTime = SUCCEEDED(pMS->GetTimeFormat(&current)) &&
                     GuidEquals(current, TIME_FORMAT_MEDIA_TIME) && !DerivingFrames();
    if (mediaTime) {
        LONG s = TruncateToLong(value + 0.49);
        FormatBounded(buffer, capacity, L"%02d:%02d:%02d", (int)(s / 3600), (int)(s % 3600 / 60),
                      (int)(s % 60));
    } else {
        FormatBounded(buffer, capacity, L"%I64d", TruncateToLongLong(value));
    }
    return buffer;
}

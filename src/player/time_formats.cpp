// Time formats and the media's length. The format last selected stays selected on the graph,
// so the position text (FormatTime) follows whatever format was requested last.
#include "player/video_player.h"

#include "player/platform_quirks.h"
#include "player/truncation.h"

#include <cstring>

bool VideoPlayer::GuidEquals(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

// Reads the current format and changes it only when it differs. The outcome is that of the
// last call made; a format change counts only when it answers exactly S_OK.
bool VideoPlayer::SelectTimeFormat(const GUID& timeFormat) {
    GUID current;
    std::memset(&current, 0, sizeof(current));
    HRESULT hr = pMS->GetTimeFormat(&current);
    if (hr == S_OK && GuidEquals(current, timeFormat)) {
        derivedFrameSeconds = 0.0;
        return true;
    }
    hr = pMS->SetTimeFormat(&timeFormat);
    derivedFrameSeconds = 0.0;
    if (hr == S_OK)
        return true;
    if (GuidEquals(timeFormat, TIME_FORMAT_FRAME))
        derivedFrameSeconds = SecondsPerFrameInsteadOfFrameFormat(hr, pBV);
    return DerivingFrames();
}

LONG VideoPlayer::QueryDuration(const GUID& timeFormat) {
    if (!pMS)
        return -1;
    if (!SelectTimeFormat(timeFormat))
        return -1;
    if (GuidEquals(timeFormat, TIME_FORMAT_FRAME)) {
        LONGLONG frames = 0;
        if (FAILED(pMS->GetDuration(&frames)))
            return -1;
        if (DerivingFrames())
            frames = FramesFromMediaTime(frames, derivedFrameSeconds);
        TotalFrames = TruncateToLong((double)frames * 1000.0 / 1000.0);
        return TotalFrames;
    }
    if (!pMP)
        return -1;
    double seconds = 0.0;
    if (FAILED(pMP->get_Duration(&seconds)))
        return -1;
    TotalMilliseconds = TruncateToLong(seconds * 1000.0);
    return TotalMilliseconds;
}

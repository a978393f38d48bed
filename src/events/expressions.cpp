#include "events/expressions.h"

#include "events/routine_support.h"
#include "player/truncation.h"
#include "player/video_player.h"

// Expressions on an object without a player answer their failure value (-1, -1.0 or the empty
// text) instead of reaching for a player that is not there.

namespace {

const WCHAR kEmptyText[] = L"";
constexpr int kHmsTextUnits = 60;

long TextOrEmpty(RunObject* object, LPCWSTR text) {
    if (!object)
        return static_cast<long>(reinterpret_cast<LONG_PTR>(kEmptyText));
    return TextResult(object, text);
}

// A buffer from the host's temporary-text service, emptied; null when the host gives none.
LPWSTR TemporaryText(RunObject* object, int units) {
    RunHeader* header = object->runHeader;
    if (!header || !header->temporaryText)
        return nullptr;
    LPWSTR buffer = static_cast<LPWSTR>(header->temporaryText(object, 0, units * sizeof(WCHAR)));
    if (buffer)
        buffer[0] = 0;
    return buffer;
}

typedef int (VideoPlayer::*SecondsReader)(double*);

// The H:M:S text of a position or length; the form follows the time format last selected.
long HmsText(RunObject* object, SecondsReader readSeconds) {
    if (!object || !object->player)
        return TextOrEmpty(object, kEmptyText);
    // A player without a position interface leaves the seconds unread: they count as 0.
    double seconds = 0.0;
    (object->player->*readSeconds)(&seconds);
    LPWSTR buffer = TemporaryText(object, kHmsTextUnits);
    if (!buffer)
        return TextResult(object, kEmptyText);
    object->player->FormatTime(buffer, kHmsTextUnits, seconds);
    return TextResult(object, buffer);
}

} // namespace

long WINAPI VideoFrameExpression(RunObject* object, long) {
    if (!HasWindow(object) || !object->player)
        return -1;
    return TruncateToLong(object->player->GetPosition(TIME_FORMAT_FRAME));
}

long WINAPI VideoTotalFramesExpression(RunObject* object, long) {
    return HasWindow(object) ? object->cachedTotalFrames : -1;
}

long WINAPI VideoTimeExpression(RunObject* object, long) {
    if (!object)
        return 0;
    if (!HasWindow(object) || !object->player)
        return FloatResult(object, 0.0f);
    const double seconds = object->player->GetPosition(TIME_FORMAT_MEDIA_TIME) / 1000.0;
    return FloatResult(object, static_cast<float>(seconds));
}

long WINAPI VideoTotalTimeExpression(RunObject* object, long) {
    return HasWindow(object) ? object->cachedTotalMilliseconds / 1000 : -1;
}

long WINAPI VideoXSizeExpression(RunObject* object, long) {
    return object ? object->width : -1;
}

long WINAPI VideoYSizeExpression(RunObject* object, long) {
    return object ? object->height : -1;
}

long WINAPI LastErrorExpression(RunObject* object, long) {
    return object ? object->lastError : -1;
}

long WINAPI IndeoKeyExpression(RunObject* object, long) {
    if (!object || !object->player)
        return -1;
    VideoPlayer* player = object->player;
    if (player->CodecKind() == CodecIndeo5)
        player->ReadIndeoDecodeOptions();
    return player->IndeoAccessKey;
}

namespace {

long IndeoPictureValue(RunObject* object, LONG VideoPlayer::*field) {
    if (!object || !object->player)
        return -1;
    VideoPlayer* player = object->player;
    if (player->CodecKind() == CodecIndeo5)
        player->ReadIndeoPictureSettings();
    return player->*field + 128;
}

long DivxValue(RunObject* object, LONG VideoPlayer::*field) {
    if (!object || !object->player)
        return -1;
    VideoPlayer* player = object->player;
    if (player->CodecKind() == CodecDivx)
        player->ReadDivxSettings();
    return player->*field;
}

} // namespace

long WINAPI IndeoContrastExpression(RunObject* object, long) {
    return IndeoPictureValue(object, &VideoPlayer::IndeoContrast);
}

long WINAPI IndeoBrightnessExpression(RunObject* object, long) {
    return IndeoPictureValue(object, &VideoPlayer::IndeoBrightness);
}

long WINAPI IndeoSaturationExpression(RunObject* object, long) {
    return IndeoPictureValue(object, &VideoPlayer::IndeoSaturation);
}

long WINAPI DivxContrastExpression(RunObject* object, long) {
    return DivxValue(object, &VideoPlayer::DivxContrast);
}

long WINAPI DivxBrightnessExpression(RunObject* object, long) {
    return DivxValue(object, &VideoPlayer::DivxBrightness);
}

long WINAPI DivxSaturationExpression(RunObject* object, long) {
    return DivxValue(object, &VideoPlayer::DivxSaturation);
}

long WINAPI IndioKeyExpression(RunObject* object, long) {
    if (!object || !object->player)
        return TextOrEmpty(object, kEmptyText);
    object->player->GetIndioPassword();
    return TextResult(object, object->player->IndioPassword);
}

// The raw volume (hundredths of a decibel, -10000..0) as a percentage 0..100.
long WINAPI VolumeExpression(RunObject* object, long) {
    if (!object || !object->player)
        return -1;
    return (object->player->GetVolume() + 10000) / 100;
}

long WINAPI PlaybackRateExpression(RunObject* object, long) {
    if (!object)
        return 0;
    if (!object->player)
        return FloatResult(object, 0.0f);
    object->cachedRate = object->player->Rate;
    return FloatResult(object, static_cast<float>(object->cachedRate));
}

long WINAPI VideoFilenameExpression(RunObject* object, long) {
    return TextOrEmpty(object, object ? object->fileName : kEmptyText);
}

long WINAPI PositionHmsExpression(RunObject* object, long) {
    return HmsText(object, &VideoPlayer::GetPositionSeconds);
}

long WINAPI LengthHmsExpression(RunObject* object, long) {
    return HmsText(object, &VideoPlayer::GetDurationSeconds);
}

// Hundredths of frames per second as frames per second; -1 (no figure) stays -1.0.
long WINAPI AverageFrameRateExpression(RunObject* object, long) {
    if (!object)
        return 0;
    if (!object->player)
        return FloatResult(object, -1.0f);
    const float rate = static_cast<float>(object->player->GetAverageFrameRate());
    return FloatResult(object, rate > -1.0f ? static_cast<float>(rate / 100.0) : rate);
}

long WINAPI NativeVideoWidthExpression(RunObject* object, long) {
    return object && object->player ? object->player->GetNativeVideoWidth() : -1;
}

long WINAPI NativeVideoHeightExpression(RunObject* object, long) {
    return object && object->player ? object->player->GetNativeVideoHeight() : -1;
}

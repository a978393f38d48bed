#include "events/actions.h"

#include "diag/text.h"
#include "events/routine_support.h"
#include "player/video_player.h"

// Each decoder action runs only when the graph holds that decoder (the player's CodecKind);
// otherwise it does nothing.

namespace {

VideoPlayer* PlayerWithCodec(RunObject* object, int kind) {
    if (!HasWindow(object) || !object->player || object->player->CodecKind() != kind)
        return nullptr;
    return object->player;
}

void Refit(RunObject* object) {
    object->lastError = 0;
    object->geometryChanged = 1;
    object->redrawRequest = 1;
}

// The user's 0..256 scale is stored 128 lower, in decoder units.
LONG DecoderUnits(long value) {
    return static_cast<LONG>(value - 128);
}

void SetIndeoPicture(RunObject* object, LONG VideoPlayer::*field, long value) {
    VideoPlayer* player = PlayerWithCodec(object, CodecIndeo5);
    if (!player)
        return;
    player->*field = DecoderUnits(value);
    player->ApplyIndeoPictureSettings();
    player->ResizeVideoWindow();
    Refit(object);
}

void SetDivxPicture(RunObject* object, LONG VideoPlayer::*field, long value,
                    void (VideoPlayer::*apply)()) {
    VideoPlayer* player = PlayerWithCodec(object, CodecDivx);
    if (!player)
        return;
    player->*field = DecoderUnits(value);
    (player->*apply)();
    object->lastError = 0;
    object->redrawRequest = 1;
}

} // namespace

// The transparency fill needs the player and the Indeo 5 decoder, not the window.
long WINAPI IndeoTransFillAction(RunObject* object, long colour, long) {
    if (!object || !object->player || object->player->CodecKind() != CodecIndeo5)
        return 0;
    object->player->SetIndeoTransFill(static_cast<COLORREF>(colour));
    Refit(object);
    return 0;
}

long WINAPI ToggleAltLineAction(RunObject* object, long, long) {
    VideoPlayer* player = PlayerWithCodec(object, CodecIndeo5);
    if (!player)
        return 0;
    player->AltLine = player->AltLine ? 0 : 1;
    player->ApplyIndeoDecodeOptions();
    player->ResizeVideoWindow();
    Refit(object);
    return 0;
}

long WINAPI IndeoContrastAction(RunObject* object, long value, long) {
    SetIndeoPicture(object, &VideoPlayer::IndeoContrast, value);
    return 0;
}

long WINAPI IndeoBrightnessAction(RunObject* object, long value, long) {
    SetIndeoPicture(object, &VideoPlayer::IndeoBrightness, value);
    return 0;
}

long WINAPI IndeoSaturationAction(RunObject* object, long value, long) {
    SetIndeoPicture(object, &VideoPlayer::IndeoSaturation, value);
    return 0;
}

long WINAPI IndeoPasswordAction(RunObject* object, long key, long) {
    VideoPlayer* player = PlayerWithCodec(object, CodecIndeo5);
    if (!player)
        return 0;
    player->IndeoAccessKey = key;
    player->ApplyIndeoDecodeOptions();
    player->ResizeVideoWindow();
    Refit(object);
    return 0;
}

// The password field holds 17 units and its terminator; a longer text is cut.
long WINAPI IndioPasswordAction(RunObject* object, long text, long) {
    VideoPlayer* player = PlayerWithCodec(object, CodecIndeo4);
    if (!player)
        return 0;
    LPCWSTR password = reinterpret_cast<LPCWSTR>(static_cast<LONG_PTR>(text));
    TextCopy(player->IndioPassword, IndioPasswordCapacity, password ? password : L"");
    player->SetIndioPassword();
    object->redrawRequest = 1;
    return 0;
}

long WINAPI DivxContrastAction(RunObject* object, long value, long) {
    SetDivxPicture(object, &VideoPlayer::DivxContrast, value, &VideoPlayer::ApplyDivxContrast);
    return 0;
}

long WINAPI DivxBrightnessAction(RunObject* object, long value, long) {
    SetDivxPicture(object, &VideoPlayer::DivxBrightness, value, &VideoPlayer::ApplyDivxBrightness);
    return 0;
}

long WINAPI DivxSaturationAction(RunObject* object, long value, long) {
    SetDivxPicture(object, &VideoPlayer::DivxSaturation, value, &VideoPlayer::ApplyDivxSaturation);
    return 0;
}

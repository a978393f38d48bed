// End to end, controls: volume and rate, hiding and showing, size, position, aspect and
// centring, full screen and its keys, clicks, and the frame grab, through the routine lists of
// the real DLL on a playing clip. Wine answers IBasicVideo::GetCurrentImage(size, NULL) with
// E_POINTER; the module then sizes the picture from the video itself, so the grab is saved as on
// Windows.
#include "wine/e2e_support.h"

namespace {

using namespace e2e;

void SetsVolumeAndRate() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    RunObject* run = host->Object(clip);
    host->Action(clip, 35, 50);
    CHECK_EQ(host->Expression(clip, 15).integer, 50L);
    CHECK_EQ(run->lastError, 0);
    host->Action(clip, 35, -5); // refused: error 1, the volume stays
    CHECK_EQ(run->lastError, 1);
    CHECK_EQ(host->Expression(clip, 15).integer, 50L);
    host->Action(clip, 35, 150); // reaches the graph, which refuses it
    CHECK_EQ(host->Expression(clip, 15).integer, 50L);
    host->Action(clip, 35, 0);
    CHECK_EQ(host->Expression(clip, 15).integer, 0L);

    host->ActionWithDecimal(clip, 39, 2.0f); // fetched through the host's parameter service
    CHECK_EQ(Milli(host->Expression(clip, 16).real), 2000L);
    CHECK_EQ(run->cachedRate == 2.0, true);
    host->ActionWithDecimal(clip, 39, 0.0f); // a rate of 0 is ignored
    CHECK_EQ(Milli(host->Expression(clip, 16).real), 2000L);
    host->ActionWithDecimal(clip, 39, 0.5f);
    CHECK_EQ(Milli(host->Expression(clip, 16).real), 500L);
}

void HidesAndShows() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    RunObject* run = host->Object(clip);
    host->Action(clip, 8);
    CHECK_EQ(host->Condition(clip, 7), 0L);
    CHECK(!IsWindowVisible(run->hostWindow));
    host->RunFor(100);
    CHECK(!IsWindowVisible(run->hostWindow));
    host->Action(clip, 9);
    CHECK_EQ(host->Condition(clip, 7), 1L);
    CHECK(IsWindowVisible(run->hostWindow) != FALSE);
    CHECK_EQ(run->redrawRequest, 1L);

    const int hidden = host.Create(DefaultClip(), PlayAtStart | HideAtStart);
    CHECK_EQ(host->Condition(hidden, 7), 0L);
    CHECK(!IsWindowVisible(host->Object(hidden)->hostWindow));
}

void SizesPlacesAndCentres() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip(), PlayAtStart, 10, 20);
    RunObject* run = host->Object(clip);
    host->Frame();
    RECT inFrame = {};
    GetWindowRect(run->hostWindow, &inFrame);
    MapWindowPoints(nullptr, host->Host().FrameWindow(), reinterpret_cast<POINT*>(&inFrame), 2);
    CHECK_EQ(inFrame.left, 10L);
    CHECK_EQ(inFrame.top, 20L);

    host->Action(clip, 14, 200, 150);
    CHECK_EQ(run->width, 200L);
    CHECK_EQ(run->height, 150L);
    CHECK_EQ(run->geometryChanged, 1);
    host->Frame(); // the host redisplays the object
    CHECK_EQ(run->geometryChanged, 0);
    CHECK_EQ(WindowSize(run->hostWindow).cx, 200L);
    CHECK_EQ(WindowSize(run->hostWindow).cy, 150L);
    CHECK_EQ(host->Expression(clip, 4).integer, 200L);
    host->Action(clip, 14, -1, 120); // a negative width is left alone
    CHECK_EQ(run->width, 200L);
    CHECK_EQ(run->height, 120L);
    host->Action(clip, 16, 70000); // the low 16 bits, sign-extended
    CHECK_EQ(run->height, 4464L);
    host->Action(clip, 16, 100);

    host->Action(clip, 19); // centre in the 640 x 480 frame
    CHECK_EQ(run->x, 220L);
    CHECK_EQ(run->y, 190L);
    host->Action(clip, 33, 50);
    host->Action(clip, 34, 60);
    host->Frame();
    GetWindowRect(run->hostWindow, &inFrame);
    MapWindowPoints(nullptr, host->Host().FrameWindow(), reinterpret_cast<POINT*>(&inFrame), 2);
    CHECK_EQ(inFrame.left, 50L);
    CHECK_EQ(inFrame.top, 60L);

    CHECK_EQ(run->keepAspect, 0L);
    host->Action(clip, 26);
    CHECK_EQ(run->keepAspect, 1L);
    CHECK_EQ(run->geometryChanged, 1);
    host->Action(clip, 26);
    CHECK_EQ(run->keepAspect, 0L);

    // The frame window doubled: the window is placed at twice the offset and size.
    host->ResizeFrame(1280, 960);
    host->Frame();
    GetWindowRect(run->hostWindow, &inFrame);
    MapWindowPoints(nullptr, host->Host().FrameWindow(), reinterpret_cast<POINT*>(&inFrame), 2);
    CHECK_EQ(inFrame.left, 100L);
    CHECK_EQ(inFrame.top, 120L);
    CHECK_EQ(WindowSize(run->hostWindow).cx, 400L);
    CHECK_EQ(run->width, 200L); // the object's own members stay
}

void EntersAndLeavesFullScreenWithItsKeys() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    RunObject* run = host->Object(clip);
    host->Key(clip, 'A'); // not in full screen: nothing
    host->RunFor(100);
    CHECK_EQ(host->SignalCount(clip, 13), 0);
    CHECK_EQ(run->lastFullScreenKey, 0L);

    host->Action(clip, 17);
    CHECK_EQ(run->redrawRequest, 0L);
    host->RunFor(200);
    host->EvaluateSignals(false);
    host->Key(clip, 'K');
    host->Frame();
    CHECK_EQ(host->SignalCount(clip, 13), 1);
    CHECK_EQ(run->lastFullScreenKey, static_cast<LONG>('K'));
    CHECK_EQ(host->Condition(clip, 13, 'J'), 0L);
    CHECK_EQ(host->Condition(clip, 13, 'K'), 1L);
    CHECK_EQ(run->lastFullScreenKey, 0L); // reported once
    host->EvaluateSignals(true);

    host->Action(clip, 18);
    CHECK_EQ(run->redrawRequest, 1L);
    CHECK_EQ(run->geometryChanged, 1);
    host->RunFor(200);
    CHECK_EQ(WindowSize(run->hostWindow).cx, 324L);
    host->Key(clip, 'B');
    host->RunFor(100);
    CHECK_EQ(host->SignalCount(clip, 13), 1);
    CHECK(host.WaitForSignal(clip, 1, 8000)); // the media went on to its end
}

void ReportsClicksOnce() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    RunObject* run = host->Object(clip);
    host->Click(clip, ClickButton::Left, false);
    host->Frame();
    CHECK_EQ(host->SignalCount(clip, 3), 1);
    CHECK_EQ(run->lastClickCode, -1); // the host's event took it

    host->EvaluateSignals(false);
    host->Click(clip, ClickButton::Right, true);
    host->Frame();
    CHECK_EQ(host->SignalCount(clip, 3), 2);
    CHECK_EQ(run->lastClickCode, 258);
    CHECK_EQ(host->Condition(clip, 3, 258), 1L);
    CHECK_EQ(host->Condition(clip, 3, 258), 0L);
    host->Click(clip, ClickButton::Middle, false);
    host->Frame();
    host->Frame(); // a click of an earlier loop is never reported
    CHECK_EQ(run->lastClickCode, 1);
    CHECK_EQ(host->Condition(clip, 3, 1), 0L);
    host->Host().SetClickBlock(1);
    host->Click(clip, ClickButton::Left, false);
    host->Frame();
    CHECK_EQ(host->SignalCount(clip, 3), 3);
}

void GrabsToBmpAndPng() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    RunObject* run = host->Object(clip);
    host->RunFor(500);
    host->Action(clip, 2); // a still picture
    const char* const paths[] = {"e2e_media\\grab.bmp", "e2e_media\\grab.png"};
    for (const char* path : paths) {
        std::u16string wide = WideFromUtf8(path);
        DeleteFileW(AsWide(wide));
        host->ActionWithText(clip, 36, path);
        CHECK_EQ(run->lastError, 0);
        CHECK_EQ(host->Condition(clip, 12), 1L);
        CHECK(FileBytes(path) > 0);
    }
    // The one-shot condition 12 has nothing more to report.
    CHECK_EQ(host->Condition(clip, 12), 0L);
    CHECK_EQ(run->lastError, 1);
}

} // namespace

int main() {
    SetsVolumeAndRate();
    HidesAndShows();
    SizesPlacesAndCentres();
    EntersAndLeavesFullScreenWithItsKeys();
    ReportsClicksOnce();
    GrabsToBmpAndPng();
    return WineCheckSummary();
}

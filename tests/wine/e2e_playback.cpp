// End to end, playback: a video and an audio-only WAV are opened, played to the end, paused,
// resumed, stopped and sought through the routine lists of the real DLL. Wine refuses the frame
// time format; the module derives frames from the time per frame, so lengths, positions and seeks
// in frames read as on Windows. Where Wine's DirectShow differs from Windows otherwise, the check
// names the difference and expects what Wine does:
//  - WineCannotSeekAfterTheEnd: once a running graph has sent EC_COMPLETE, putting its position
//    back to 0 leaves it at the end, and the next IMediaControl::Stop never returns (seen with
//    a plain graph too). The module's Stop does nothing once the end is reached, so the checks
//    never seek a clip that has played to its end.
#include "wine/e2e_support.h"

namespace {

using namespace e2e;

void OpensTheVideoWithItsFacts() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    const ObjectSettings* settings = host->Settings(clip);
    // The property sheet measured the file: the borderless preview's client area is the
    // picture plus a 3-D edge on each side (2 pixels).
    CHECK_EQ(settings->Width, 324);
    CHECK_EQ(settings->Height, 244);
    CHECK((settings->Flags & DefaultSize) != 0);
    RunObject* run = host->Object(clip);
    CHECK_EQ(run->width, 324L);
    CHECK_EQ(run->height, 244L);
    CHECK_EQ(run->lastError, 0);
    CHECK_EQ(run->cachedTotalMilliseconds, 3000L);
    CHECK_EQ(host->Expression(clip, 18).text, std::string("e2e_media\\clip.avi"));
    CHECK_EQ(host->Expression(clip, 22).integer, 320L);
    CHECK_EQ(host->Expression(clip, 23).integer, 240L);
    CHECK_EQ(host->Expression(clip, 3).integer, 3L);
    CHECK_EQ(host->Expression(clip, 20).text, std::string("00:00:03"));
    CHECK_EQ(host->Expression(clip, 1).integer, 75L);
    CHECK_EQ(host->Expression(clip, 15).integer, 100L);
    CHECK(IsWindowVisible(run->hostWindow));
    CHECK_EQ(GetParent(run->hostWindow), host->Host().FrameWindow());
}

void SignalsTheStartThenPlaysToTheEnd() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip(), 0); // stopped: paused on the first frame
    host->RunFor(200);
    CHECK_EQ(host->SignalCount(clip, 0), 0); // stopped is not "idle at the start"
    CHECK_EQ(host->Condition(clip, 0), 1L);  // but the media stands at its start
    host->Action(clip, 10);                  // "Goto beginning": idle at the start
    CHECK(host.WaitForSignal(clip, 0, 1000));
    CHECK(host->SignalCount(clip, 6) > 0);

    const DWORD play = host.timeline.ElapsedMs();
    host->Action(clip, 0);
    host->Frame();
    const int startSignals = host->SignalCount(clip, 0);
    CHECK(host.WaitForSignal(clip, 1, 8000));
    const long endMs = host->FirstSignalMs(clip, 1) - static_cast<long>(play);
    CHECK(endMs >= 2900 && endMs <= 8000);
    CHECK_EQ(host->SignalCount(clip, 0), startSignals); // never "at start" while it plays
    CHECK_EQ(host->SignalCount(clip, 2), 0);
    CHECK_EQ(host->Condition(clip, 1), 1L);
    CHECK_EQ(host->Condition(clip, 0), 0L);
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 3000L);
    const int endSignals = host->SignalCount(clip, 1);
    host->RunFor(200);
    CHECK(host->SignalCount(clip, 1) > endSignals); // repeated every frame while it lasts
    // "Stop video" at the end does nothing: the end already counts as stopped.
    host->Action(clip, 1);
    CHECK_EQ(host->Condition(clip, 1), 1L);
}

void PausesResumesAndStops() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip());
    host->RunFor(600);
    host->Action(clip, 2); // pause
    CHECK_EQ(host->Condition(clip, 2), 1L);
    const long paused = Milli(host->Expression(clip, 2).real);
    CHECK(paused >= 300 && paused <= 1500);
    const int before = host->SignalCount(clip, 2);
    host->RunFor(400);
    CHECK(host->SignalCount(clip, 2) >= before + 15); // condition 2 on every frame while paused
    CHECK_EQ(Milli(host->Expression(clip, 2).real), paused);

    host->Action(clip, 3); // resume
    CHECK_EQ(host->Condition(clip, 2), 0L);
    const int pausedSignals = host->SignalCount(clip, 2);
    host->RunFor(400);
    CHECK_EQ(host->SignalCount(clip, 2), pausedSignals);
    CHECK(Milli(host->Expression(clip, 2).real) >= paused + 250);

    host->Action(clip, 1); // stop: rewound, first frame shown, "at start"
    CHECK_EQ(host->Condition(clip, 0), 1L);
    CHECK_EQ(host->Condition(clip, 2), 0L);
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 0L);
    host->RunFor(300);
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 0L);
    CHECK_EQ(host->SignalCount(clip, 1), 0);
}

void SeeksByTimeAndByFrame() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(DefaultClip(), 0); // stopped on the first frame
    RunObject* run = host->Object(clip);
    CHECK_EQ(run->lastError, 0);
    host->Action(clip, 13, 2); // "Goto time %0": seconds
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 2000L);
    CHECK_EQ(host->Condition(clip, 5), 2000L);
    CHECK_EQ(run->lastError, 0);
    CHECK_EQ(host->Expression(clip, 19).text, std::string("00:00:02"));

    host->Action(clip, 12, 30); // "Goto frame %0"
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 1200L);
    CHECK_EQ(host->Condition(clip, 4), 30L);

    host->Action(clip, 11); // "Goto end": the length in seconds, 3 (not 3000)
    CHECK_EQ(host->Condition(clip, 1), 1L);
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 3000L);
    CHECK_EQ(host->Expression(clip, 19).text, std::string("00:00:03"));
}

// The demo clip without its sound track: seeking it never meets a running graph with sound.
std::string SilentClip() {
    DemoClip silent;
    silent.withTone = false;
    static std::string path = WriteMedia("silent.avi", DemoAviBytes(silent));
    return path;
}

// After "Goto end" the object reports its end at once; played from there, the graph reaches
// its end and signals it again.
void GoesToTheEndAndPlaysOutFromThere() {
    Host host;
    if (!host)
        return;
    const int clip = host.Create(SilentClip(), 0); // stopped on the first frame
    host->Action(clip, 11);                        // "Goto end"
    CHECK_EQ(host->Condition(clip, 1), 1L);
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 3000L);
    CHECK_EQ(host->Expression(clip, 19).text, std::string("00:00:03"));

    host->Action(clip, 0); // "Play video": running again, no longer at the end
    CHECK_EQ(host->Condition(clip, 1), 0L);
    const int endSignals = host->SignalCount(clip, 1);
    CHECK(host->RunUntil([&] { return host->SignalCount(clip, 1) > endSignals; }, 3000));
    CHECK_EQ(host->Condition(clip, 1), 1L);
    CHECK_EQ(Milli(host->Expression(clip, 2).real), 3000L);
}

void PlaysAnAudioOnlyWav() {
    Host host;
    if (!host)
        return;
    const int tone = host.Create(ToneWav());
    RunObject* run = host->Object(tone);
    CHECK_EQ(run->lastError, 0);
    CHECK_EQ(run->cachedTotalMilliseconds, 3000L);
    CHECK_EQ(host->Expression(tone, 22).integer, 0L); // no picture
    CHECK_EQ(host->Expression(tone, 20).text, std::string("00:00:03"));
    host->Action(tone, 35, 50);
    CHECK_EQ(host->Expression(tone, 15).integer, 50L);
    host->Action(tone, 8); // hide: the graph has no video window, the object still hides
    CHECK_EQ(host->Condition(tone, 7), 0L);
    CHECK(host.WaitForSignal(tone, 1, 8000));
    CHECK(Milli(host->Expression(tone, 2).real) >= 2900);
}

} // namespace

int main() {
    OpensTheVideoWithItsFacts();
    SignalsTheStartThenPlaysToTheEnd();
    PausesResumesAndStops();
    SeeksByTimeAndByFrame();
    GoesToTheEndAndPlaysOutFromThere();
    PlaysAnAudioOnlyWav();
    return WineCheckSummary();
}

// Run, pause, stop and single-frame steps. The state words change only on the state the graph
// reports back.
#include "player/video_player.h"

#include "diag/event_log.h"

namespace {

const LONG PlayStateTimeoutMs = 250;
const LONG StateTimeoutMs = 500;

} // namespace

// The state the graph reports within the time-out; -1 (no state) when it wrote none.
OAFilterState VideoPlayer::ReadState(LONG timeoutMs, LPCWSTR failureFormat) {
    OAFilterState state = -1;
    HRESULT hr = pMC->GetState(timeoutMs, &state);
    if (FAILED(hr) && failureFormat)
        LogEvent(ModuleLog(), failureFormat, hr);
    return state;
}

int VideoPlayer::Play() {
    if (!pMC)
        return -1;
    HRESULT hr = pMC->Run();
    if (FAILED(hr))
        LogEvent(ModuleLog(), L"FAILED(hr=0x%x) in pMC->Run()\n", hr);
    RefreshRate();
    if (ReadState(PlayStateTimeoutMs, L"FAILED(hr=0x%x) in pMC->GetState(250, &pfs)\n") ==
        State_Running) {
        MediaStatus = MediaActive;
        PlayState = PlayRunning;
    }
    return 0;
}

int VideoPlayer::Pause() {
    if (!pMC)
        return -1;
    HRESULT hr = pMC->Pause();
    if (FAILED(hr))
        LogEvent(ModuleLog(), L"FAILED(hr=0x%x) in pMC->Pause()\n", hr);
    if (ReadState(StateTimeoutMs, L"FAILED(hr=0x%x) in pMC->GetState(500, &pfs)\n") == State_Paused)
        PlayState = PlayPaused;
    return 0;
}

// Rewinds and shows the first frame: the graph is left paused there while PlayState keeps the
// stopped value.
int VideoPlayer::Stop() {
    if (!pMC || !pMS)
        return -1;
    if (PlayState == PlayStopped)
        return 0;

    pMC->Stop();
    if (ReadState(StateTimeoutMs, L"FAILED(hr=0x%x) in pMC->GetState(500, &pfs)\n") ==
        State_Stopped)
        PlayState = PlayStopped;

    LONGLONG pos = 0;
    HRESULT hr =
        pMS->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, NULL, AM_SEEKING_NoPositioning);
    if (FAILED(hr))
        LogEvent(ModuleLog(),
                 L"FAILED(hr=0x%x) in pMS->SetPositions(&pos, AM_SEEKING_AbsolutePositioning , "
                 L"NULL, AM_SEEKING_NoPositioning)\n",
                 hr);

    hr = pMC->Run();
    if (FAILED(hr))
        LogEvent(ModuleLog(), L"FAILED(hr=0x%x) in pMC->Run()\n", hr);
    hr = pMC->Pause();
    if (FAILED(hr))
        LogEvent(ModuleLog(), L"FAILED(hr=0x%x) in pMC->Pause()\n", hr);

    MediaStatus = MediaAtStart;
    return 0;
}

void VideoPlayer::StepFrames(LONG count) {
    // A count of 0 goes through like any other (it pauses a running graph). A negative count is
    // refused: the graph takes the count unsigned, so -1 would ask for four billion frames.
    if (!pFS || count < 0)
        return;
    if (pFS->CanStep(count, NULL) != S_OK)
        return;
    Pause();
    pFS->Step((DWORD)count, NULL);
}

// Run, pause, stop and single-frame steps. The state words change only on the state the graph
// reports back.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "player/state_timeouts.h"

// The state the graph reports within the time-out; -1 (no state) when it wrote none.
OAFilterState VideoPlayer::ReadState(LONG timeoutMs, LPCWSTR failedCall) {
    OAFilterState state = -1;
    HRESULT hr = pMC->GetState(timeoutMs, &state);
    if (failedCall)
        LogIfFailed(hr, failedCall);
    return state;
}

int VideoPlayer::Play() {
    if (!pMC)
        return -1;
    HRESULT hr = pMC->Run();
    LogIfFailed(hr, L"pMC->Run()");
    RefreshRate();
    if (ReadState(PlayStateTimeoutMs, L"pMC->GetState(250, &pfs)") == State_Running) {
        MediaStatus = MediaActive;
        PlayState = PlayRunning;
    }
    return 0;
}

int VideoPlayer::Pause() {
    if (!pMC)
        return -1;
    HRESULT hr = pMC->Pause();
    LogIfFailed(hr, L"pMC->Pause()");
    if (ReadState(StateTimeoutMs, L"pMC->GetState(500, &pfs)") == State_Paused)
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
    if (ReadState(StateTimeoutMs, L"pMC->GetState(500, &pfs)") == State_Stopped)
        PlayState = PlayStopped;

    LONGLONG pos = 0;
    HRESULT hr =
        pMS->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, NULL, AM_SEEKING_NoPositioning);
    LogIfFailed(hr, L"pMS->SetPositions(&pos, AM_SEEKING_AbsolutePositioning , NULL, "
                    L"AM_SEEKING_NoPositioning)");

    hr = pMC->Run();
    LogIfFailed(hr, L"pMC->Run()");
    hr = pMC->Pause();
    LogIfFailed(hr, L"pMC->Pause()");

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

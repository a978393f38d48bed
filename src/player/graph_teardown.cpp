// Tearing the graph down: the video window is detached from the host window, notifications
// stop, and every held interface is released.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "player/com_release.h"
#include "player/platform_quirks.h"

void VideoPlayer::ReleaseGraph() {
    if (pVW) {
        HRESULT hr = pVW->put_Visible(OAFALSE);
        LogIfFailed(hr, L"pVW->put_Visible(OAFALSE)");
        hr = pVW->put_Owner((OAHWND)NULL);
        LogIfFailed(hr, L"pVW->put_Owner(NULL)");
        LogEvent(ModuleLog(), L"Drop the owner");
    }
    if (pME) {
        HRESULT hr = pME->SetNotifyWindow((OAHWND)NULL, 0, 0);
        LogIfFailed(hr, L"pME->SetNotifyWindow((OAHWND)NULL, 0, 0)");
        LogEvent(ModuleLog(), L"No more notify window");
    }
    LogEvent(ModuleLog(), L"About to RELEASE");
    ReleaseAndEmpty(pQP);
    ReleaseAndEmpty(pME);
    ReleaseAndEmpty(pMP);
    ReleaseAndEmpty(pMS);
    ReleaseAndEmpty(pMC);
    ReleaseAndEmpty(pBA);
    ReleaseAndEmpty(pBV);
    ReleaseAndEmpty(pVW);
    // The frame stepper and the decoders' interfaces go with their graph, so no reference
    // outlives it and CodecKind reads 0 once the media is closed.
    ReleaseAndEmpty(pFS);
    ReleaseAndEmpty(m_pIndeo);
    ReleaseAndEmpty(m_pIndio);
    ReleaseAndEmpty(m_pDivx);
    ReleaseAndEmpty(pGB);
    ReleaseAndEmpty(pBF);
    derivedFrameSeconds = 0.0;
    LogEvent(ModuleLog(), L"All FILTERS RELEASED");
}

int VideoPlayer::CloseMedia() {
    ShowWindow(vidHWnd, SW_HIDE);
    if (pVW)
        pVW->put_Visible(OAFALSE);
    if (pMC && !StoppedInsteadOfStopWhenReady(pMC))
        pMC->StopWhenReady();
    PlayState = PlayStopped;
    NoVideo = 1;
    ReleaseGraph();
    PlayState = PlayIdleAtStart;
    MediaStatus = MediaClosed;
    InitPlayerWindow(vidHWnd);
    return 0;
}

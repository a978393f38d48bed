// Switching the video window to and from full screen. A running graph is paused around the
// switch and run again afterwards; a failed step leaves both full-screen fields as they were.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "player/platform_quirks.h"

namespace {

// Lets the mouse capture settle before the video window is re-owned.
const DWORD CaptureSettleMs = 15;

} // namespace

HRESULT VideoPlayer::SetFullScreen(LONG mode) {
    if (mode == FullScreenMode)
        return 0;
    if (!pMC || !pVW || !pME || NoVideo)
        return -1;

    bool wasRunning = PlayState == PlayRunning;
    if (wasRunning)
        pMC->Pause();

    HRESULT last = S_OK;
    if (mode != 0) {
        KeepDestinationForFullScreen(pBV, &destinationBeforeFullScreen);
        pVW->put_FullScreenMode(mode);
        pVW->SetWindowForeground(OATRUE);
        HCURSOR replaced = SetCursor(LoadCursorW(NULL, IDC_ARROW));
        if (replaced) {
            SetCapture(GetActiveWindow());
            SetCursor(replaced);
        }
        Sleep(CaptureSettleMs);
        if (ReownWhenEnteringFullScreen())
            pVW->put_Owner((OAHWND)vidHWnd);
        last = pME->SetNotifyWindow((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0);
        if (FAILED(last)) {
            LogFailure(last, L"pME->SetNotifyWindow((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0)");
            return last;
        }
        FullScreenActive = 1;
    } else {
        ReleaseCapture();
        pVW->put_FullScreenMode(OAFALSE);
        pVW->put_Owner((OAHWND)vidHWnd);
        last = pVW->put_MessageDrain((OAHWND)vidHWnd);
        if (FAILED(last)) {
            LogFailure(last, L"pVW->put_MessageDrain((OAHWND)vidHWnd)");
            return last;
        }
        last = pVW->HideCursor(OAFALSE);
        if (FAILED(last)) {
            LogFailure(last, L"pVW->HideCursor(OAFALSE)");
            return last;
        }
        last = pVW->SetWindowForeground(-1);
        if (FAILED(last)) {
            LogFailure(last, L"pVW->SetWindowForeground(-1)");
            return last;
        }
        last = pVW->NotifyOwnerMessage((OAHWND)vidHWnd, WM_MOVE, 0, 0);
        if (FAILED(last)) {
            LogFailure(last, L"pVW->NotifyOwnerMessage((OAHWND)vidHWnd, WM_MOVE, 0, 0)");
            return last;
        }
        last = pVW->NotifyOwnerMessage((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0, 0);
        if (FAILED(last)) {
            LogFailure(last, L"pVW->NotifyOwnerMessage((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0, 0)");
            return last;
        }
        UpdateWindow(vidHWnd);
        FullScreenActive = 0;
        if (RestoreDestinationAfterFullScreen(pBV, destinationBeforeFullScreen))
            ResizeVideoWindow();
    }

    FullScreenMode = mode;
    if (PlayState == PlayRunning)
        last = pMC->Run();
    return last == S_OK ? 0 : -1;
}

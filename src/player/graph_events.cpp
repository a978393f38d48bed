// Draining the graph's event queue when WM_GRAPHNOTIFY reaches the host window. One call takes
// events up to the first one that returns; later events wait for the next notification.
#include "player/video_player.h"
#include "player/state_timeouts.h"

int VideoPlayer::HandleGraphEvents() {
    if (!pME)
        return 0;

    long code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    while (SUCCEEDED(pME->GetEvent(&code, &param1, &param2, 0))) {
        pME->FreeEventParams(code, param1, param2);

        if (pMC) {
            switch (ReadState(StateTimeoutMs, NULL)) {
            case State_Stopped:
                PlayState = PlayStopped;
                MediaStatus = MediaAtStart;
                break;
            case State_Paused:
                PlayState = PlayPaused;
                MediaStatus = MediaActive;
                break;
            case State_Running:
                PlayState = PlayRunning;
                MediaStatus = MediaActive;
                break;
            default:
                break;
            }
        }

        switch (code) {
        case EC_NEED_RESTART:
            if (!pMC)
                return 0;
            if (PlayState == PlayRunning) {
                pMC->Run();
            } else if (PlayState == PlayPaused) {
                pMC->Run();
                pMC->Pause();
            }
            ResizeVideoWindow();
            return 0;
        case EC_PAUSED:
            ResizeVideoWindow();
            return 0;
        case EC_COMPLETE:
        case EC_END_OF_SEGMENT:
            MediaStatus = MediaAtEnd;
            PlayState = PlayStopped;
            break;
        case EC_VIDEOFRAMEREADY:
        case EC_SEGMENT_STARTED:
            if (param1 == 1) {
                PlayState = PlayIdleAtStart;
                MediaStatus = MediaAtStart;
            }
            return 0;
        case EC_OPENING_FILE:
        case EC_BUFFERING_DATA:
            if (param1 == 1)
                MediaStatus = MediaOpening;
            return 0;
        default:
            break;
        }
    }
    return 0;
}

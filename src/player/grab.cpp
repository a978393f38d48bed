// The picture the graph shows: its native size and a copy of it as a packed DIB.
#include "player/video_player.h"

#include "player/packed_dib.h"
#include "player/platform_quirks.h"
#include "player/state_timeouts.h"

#include <cstring>
#include <new>

LONG VideoPlayer::GetNativeVideoWidth() {
    long width = 0;
    if (!pBV || FAILED(pBV->get_VideoWidth(&width)))
        return 0;
    return width;
}

LONG VideoPlayer::GetNativeVideoHeight() {
    long height = 0;
    if (!pBV || FAILED(pBV->get_VideoHeight(&height)))
        return 0;
    return height;
}

BYTE* VideoPlayer::GrabCurrentImage() {
    return GrabCurrentImage(NULL);
}

// A running graph is paused for the copy, so the renderer holds still, and run again afterwards
// whether or not a picture came out of it: a failed grab must not freeze a playing video while
// PlayState still says it runs.
BYTE* VideoPlayer::GrabCurrentImage(LONG* imageBytes) {
    if (imageBytes)
        *imageBytes = 0;
    if (!pMC)
        return NULL;

    OAFilterState state = -1;
    pMC->GetState(GrabStateTimeoutMs, &state);
    const bool wasRunning = state == State_Running;
    if (wasRunning && FAILED(pMC->Pause()))
        return NULL;

    BYTE* image = NULL;
    long size = 0;
    HRESULT sized = pBV ? pBV->GetCurrentImage(&size, NULL) : E_NOINTERFACE;
    if (SUCCEEDED(sized) && size >= 1) {
        // The renderer overwrites the block; only its header is zeroed first, so a copy that
        // fails leaves a header that claims nothing.
        image = new (std::nothrow) BYTE[size];
        if (image) {
            std::memset(image, 0, size < kDibInfoHeaderBytes ? size : kDibInfoHeaderBytes);
            long capacity = size;
            pBV->GetCurrentImage(&capacity, reinterpret_cast<long*>(image));
            if (imageBytes)
                *imageBytes = size;
        }
    } else if (FAILED(sized)) {
        image = GrabWithoutSizeQuery(pMC, pBV, state, imageBytes);
    }

    if (wasRunning)
        pMC->Run();
    return image;
}

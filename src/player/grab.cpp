// The picture the graph shows: its native size (the frame grab's picture copy joins this file).
#include "player/video_player.h"

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

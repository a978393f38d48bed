// The host window and the graph's video window inside it: sizing the host window to the
// picture, handing its client area to the video window, colours and transparency.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"

namespace {

// While it is being sized the host window is parked off screen; the display routine moves it
// to its real place afterwards.
const int ParkingPosition = 1600;
const int AudioOnlyWindowSize = 32;
const BYTE VideoWindowAlpha = 60;

} // namespace

int VideoPlayer::InitPlayerWindow(HWND window) {
    // SWP_NOMOVE keeps the position: only the 32 x 32 size applies.
    SetWindowPos(window, NULL, 3000, 3000, AudioOnlyWindowSize, AudioOnlyWindowSize,
                 SWP_NOOWNERZORDER | SWP_NOMOVE);
    return 0;
}

void VideoPlayer::SetBackgroundColor(COLORREF color) {
    BkColor = color;
    if (!pVW)
        return;
    HRESULT hr = pVW->put_BorderColor((long)BkColor);
    LogIfFailed(hr, L"pVW->put_BorderColor((long) BkColor)");
}

void VideoPlayer::ApplyWindowAlpha(DWORD /*ignored*/) {
    if (!pVW)
        return;
    long style = 0;
    if (SUCCEEDED(pVW->get_WindowStyleEx(&style))) {
        ExStyle = style;
        pVW->put_WindowStyleEx(ExStyle | WS_EX_LAYERED);
    }
    HWND videoWindow = FindWindowExW(NULL, NULL, NULL, L"ActiveMovie Window");
    if (videoWindow)
        SetLayeredWindowAttributes(videoWindow, 0, VideoWindowAlpha, LWA_ALPHA);
}

HRESULT VideoPlayer::InitVideoWindow(LONG multiplier, LONG divisor) {
    if (!pBV || !pVW)
        return S_FALSE;
    if (divisor == 0)
        return E_INVALIDARG;

    long width = 0, height = 0;
    HRESULT hr = pBV->GetVideoSize(&width, &height);
    if (FAILED(hr)) {
        // Without a picture size the host window keeps its size; the video window still
        // takes the client area below.
        LogFailure(hr, L"pBV->GetVideoSize(&lWidth, &lHeight)");
    } else {
        LONG w = (LONG)((LONGLONG)width * multiplier / divisor);
        LONG h = (LONG)((LONGLONG)height * multiplier / divisor);
        SetWindowPos(vidHWnd, NULL, ParkingPosition, ParkingPosition, w, h, SWP_NOOWNERZORDER);
        int edgeX = GetSystemMetrics(SM_CXEDGE);
        int edgeY = GetSystemMetrics(SM_CYEDGE);
        SetWindowPos(vidHWnd, NULL, ParkingPosition, ParkingPosition, w + 2 * edgeX, h + 2 * edgeY,
                     SWP_NOOWNERZORDER);
    }

    RECT rect = {0, 0, 0, 0};
    GetClientRect(vidHWnd, &rect);
    hr = pVW->SetWindowPosition(rect.left, rect.top, rect.right, rect.bottom);
    LogIfFailed(hr, L"pVW->SetWindowPosition(rect.left, rect.top, rect.right, rect.bottom)");
    return hr;
}

HRESULT VideoPlayer::ResizeVideoWindow() {
    if (!pVW || FullScreenActive)
        return S_FALSE;
    LogEvent(ModuleLog(), L"MovieVideoWindow VW= 0x%x", (unsigned int)(UINT_PTR)pVW);
    RECT rect;
    if (!GetClientRect(vidHWnd, &rect))
        return S_FALSE;
    vidRC = rect;
    LogEvent(ModuleLog(), L"Size information( %d, %d, %d, %d)", (int)vidRC.left, (int)vidRC.top,
             (int)vidRC.right, (int)vidRC.bottom);
    HRESULT hr = pVW->SetWindowPosition(vidRC.left, vidRC.top, vidRC.right, vidRC.bottom);
    LogIfFailed(hr, L"pVW->SetWindowPosition(vidRC.left, vidRC.top, vidRC.right, vidRC.bottom)");
    return hr;
}

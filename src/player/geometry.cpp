// Where the picture goes inside the host window, the background of audio-only media, and
// showing or hiding the picture.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "player/truncation.h"

namespace {

// Border bits of the object's option word and the metrics each one takes away.
const DWORD ThinBorderFlag = 0x100;
const DWORD EdgeBorderFlag = 0x200;
const DWORD DialogFrameFlag = 0x400;

// COLOR_3DFACE as a class-style brush value (colour index + 1).
const HBRUSH FaceBrush = (HBRUSH)(UINT_PTR)(COLOR_3DFACE + 1);

} // namespace

int VideoPlayer::SetDestinationRect(bool keepAspect, LONG width, LONG height, DWORD borderFlags) {
    if (!pBV)
        return 0;

    long videoWidth = 0, videoHeight = 0;
    HRESULT hr = pBV->GetVideoSize(&videoWidth, &videoHeight);
    if (FAILED(hr)) {
        LogFailure(hr, L"pBV->GetVideoSize(&lWidth, &lHeight)");
        videoWidth = videoHeight = 0;
    }

    LONG borderX = 0, borderY = 0;
    if (borderFlags & ThinBorderFlag) {
        borderX += GetSystemMetrics(SM_CXBORDER);
        borderY += GetSystemMetrics(SM_CYBORDER);
    }
    if (borderFlags & EdgeBorderFlag) {
        borderX += GetSystemMetrics(SM_CXEDGE);
        borderY += GetSystemMetrics(SM_CYEDGE);
    }
    if (borderFlags & DialogFrameFlag) {
        borderX += GetSystemMetrics(SM_CXDLGFRAME);
        borderY += GetSystemMetrics(SM_CYDLGFRAME);
    }
    LONGLONG innerWidth = (LONGLONG)width - 2 * (LONGLONG)borderX;
    LONGLONG innerHeight = (LONGLONG)height - 2 * (LONGLONG)borderY;

    // An area with nothing inside, or a picture without a size, leaves the destination as it
    // was: there is nothing sensible to fit and nothing to divide by.
    if (innerWidth <= 0 || innerHeight <= 0 || innerWidth > 0x7FFFFFFF ||
        innerHeight > 0x7FFFFFFF || videoWidth <= 0 || videoHeight <= 0)
        return 1;

    LONG newX = 0, newY = 0, lWidth = (LONG)innerWidth, lHeight = (LONG)innerHeight;
    if (keepAspect) {
        double rx = (double)videoWidth / (double)innerWidth;
        double ry = (double)videoHeight / (double)innerHeight;
        if (ry >= rx) {
            // The height binds (a tie lands here). The offset comes from the unrounded width.
            double scaled = videoWidth / ry;
            lWidth = TruncateToLong(scaled);
            newX = TruncateToLong((double)innerWidth - scaled) / 2;
        } else {
            double scaled = videoHeight / rx;
            lHeight = TruncateToLong(scaled);
            newY = TruncateToLong((double)innerHeight - scaled) / 2;
        }
    }

    hr = pBV->SetDestinationPosition(newX, newY, lWidth, lHeight);
    LogIfFailed(hr, L"pBV->SetDestinationPosition(newX, newY, lWidth , lHeight)");
    return 1;
}

void VideoPlayer::PaintBackground(HWND window) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (NoVideo) {
        if (dc)
            FillRect(dc, &client, FaceBrush);
        if (pVW)
            pVW->NotifyOwnerMessage((OAHWND)window, WM_SYSCOLORCHANGE, 0, 0);
    }
    EndPaint(window, &paint);
}

void VideoPlayer::RepaintVideo() {
    if (!pVW)
        return;
    PaintBackground(vidHWnd);
    pVW->NotifyOwnerMessage((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0, 0);
}

void VideoPlayer::ShowVideo(bool visible) {
    if (pVW) {
        if (visible) {
            pVW->put_Visible(OATRUE);
            pVW->SetWindowForeground(OATRUE);
        } else {
            pVW->put_Visible(OAFALSE);
        }
    }
    if (pME) {
        HRESULT hr = pME->SetNotifyWindow((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0);
        LogIfFailed(hr, L"pME->SetNotifyWindow((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0)");
    }
    if (pVW && visible)
        ResizeVideoWindow();
}

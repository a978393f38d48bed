// The VideoPlayer on a real window under Wine's DirectShow: generated clips are opened, sized,
// played to the end and closed. Where Wine's DirectShow differs from Windows the check names the
// difference and accepts what Wine does:
//  - WineCannotStep: IVideoFrameStep::CanStep answers E_NOTIMPL, so no stepper is kept.
// Wine's refused frame time format and its renderer without IQualProp are the module's own
// business (its platform detours): lengths in frames and the frame rate read as on Windows.
#include "player/video_player.h"
#include "media_writer.h"
#include "wine/wine_check.h"

#include <string>

namespace {

const bool WineCannotStep = true;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

struct TestWindows {
    HWND frame = nullptr;
    HWND host = nullptr;
};

TestWindows CreateTestWindows() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PlayerWineTest";
    RegisterClassW(&windowClass);
    TestWindows windows;
    windows.frame =
        CreateWindowExW(0, L"PlayerWineTest", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        1000, 800, nullptr, nullptr, windowClass.hInstance, nullptr);
    windows.host = CreateWindowExW(0, L"PlayerWineTest", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                   windows.frame, nullptr, windowClass.hInstance, nullptr);
    return windows;
}

std::wstring Wide(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        out[i] = (wchar_t)(unsigned char)text[i];
    return out;
}

SIZE OuterSize(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Pumps the host window's messages, draining graph events the way its window routine does,
// until the media reports its end or the time runs out.
void PlayToEnd(VideoPlayer& player, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && player.MediaStatus != MediaAtEnd) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.hwnd == player.vidHWnd &&
                (message.message == WM_GRAPHNOTIFY || message.message == WM_DISPLAYCHANGE))
                player.HandleGraphEvents();
            else
                DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

void CheckVideoClip(const TestWindows& windows, const std::string& path) {
    VideoPlayer player(windows.host);
    CHECK_EQ(player.OpenFile(Wide(path).c_str(), windows.host), 0);
    CHECK_EQ(player.NoVideo, 0ul);
    CHECK_EQ(player.LastError, 0ul);
    CHECK_EQ(player.MediaStatus, MediaAtStart);
    CHECK_EQ(player.PlayState, PlayStopped);
    CHECK_EQ(player.TotalMilliseconds, 2000L);
    CHECK_EQ(player.TotalFrames, 50L);
    CHECK_EQ(player.QueryDuration(TIME_FORMAT_FRAME), 50L);
    CHECK_EQ(player.QueryDuration(TIME_FORMAT_MEDIA_TIME), 2000L);
    CHECK(player.pBV != nullptr);
    long width = 0, height = 0;
    if (player.pBV)
        CHECK_EQ(player.pBV->GetVideoSize(&width, &height), S_OK);
    CHECK_EQ(width, 320L);
    CHECK_EQ(height, 240L);
    CHECK_EQ(player.pFS == nullptr, WineCannotStep);
    CHECK_EQ(player.CodecKind(), 0);

    // The open sized the host window to the picture plus the 3-D edges.
    int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    SIZE outer = OuterSize(windows.host);
    CHECK_EQ(outer.cx, 320L + 2 * edgeX);
    CHECK_EQ(outer.cy, 240L + 2 * edgeY);
    CHECK_EQ(player.InitVideoWindow(2, 1), S_OK);
    outer = OuterSize(windows.host);
    CHECK_EQ(outer.cx, 640L + 2 * edgeX);
    CHECK_EQ(outer.cy, 480L + 2 * edgeY);

    CHECK_EQ(player.SetDestinationRect(true, 800, 400, 0), 1);
    long left = -1, top = -1, destWidth = -1, destHeight = -1;
    if (player.pBV)
        player.pBV->GetDestinationPosition(&left, &top, &destWidth, &destHeight);
    CHECK_EQ(left, 133L);
    CHECK_EQ(top, 0L);
    CHECK_EQ(destWidth, 533L);
    CHECK_EQ(destHeight, 400L);

    CHECK_EQ(player.SetVolume(50), S_OK);
    CHECK_EQ(player.GetVolume(), -5000L);
    CHECK_EQ(player.SetVolume(150), E_INVALIDARG);

    long visible = -1;
    player.ShowVideo(false);
    if (player.pVW)
        player.pVW->get_Visible(&visible);
    CHECK_EQ(visible, (long)OAFALSE);
    player.ShowVideo(true);
    if (player.pVW)
        player.pVW->get_Visible(&visible);
    CHECK_EQ(visible, (long)OATRUE);

    CHECK_EQ(player.GetAverageFrameRate(), 2500);

    CHECK_EQ(player.Play(), 0);
    CHECK_EQ(player.MediaStatus, MediaActive);
    CHECK_EQ(player.PlayState, PlayRunning);
    PlayToEnd(player, 8000);
    CHECK_EQ(player.MediaStatus, MediaAtEnd);
    CHECK_EQ(player.PlayState, PlayStopped);
    CHECK_EQ((long)player.GetPosition(TIME_FORMAT_MEDIA_TIME), 2000L);

    // Full screen on and off again through Wine's video window.
    player.PlayState = PlayStopped;
    CHECK_EQ(player.SetFullScreen(-1), 0L);
    CHECK_EQ(player.FullScreenActive, 1ul);
    CHECK_EQ(player.SetFullScreen(-1), 0L);
    CHECK_EQ(player.SetFullScreen(0), 0L);
    CHECK_EQ(player.FullScreenActive, 0ul);

    CHECK_EQ(player.CloseMedia(), 0);
    CHECK_EQ(player.MediaStatus, MediaClosed);
    CHECK(player.pGB == nullptr);
}

void CheckSoundOnly(const TestWindows& windows, const std::string& path) {
    VideoPlayer player(windows.host);
    CHECK_EQ(player.OpenFile(Wide(path).c_str(), windows.host), 0);
    CHECK_EQ(player.NoVideo, 1ul);
    CHECK(player.pVW != nullptr);
    CHECK(player.pBF == nullptr);
    CHECK_EQ(player.TotalMilliseconds, 1000L);
    SIZE outer = OuterSize(windows.host);
    CHECK_EQ(outer.cx, 32L);
    CHECK_EQ(outer.cy, 32L);
    CHECK_EQ(player.SetFullScreen(-1), -1L);
    CHECK_EQ(player.SetVolume(50), S_OK);
    CHECK_EQ(player.Play(), 0);
    PlayToEnd(player, 5000);
    CHECK_EQ(player.MediaStatus, MediaAtEnd);
    player.CloseMedia();
}

} // namespace

int main() {
    CoInitialize(nullptr);
    TestWindows windows = CreateTestWindows();

    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string clip = std::string(folder) + "player_wine_clip.avi";
    std::string sound = std::string(folder) + "player_wine_sound.wav";

    media::AviClip avi;
    avi.frames = 50; // two seconds at 25 frames per second
    avi.withAudio = true;
    CHECK(media::WriteAvi(clip, avi));
    media::WavClip wav;
    CHECK(media::WriteWav(sound, wav));

    CheckVideoClip(windows, clip);
    CheckSoundOnly(windows, sound);

    DeleteFileA(clip.c_str());
    DeleteFileA(sound.c_str());
    DestroyWindow(windows.frame);
    CoUninitialize();
    return WineCheckSummary();
}

// Shared set-up of the VideoPlayer tests: a fresh platform and log, the manual clock, a frame
// window with the object's host window inside it, and generated clips in the sandbox.
#pragma once

#include "player/video_player.h"
#include "standin/dshow_control.h"
#include "standin/faults.h"
#include "standin/inspect_user.h"
#include "support/log_capture.h"
#include "media_writer.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

inline LRESULT CALLBACK PlayerTestWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartFreshModuleLog();
        standin::UseManualClock(0);
        CoInitialize(NULL);
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = PlayerTestWindowProc;
        windowClass.lpszClassName = L"PlayerTest";
        RegisterClassW(&windowClass);
        frame = CreateWindowExW(0, L"PlayerTest", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                1000, 800, NULL, NULL, NULL, NULL);
        host = CreateWindowExW(0, L"PlayerTest", L"", WS_CHILD | WS_VISIBLE, 10, 20, 100, 100,
                               frame, NULL, NULL, NULL);
        CreateDirectoryW(L"C:\\clips", NULL);
        player.reset(new VideoPlayer(host));
    }

    void TearDown() override {
        player->CloseMedia();
        player.reset();
        CoUninitialize();
        EndModuleLog();
        standin::UseRealClock();
    }

    // Writes a clip into the sandbox and answers its Windows path.
    std::u16string Avi(const media::AviClip& clip, const char* name = "clip.avi") {
        std::string path = std::string("C:\\clips\\") + name;
        EXPECT_TRUE(media::WriteAvi(path, clip));
        return U16FromUtf8(path);
    }
    std::u16string Wav(const char* name = "sound.wav") {
        std::string path = std::string("C:\\clips\\") + name;
        EXPECT_TRUE(media::WriteWav(path, media::WavClip()));
        return U16FromUtf8(path);
    }
    // 320 x 240 at 25 frames per second. Pictures cost time to generate: keep clips short.
    media::AviClip Clip(int frames, const char* fourcc = "", bool withAudio = false) {
        media::AviClip clip;
        clip.frames = frames;
        clip.fourcc = fourcc;
        clip.withAudio = withAudio;
        return clip;
    }
    // A 32 x 24 picture, for tests about positions rather than pictures.
    media::AviClip SmallClip(int frames) {
        media::AviClip clip = Clip(frames);
        clip.width = 32;
        clip.height = 24;
        return clip;
    }

    int Open(const std::u16string& path) {
        return player->OpenFile(reinterpret_cast<LPCWSTR>(path.c_str()), host);
    }
    // Opens a clip and forgets the lines the open wrote.
    void OpenQuietly(const std::u16string& path) {
        ASSERT_EQ(Open(path), 0);
        ClearLogLines();
    }

    RECT HostRect() { return standin::InspectWindow(host).rect; }

    static bool Contains(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    static int CountOf(const std::vector<std::string>& lines, const std::string& line) {
        return (int)std::count(lines.begin(), lines.end(), line);
    }

    HWND frame = NULL;
    HWND host = NULL;
    std::unique_ptr<VideoPlayer> player;
};

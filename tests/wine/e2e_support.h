// End-to-end checks: the real Cinevane.dll driven by the stand-in host's session (the code of
// cinevane-host) on clips generated for the run, under Wine's DirectShow. Each program prints
// the host's timeline as it goes, then "N passed, N failed".
#pragma once

#include "wine/wine_check.h"

#include "demo_clip.h"
#include "host_session.h"
#include "host_text.h"
#include "module_api.h"

#include <cmath>
#include <memory>
#include <string>

namespace e2e {

using namespace hoststandin;

// Clips of this run, in a folder of the working directory.
inline std::string WriteMedia(const std::string& name, const std::vector<BYTE>& bytes) {
    CreateDirectoryW(L"e2e_media", nullptr);
    std::string path = "e2e_media\\" + name;
    std::u16string wide = WideFromUtf8(path);
    CHECK(WriteFileBytes(AsWide(wide), bytes));
    return path;
}

inline std::string DefaultClip() {
    static std::string path = WriteMedia("clip.avi", DemoAviBytes(DemoClip()));
    return path;
}

inline std::string ToneWav() {
    static std::string path = WriteMedia("tone.wav", ToneWavBytes(3000));
    return path;
}

// A started session on the real DLL; null (with a failed check) when the DLL cannot be used.
class Host {
  public:
    Host() : timeline(stdout) {
        std::string error;
        bound = BindModule(L"Cinevane.dll", &api, &error);
        CHECK(bound);
        if (!bound) {
            std::printf("cannot bind Cinevane.dll: %s\n", error.c_str());
            return;
        }
        session.reset(new HostSession(api, &timeline));
        const bool started = session->Start(640, 480, &error);
        CHECK(started);
        if (!started) {
            std::printf("cannot start: %s\n", error.c_str());
            session.reset();
        }
    }
    ~Host() {
        session.reset();
        if (bound)
            ReleaseModule(&api);
    }
    HostSession* operator->() { return session.get(); }
    explicit operator bool() const { return session != nullptr; }

    // Creates an object and checks that CreateRunObject answered 0.
    int Create(const std::string& file, WORD flags = PlayAtStart, LONG x = -1, LONG y = -1) {
        ObjectOptions options;
        options.file = file;
        options.flags = flags;
        options.x = x;
        options.y = y;
        int number = session->CreateObject(options);
        CHECK_EQ(session->CreateResult(number), 0);
        return number;
    }

    // Plays frames until condition `code` has been signalled for the object.
    bool WaitForSignal(int number, int code, DWORD timeoutMs) {
        return session->RunUntil([&] { return session->SignalCount(number, code) > 0; }, timeoutMs);
    }

    Timeline timeline;

  private:
    ModuleApi api;
    bool bound = false;
    std::unique_ptr<HostSession> session;
};

inline long Milli(float value) {
    return std::lround(value * 1000.0f);
}

inline SIZE WindowSize(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

inline long FileBytes(const std::string& path) {
    std::u16string wide = WideFromUtf8(path);
    HANDLE file = CreateFileW(AsWide(wide), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    return static_cast<long>(size);
}

} // namespace e2e

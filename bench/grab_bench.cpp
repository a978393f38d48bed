// A frame grab of a 1920 x 1080 24-bit picture against the floor of one memcpy of the frame plus
// one write of its bytes to a file:
// - GrabActionToBmp: the module's whole action 36 on a playing object (pause, the two picture
//   requests to the renderer, the picture's buffer, host surface, filter choice, BMP file, run
//   again). Target: within 3x of the floor in CPU time.
// - HostGrabToBmp: the host's side alone (packed DIB -> host surface -> BMP file). Target:
//   within 4x of the floor in CPU time.
#include "playing_frame.h"

#include "goal_reporter.h"
#include "host/host_images.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr DWORD kFrameBytes = kWidth * 3 * kHeight; // rows need no padding at this width
constexpr int kGrabToFile = 36;

std::vector<BYTE> MakeFrame() {
    std::vector<BYTE> dib(40 + kFrameBytes);
    const DWORD header[10] = {40, kWidth, kHeight, 1 | (24u << 16), 0, kFrameBytes, 0, 0, 0, 0};
    std::memcpy(dib.data(), header, 40);
    for (DWORD i = 0; i < kFrameBytes; ++i)
        dib[40 + i] = BYTE(i * 7 + (i >> 11));
    return dib;
}

void GrabActionToBmp(benchmark::State& state) {
    bench::PlayingFrame frame(kWidth, kHeight, 2);
    if (!frame.Playing()) {
        state.SkipWithError("the object is not playing");
        return;
    }
    CreateDirectoryW(L"C:\\Bench", nullptr);
    static const WCHAR kFile[] = L"C:\\Bench\\grab.bmp";
    const long name = static_cast<long>(reinterpret_cast<LONG_PTR>(kFile));
    RunObject* object = frame.Object();
    for (auto _ : state) {
        object->grabDone = 0;
        frame.Action(kGrabToFile, name);
        if (!object->grabDone || !frame.Playing())
            state.SkipWithError("the grab did not save, or the video did not run again");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kFrameBytes);
}

void HostGrabToBmp(benchmark::State& state) {
    hoststandin::InstallHostRuntime();
    CreateDirectoryW(L"C:\\Bench", nullptr);
    const std::vector<BYTE> dib = MakeFrame();
    void* manager = &hoststandin::StandardImageFilters();
    for (auto _ : state) {
        HostSurfaceBlock surface = {};
        ConstructHostSurface(&surface);
        void* prototype = nullptr;
        bool saved =
            LookUpSurfacePrototype(24, &prototype) &&
            CreateHostSurface(&surface, kWidth, kHeight, prototype) &&
            LoadHostSurfaceFromDib(&surface, dib.data()) &&
            SaveHostSurface(manager, L"C:\\Bench\\grab.bmp", &surface, kBmpFilterIdentifier);
        ReleaseHostSurfaceContent(&surface);
        DestroyHostSurface(&surface);
        if (!saved)
            state.SkipWithError("the grab did not save");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kFrameBytes);
}

void CopyAndWrite(benchmark::State& state) {
    CreateDirectoryW(L"C:\\Bench", nullptr);
    const std::vector<BYTE> dib = MakeFrame();
    std::vector<BYTE> copy(dib.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), dib.data(), dib.size());
        HANDLE file = CreateFileW(L"C:\\Bench\\copy.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        bool ok = file != INVALID_HANDLE_VALUE &&
                  WriteFile(file, copy.data(), DWORD(copy.size()), &written, nullptr) &&
                  written == copy.size();
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (!ok)
            state.SkipWithError("the write failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kFrameBytes);
}

BENCHMARK(GrabActionToBmp)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(HostGrabToBmp)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(CopyAndWrite)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv) {
    using bench::Goal;
    return bench::RunWithGoals(argc, argv,
                               {{"GrabActionToBmp", "CopyAndWrite", Goal::AtMostTimes, 3, true},
                                {"HostGrabToBmp", "CopyAndWrite", Goal::AtMostTimes, 4, true}});
}

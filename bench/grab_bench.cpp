// A frame grab's own work on a 1920 x 1080 24-bit picture: packed DIB -> host surface -> BMP
// file, against the floor of one memcpy of the frame plus one write of its bytes. Target: within
// 4x of the floor. Both figures and the ratio are printed.
#include <windows.h>

#include "host/host_images.h"
#include "host_runtime.h"
#include "image_filters.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr DWORD kFrameBytes = kWidth * 3 * kHeight; // rows need no padding at this width

std::vector<BYTE> MakeFrame() {
    std::vector<BYTE> dib(40 + kFrameBytes);
    const DWORD header[10] = {40, kWidth, kHeight, 1 | (24u << 16), 0, kFrameBytes, 0, 0, 0, 0};
    std::memcpy(dib.data(), header, 40);
    for (DWORD i = 0; i < kFrameBytes; ++i)
        dib[40 + i] = BYTE(i * 7 + (i >> 11));
    return dib;
}

void GrabToBmp(benchmark::State& state) {
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

BENCHMARK(GrabToBmp)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(CopyAndWrite)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Prints the ratio of the two after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.benchmark_name().rfind("GrabToBmp", 0) == 0)
                grab = run.GetAdjustedRealTime();
            if (run.benchmark_name().rfind("CopyAndWrite", 0) == 0)
                floor = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (grab > 0 && floor > 0)
            std::printf("grab %.2f ms, memcpy + write %.2f ms: ratio %.2f (target <= 4)\n", grab,
                        floor, grab / floor);
    }

  private:
    double grab = 0;
    double floor = 0;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

// HandleRunObject on a playing object, with the host's event signal replaced by a routine that
// does nothing, so the figure is the object's own per-frame cost. Target: under 50 ns per call.
// A paused object (one signal per call) is measured beside it for comparison.
#include <windows.h>

#include "edit_host.h"
#include "host/lifecycle_exports.h"
#include "player/video_player.h"
#include "run_host.h"
#include "runtime/run_object_entry.h"
#include "standin/clock.h"
#include "support/log_capture.h"
#include "media_writer.h"

#include <benchmark/benchmark.h>

namespace {

int WINAPI IgnoreSignal(RunObject*, int, int) {
    return 0;
}

// A frame with one object playing a generated clip, file logging off as in a released game.
class PlayingFrame {
  public:
    PlayingFrame() {
        StartFreshModuleLog();
        standin::UseManualClock(0);
        Initialize(editHost.Record(), 1);
        host.reset(new hoststandin::RunHost()); // after the platform reset, which ends windows
        media::AviClip clip;
        clip.width = 32;
        clip.height = 24;
        media::WriteAvi("C:\\clips\\bench.avi", clip);
        ObjectSettings settings =
            hoststandin::MakeSettings(L"C:\\clips\\bench.avi", 320, 240, PlayAtStart);
        object = host->NewObject();
        CreateRunObject(object.get(), &settings, nullptr);
        host->Header()->signal = IgnoreSignal;
    }
    ~PlayingFrame() {
        DestroyRunObject(object.get(), 0);
        host.reset();
        Free(editHost.Record());
        EndModuleLog();
    }
    RunObject* Object() { return object.get(); }

  private:
    hoststandin::EditHost editHost;
    std::unique_ptr<hoststandin::RunHost> host;
    std::unique_ptr<RunObject> object;
};

void HandlePlayingObject(benchmark::State& state) {
    PlayingFrame frame;
    RunObject* object = frame.Object();
    if (!object->player || object->player->PlayState != PlayRunning) {
        state.SkipWithError("the object is not playing");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(HandleRunObject(object));
}
BENCHMARK(HandlePlayingObject);

void HandlePausedObject(benchmark::State& state) {
    PlayingFrame frame;
    RunObject* object = frame.Object();
    if (!object->player) {
        state.SkipWithError("the object has no player");
        return;
    }
    object->player->Pause();
    for (auto _ : state)
        benchmark::DoNotOptimize(HandleRunObject(object));
}
BENCHMARK(HandlePausedObject);

} // namespace

BENCHMARK_MAIN();

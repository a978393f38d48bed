// The run-time object's per-frame entry points on a playing object, with the host's event signal
// replaced by a routine that does nothing, so the figures are the object's own cost.
// HandleRunObject: target under 50 ns per call; a paused object (one signal per call) is
// measured beside it for comparison. DisplayRunObject with nothing changed (no goal).
#include "playing_frame.h"

#include "goal_reporter.h"

namespace {

void HandlePlayingObject(benchmark::State& state) {
    bench::PlayingFrame frame;
    if (!frame.Playing()) {
        state.SkipWithError("the object is not playing");
        return;
    }
    RunObject* object = frame.Object();
    for (auto _ : state)
        benchmark::DoNotOptimize(HandleRunObject(object));
}
BENCHMARK(HandlePlayingObject);

void HandlePausedObject(benchmark::State& state) {
    bench::PlayingFrame frame;
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

// The frame's display call when neither the object nor the frame window changed.
void DisplayPlayingObject(benchmark::State& state) {
    bench::PlayingFrame frame;
    if (!frame.Playing()) {
        state.SkipWithError("the object is not playing");
        return;
    }
    RunObject* object = frame.Object();
    DisplayRunObject(object); // the first display places the window
    for (auto _ : state)
        benchmark::DoNotOptimize(DisplayRunObject(object));
}
BENCHMARK(DisplayPlayingObject);

} // namespace

int main(int argc, char** argv) {
    using bench::Goal;
    return bench::RunWithGoals(
        argc, argv,
        {{"HandlePlayingObject", nullptr, Goal::AtMostNanoseconds, 50, false},
         {"HandlePausedObject", nullptr, Goal::Report, 0, false},
         {"DisplayPlayingObject", nullptr, Goal::Report, 0, false}});
}

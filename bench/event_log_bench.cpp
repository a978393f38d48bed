// Cost of LogEvent: with both switches off it must stay a call and a branch (target: under 5 ns
// per call); with file logging on, every line opens, seeks, writes and closes the file.
#include "diag/event_log.h"
#include "standin/faults.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"

#include <benchmark/benchmark.h>

namespace {

void FreshLog(bool fileLogging) {
    CloseModuleLog();
    standin::ResetPlatform();
    standin::ClearSandbox();
    standin::SetLocalTime(2012, 3, 7, 14, 5, 9);
    OpenModuleLog();
    ModuleLog()->SetFileLogging(fileLogging);
}

void LogEventBothSwitchesOff(benchmark::State& state) {
    FreshLog(false);
    int value = 0;
    for (auto _ : state) {
        LogEvent(ModuleLog(), L"Play! hr = 0x%x, rate %d", 0x80004005u, ++value);
        benchmark::ClobberMemory();
    }
    CloseModuleLog();
}
BENCHMARK(LogEventBothSwitchesOff);

void LogEventToFile(benchmark::State& state) {
    FreshLog(true);
    int value = 0;
    for (auto _ : state) {
        LogEvent(ModuleLog(), L"Play! hr = 0x%x, rate %d", 0x80004005u, ++value);
        // Keep the file small so the figure is the per-line cost, not the file's growth.
        if ((value & 1023) == 0) {
            state.PauseTiming();
            standin::WriteSandboxFile(kModuleLogPath, "");
            state.ResumeTiming();
        }
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    CloseModuleLog();
}
BENCHMARK(LogEventToFile);

} // namespace

BENCHMARK_MAIN();

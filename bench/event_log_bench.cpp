// Cost of LogEvent. With both switches off it must stay a call and a branch (target: under 5 ns
// per call). With file logging on, every line opens, seeks, writes and closes the file: measured
// against those four platform calls writing the same line themselves (target: LogEvent at least
// 0.8 times as fast).
#include "diag/event_log.h"
#include "diag/format.h"
#include "standin/faults.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"

#include "goal_reporter.h"

namespace {

void FreshLog(bool fileLogging) {
    CloseModuleLog();
    standin::ResetPlatform();
    standin::ClearSandbox();
    standin::SetLocalTime(2012, 3, 7, 14, 5, 9);
    OpenModuleLog();
    ModuleLog()->SetFileLogging(fileLogging);
}

// Keeps the file small so the figure is the per-line cost, not the file's growth.
void TrimNowAndThen(benchmark::State& state, int line) {
    if ((line & 1023) == 0) {
        state.PauseTiming();
        standin::WriteSandboxFile(kModuleLogPath, "");
        state.ResumeTiming();
    }
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
        TrimNowAndThen(state, value);
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    CloseModuleLog();
}
BENCHMARK(LogEventToFile);

// The floor: the same line, formatted once beforehand, appended by open + seek + write + close.
void RawLineToFile(benchmark::State& state) {
    FreshLog(false);
    WCHAR line[kLogLineLimit + 1];
    const size_t length =
        FormatTextArgs(line, kLogLineLimit + 1, L"(%02d/%02d/%d %02d:%02d:%02d): %s\r\n", 3, 7,
                       2012, 14, 5, 9, L"Play! hr = 0x80004005, rate 1000");
    const DWORD bytes = static_cast<DWORD>(length * sizeof(WCHAR));
    int count = 0;
    for (auto _ : state) {
        HANDLE file = CreateFileW(kModuleLogPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        SetFilePointer(file, 0, nullptr, FILE_END);
        DWORD written = 0;
        if (!WriteFile(file, line, bytes, &written, nullptr) || written != bytes)
            state.SkipWithError("the write failed");
        CloseHandle(file);
        TrimNowAndThen(state, ++count);
    }
    CloseModuleLog();
}
BENCHMARK(RawLineToFile);

} // namespace

int main(int argc, char** argv) {
    using bench::Goal;
    return bench::RunWithGoals(
        argc, argv,
        {{"LogEventBothSwitchesOff", nullptr, Goal::AtMostNanoseconds, 5, false},
         {"LogEventToFile", "RawLineToFile", Goal::AtLeastSpeed, 0.8, false}});
}

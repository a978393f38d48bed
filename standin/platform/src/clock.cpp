#include "standin/clock.h"

#include <chrono>

namespace standin {
namespace {

bool manual = false;
ULONGLONG manualNow = 0;

ULONGLONG RealNowMs() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return static_cast<ULONGLONG>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

} // namespace

ULONGLONG NowMs() { return manual ? manualNow : RealNowMs(); }

void UseManualClock(ULONGLONG startMs) {
    manual = true;
    manualNow = startMs;
}

void UseRealClock() { manual = false; }

bool ManualClockActive() { return manual; }

void AdvanceClock(ULONGLONG ms) {
    if (manual)
        manualNow += ms;
}

} // namespace standin

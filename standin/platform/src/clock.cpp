#include "standin/clock.h"

#include <chrono>
#include <vector>

namespace standin {
namespace {

std::vector<void (*)()>& Listeners() {
    static std::vector<void (*)()> listeners;
    return listeners;
}

bool manual = false;
ULONGLONG manualNow = 0;

ULONGLONG RealNowMs() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return static_cast<ULONGLONG>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

} // namespace

ULONGLONG NowMs() {
    return manual ? manualNow : RealNowMs();
}

void UseManualClock(ULONGLONG startMs) {
    manual = true;
    manualNow = startMs;
}

void UseRealClock() {
    manual = false;
}

bool ManualClockActive() {
    return manual;
}

void AdvanceClock(ULONGLONG ms) {
    if (!manual)
        return;
    manualNow += ms;
    NotifyTimePassed();
}

void NotifyTimePassed() {
    for (auto listener : Listeners())
        listener();
}

void AddClockListener(void (*listener)()) {
    for (auto existing : Listeners())
        if (existing == listener)
            return;
    Listeners().push_back(listener);
}

} // namespace standin

// The stand-in's one clock: monotonic real time by default, a manual clock for tests.
#pragma once

#include "standin/base_types.h"

namespace standin {

// Milliseconds since an arbitrary start; drives GetTickCount, Sleep, graph positions.
ULONGLONG NowMs();

// Switches to a manual clock starting at `startMs`; Sleep() then advances it instead of waiting.
void UseManualClock(ULONGLONG startMs = 0);
void UseRealClock();
bool ManualClockActive();
void AdvanceClock(ULONGLONG ms);

// Areas that act as time passes (a playing graph reaching its end) register here. AdvanceClock
// calls every listener after moving the manual clock; a message loop calls NotifyTimePassed
// before it looks at its queue, so that with the real clock too the areas catch up in time.
void AddClockListener(void (*listener)());
void NotifyTimePassed();

} // namespace standin

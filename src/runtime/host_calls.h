// The run header's services as the run-time object calls them. A service the host left empty
// is skipped: none of their results is used except the parameter's and the temporary text's.
#pragma once

#include "host/run_object.h"

// Conditions the run-time object raises itself (the host then evaluates their events at once).
enum SignalledCondition : int {
    ConditionStartOfVideo = 0,
    ConditionEndOfVideo = 1,
    ConditionVideoPaused = 2,
    ConditionMouseClick = 3,
    ConditionFileOpened = 6,
    ConditionFullScreenKey = 13,
};

inline void SignalCondition(RunObject* object, int code) {
    RunHeader* header = object->runHeader;
    if (header && header->signal)
        header->signal(object, code, 0);
}

inline void SuspendHost(RunObject* object) {
    RunHeader* header = object->runHeader;
    if (header && header->suspend)
        header->suspend(object, 0, 0);
}

inline void ResumeHost(RunObject* object) {
    RunHeader* header = object->runHeader;
    if (header && header->resume)
        header->resume(object, 0, 0);
}

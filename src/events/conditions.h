// The 14 condition routines, in condition-code order. A plain condition answers nonzero for
// true; conditions 4 and 5 answer the current value for the host's comparison.
#pragma once

#include "host/run_object.h"

long WINAPI StartOfVideoCondition(RunObject* object, long param1, long param2); // 0
long WINAPI EndOfVideoCondition(RunObject* object, long param1, long param2);   // 1
long WINAPI VideoPausedCondition(RunObject* object, long param1, long param2);  // 2
long WINAPI MouseClickCondition(RunObject* object, long click, long param2);    // 3
long WINAPI CurrentFrameCondition(RunObject* object, long param1, long param2); // 4
long WINAPI CurrentTimeCondition(RunObject* object, long param1, long param2);  // 5
long WINAPI FileOpenedCondition(RunObject* object, long param1, long param2);   // 6
long WINAPI VisibleCondition(RunObject* object, long param1, long param2);      // 7
long WINAPI IndeoVideoCondition(RunObject* object, long param1, long param2);   // 8
long WINAPI AltLineCondition(RunObject* object, long param1, long param2);      // 9
long WINAPI IndioVideoCondition(RunObject* object, long param1, long param2);   // 10
long WINAPI DivxVideoCondition(RunObject* object, long param1, long param2);    // 11
long WINAPI ImageGrabbedCondition(RunObject* object, long param1, long param2); // 12
long WINAPI FullScreenKeyCondition(RunObject* object, long key, long param2);   // 13

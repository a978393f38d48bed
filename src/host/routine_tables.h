// The routine lists handed to the host by GetRunObjectInfos: routines in condition, action and
// expression number order, each list ended by a null entry.
#pragma once

#include "host/host_records.h"

extern ConditionRoutine ConditionRoutines[kConditionCount + 1];
extern ActionRoutine ActionRoutines[kActionCount + 1];
extern ExpressionRoutine ExpressionRoutines[kExpressionCount + 1];

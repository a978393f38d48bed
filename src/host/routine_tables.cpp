// The three routine lists. Entries are filled in number order by the event routines; until then
// an entry is null (the terminators stay null for good).
#include "host/routine_tables.h"

ConditionRoutine ConditionRoutines[kConditionCount + 1] = {};
ActionRoutine ActionRoutines[kActionCount + 1] = {};
ExpressionRoutine ExpressionRoutines[kExpressionCount + 1] = {};

#include "events/actions.h"

// Frame grab and clipboard actions. Until the grab is built these refuse with last-error
// code 1, so an event that relies on them sees a failure, never a silent success.

short WINAPI GrabToFileAction(RunObject* object, long, long) {
    if (object)
        object->lastError = 1;
    return 0;
}

short WINAPI GrabToClipboardAction(RunObject* object, long, long) {
    if (object)
        object->lastError = 1;
    return 0;
}

short WINAPI ResetClipboardAction(RunObject* object, long, long) {
    if (object)
        object->lastError = 1;
    return 0;
}

// The run-time object's entry points: the host creates each object when its frame starts, calls
// it every frame, asks it to display itself and destroys it when the frame ends.
#pragma once

#include <windows.h>

#include "host/object_settings.h"
#include "host/run_object.h"

extern "C" {
// 0 when the object's window exists; -1 when its creation failed.
int WINAPI CreateRunObject(RunObject* object, ObjectSettings* settings, LPVOID creationParameters);
int WINAPI DestroyRunObject(RunObject* object, LONG unused);
// 2 when the redraw-request flag is set, else 0.
int WINAPI HandleRunObject(RunObject* object);
int WINAPI DisplayRunObject(RunObject* object);
}

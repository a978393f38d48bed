// The object's rectangle in the frame editor and the author's resizing of it.
#pragma once

#include <windows.h>

#include "host/host_records.h"
#include "host/object_settings.h"

// A zero Width or Height occupies this many pixels in the frame editor.
constexpr LONG kEmptyEditorSide = 32;

// Fills right and bottom of `rect` from its left and top and the object's size.
extern "C" void WINAPI GetObjectRect(EditHostRecord* host, RECT* rect, void* levelObject,
                                     ObjectSettings* settings);

// Applies a resize requested in the frame editor (width first, aspect locked with KeepAspect).
// Returns 1 (0 without a settings record).
extern "C" int WINAPI SetEditSize(EditHostRecord* host, ObjectSettings* settings, int newWidth,
                                  int newHeight);

// The size SetEditSize stores for a request, without touching any record.
struct EditSize {
    SHORT width;
    SHORT height;
};
EditSize ResolveEditSize(SHORT currentWidth, SHORT currentHeight, SHORT requestedWidth,
                         SHORT requestedHeight, bool keepAspect, double aspectRatio);

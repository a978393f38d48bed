// The object's drawing in the frame editor, made through the host's drawing services.
#pragma once

#include <windows.h>

#include "host/host_records.h"
#include "host/object_settings.h"

// Colour of the placeholder box of an object without a file.
constexpr COLORREF kPlaceholderColour = RGB(200, 200, 200);
// TrimEditorBottom ends the drawing this many pixels higher.
constexpr LONG kTrimmedBottom = 20;

// Draws the object in `rect` on the frame-editor window named in the host record. With
// TrimEditorBottom (and no picture-only drawing) the caller's rectangle comes back 20 pixels
// shorter.
extern "C" void WINAPI EditorDisplay(EditHostRecord* host, void* unused1, void* unused2,
                                     ObjectSettings* settings, RECT* rect);

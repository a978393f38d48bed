// The hidden editor preview: a "VidEdPlayer" window and a short-lived filter graph that measure
// a chosen video's native size for the settings record.
#pragma once

#include <windows.h>

#include "host/object_settings.h"

extern const WCHAR kPreviewWindowClass[]; // "VidEdPlayer"

// Registers the preview class once per module instance (an existing registration is reused) and
// creates a window of it without a title. Null when the class or the window cannot be made.
HWND CreatePreviewWindow(HWND parent, HINSTANCE instance, DWORD exStyle, DWORD style, int x, int y,
                         int width, int height);

// Renders the settings' file on a hidden graph, fits `previewWindow` to the video and stores its
// client rectangle in NativeRect (setting DefaultSize when the fitting succeeds). A graph failure
// is logged and leaves NativeRect as it was. Returns the last graph result.
HRESULT InitPlayerWindowEd(ObjectSettings* settings, HWND previewWindow);

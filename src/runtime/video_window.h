// The object's host window: a child of the host's frame window, class "VidPlayer", into which
// the player binds the video window. Clicks and full-screen keys on it become conditions; moves,
// paints, display changes and graph notifications go to the player.
#pragma once

#include <windows.h>

#include "host/run_object.h"

// Last mouse-click codes: the low byte names the button, 256 marks a double click.
enum MouseClickCode : SHORT {
    ClickNone = -4,     // no click since creation or since a new file
    ClickConsumed = -1, // condition 3 has reported the click
    ClickLeft = 0,
    ClickMiddle = 1,
    ClickRight = 2,
    ClickDouble = 0x100,
};

// Creates the window with an access-violation guard around the platform call. Null when the
// window could not be created or the creation faulted.
HWND CreateVideoWindow(HWND parent, HINSTANCE instance, DWORD exStyle, DWORD style, int x, int y,
                       int width, int height);

// The routine registered with the host for the window's messages. Always answers 0.
LRESULT WINAPI VideoWindowRoutine(RunHeader* header, HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam);

// The RunObject the host stored on the window under the run header's window-property key.
RunObject* RunObjectFromWindow(HWND window, RunHeader* header);

// The 40 action routines, in action-code order. Every routine answers 0; what it leaves behind
// is in the object (flags, last-error code, geometry) and in its player.
#pragma once

#include "host/run_object.h"

// Playback and position (playback_actions.cpp).
long WINAPI PlayVideoAction(RunObject* object, long param1, long param2);     // 0 and 3
long WINAPI StopVideoAction(RunObject* object, long param1, long param2);     // 1
long WINAPI PauseVideoAction(RunObject* object, long param1, long param2);    // 2
long WINAPI IgnoredAction(RunObject* object, long param1, long param2);       // 4 and 29
long WINAPI StepFramesAction(RunObject* object, long frames, long param2);    // 5
long WINAPI GotoBeginningAction(RunObject* object, long param1, long param2); // 10
long WINAPI GotoEndAction(RunObject* object, long param1, long param2);       // 11
long WINAPI GotoFrameAction(RunObject* object, long frame, long param2);      // 12
long WINAPI GotoTimeAction(RunObject* object, long seconds, long param2);     // 13
long WINAPI SetVolumeAction(RunObject* object, long percent, long param2);    // 35
long WINAPI SetPlaybackRateAction(RunObject* object, long rate, long param2); // 39

// Opening another file (file_actions.cpp).
long WINAPI NewFileAction(RunObject* object, long fileName, long param2);           // 6
long WINAPI NewFileFromSelectorAction(RunObject* object, long param1, long param2); // 7

// Visibility, size, position and screen mode (geometry_actions.cpp).
long WINAPI HideAction(RunObject* object, long param1, long param2);             // 8
long WINAPI ShowAction(RunObject* object, long param1, long param2);             // 9
long WINAPI SetSizeAction(RunObject* object, long width, long height);           // 14
long WINAPI SetWidthAction(RunObject* object, long width, long param2);          // 15
long WINAPI SetHeightAction(RunObject* object, long height, long param2);        // 16
long WINAPI FullScreenAction(RunObject* object, long param1, long param2);       // 17
long WINAPI NormalSizeAction(RunObject* object, long param1, long param2);       // 18
long WINAPI CenterVideoAction(RunObject* object, long param1, long param2);      // 19
long WINAPI ToggleKeepAspectAction(RunObject* object, long param1, long param2); // 26
long WINAPI BackgroundColorAction(RunObject* object, long colour, long param2);  // 27
long WINAPI SetXPositionAction(RunObject* object, long x, long param2);          // 33
long WINAPI SetYPositionAction(RunObject* object, long y, long param2);          // 34

// Decoder settings (codec_actions.cpp).
long WINAPI IndeoTransFillAction(RunObject* object, long colour, long param2); // 20
long WINAPI ToggleAltLineAction(RunObject* object, long param1, long param2);  // 21
long WINAPI IndeoContrastAction(RunObject* object, long value, long param2);   // 22
long WINAPI IndeoBrightnessAction(RunObject* object, long value, long param2); // 23
long WINAPI IndeoSaturationAction(RunObject* object, long value, long param2); // 24
long WINAPI IndeoPasswordAction(RunObject* object, long key, long param2);     // 25
long WINAPI IndioPasswordAction(RunObject* object, long text, long param2);    // 28
long WINAPI DivxContrastAction(RunObject* object, long value, long param2);    // 30
long WINAPI DivxBrightnessAction(RunObject* object, long value, long param2);  // 31
long WINAPI DivxSaturationAction(RunObject* object, long value, long param2);  // 32

// Frame grab and clipboard (grab_actions.cpp).
long WINAPI GrabToFileAction(RunObject* object, long fileName, long param2);    // 36
long WINAPI GrabToClipboardAction(RunObject* object, long param1, long param2); // 37
long WINAPI ResetClipboardAction(RunObject* object, long param1, long param2);  // 38

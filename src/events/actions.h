// The 40 action routines, in action-code order. Every routine answers 0; what it leaves behind
// is in the object (flags, last-error code, geometry) and in its player.
#pragma once

#include "host/run_object.h"

// Playback and position (playback_actions.cpp).
short WINAPI PlayVideoAction(RunObject* object, long param1, long param2);     // 0 and 3
short WINAPI StopVideoAction(RunObject* object, long param1, long param2);     // 1
short WINAPI PauseVideoAction(RunObject* object, long param1, long param2);    // 2
short WINAPI IgnoredAction(RunObject* object, long param1, long param2);       // 4 and 29
short WINAPI StepFramesAction(RunObject* object, long frames, long param2);    // 5
short WINAPI GotoBeginningAction(RunObject* object, long param1, long param2); // 10
short WINAPI GotoEndAction(RunObject* object, long param1, long param2);       // 11
short WINAPI GotoFrameAction(RunObject* object, long frame, long param2);      // 12
short WINAPI GotoTimeAction(RunObject* object, long seconds, long param2);     // 13
short WINAPI SetVolumeAction(RunObject* object, long percent, long param2);    // 35
short WINAPI SetPlaybackRateAction(RunObject* object, long rate, long param2); // 39

// Opening another file (file_actions.cpp).
short WINAPI NewFileAction(RunObject* object, long fileName, long param2);           // 6
short WINAPI NewFileFromSelectorAction(RunObject* object, long param1, long param2); // 7

// Visibility, size, position and screen mode (geometry_actions.cpp).
short WINAPI HideAction(RunObject* object, long param1, long param2);             // 8
short WINAPI ShowAction(RunObject* object, long param1, long param2);             // 9
short WINAPI SetSizeAction(RunObject* object, long width, long height);           // 14
short WINAPI SetWidthAction(RunObject* object, long width, long param2);          // 15
short WINAPI SetHeightAction(RunObject* object, long height, long param2);        // 16
short WINAPI FullScreenAction(RunObject* object, long param1, long param2);       // 17
short WINAPI NormalSizeAction(RunObject* object, long param1, long param2);       // 18
short WINAPI CenterVideoAction(RunObject* object, long param1, long param2);      // 19
short WINAPI ToggleKeepAspectAction(RunObject* object, long param1, long param2); // 26
short WINAPI BackgroundColorAction(RunObject* object, long colour, long param2);  // 27
short WINAPI SetXPositionAction(RunObject* object, long x, long param2);          // 33
short WINAPI SetYPositionAction(RunObject* object, long y, long param2);          // 34

// Decoder settings (codec_actions.cpp).
short WINAPI IndeoTransFillAction(RunObject* object, long colour, long param2); // 20
short WINAPI ToggleAltLineAction(RunObject* object, long param1, long param2);  // 21
short WINAPI IndeoContrastAction(RunObject* object, long value, long param2);   // 22
short WINAPI IndeoBrightnessAction(RunObject* object, long value, long param2); // 23
short WINAPI IndeoSaturationAction(RunObject* object, long value, long param2); // 24
short WINAPI IndeoPasswordAction(RunObject* object, long key, long param2);     // 25
short WINAPI IndioPasswordAction(RunObject* object, long text, long param2);    // 28
short WINAPI DivxContrastAction(RunObject* object, long value, long param2);    // 30
short WINAPI DivxBrightnessAction(RunObject* object, long value, long param2);  // 31
short WINAPI DivxSaturationAction(RunObject* object, long value, long param2);  // 32

// Frame grab and clipboard (grab_actions.cpp).
short WINAPI GrabToFileAction(RunObject* object, long fileName, long param2);    // 36
short WINAPI GrabToClipboardAction(RunObject* object, long param1, long param2); // 37
short WINAPI ResetClipboardAction(RunObject* object, long param1, long param2);  // 38

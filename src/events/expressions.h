// The 24 expression routines, in expression-code order. A result is an integer unless the
// routine sets the float (0x4000) or text (0x8000) bit in the object's result-type flags.
#pragma once

#include "host/run_object.h"

long WINAPI VideoFrameExpression(RunObject* object, long param);        // 0
long WINAPI VideoTotalFramesExpression(RunObject* object, long param);  // 1
long WINAPI VideoTimeExpression(RunObject* object, long param);         // 2, float
long WINAPI VideoTotalTimeExpression(RunObject* object, long param);    // 3
long WINAPI VideoXSizeExpression(RunObject* object, long param);        // 4
long WINAPI VideoYSizeExpression(RunObject* object, long param);        // 5
long WINAPI LastErrorExpression(RunObject* object, long param);         // 6 and 17
long WINAPI IndeoKeyExpression(RunObject* object, long param);          // 7
long WINAPI IndeoContrastExpression(RunObject* object, long param);     // 8
long WINAPI IndeoBrightnessExpression(RunObject* object, long param);   // 9
long WINAPI IndeoSaturationExpression(RunObject* object, long param);   // 10
long WINAPI DivxContrastExpression(RunObject* object, long param);      // 11
long WINAPI DivxBrightnessExpression(RunObject* object, long param);    // 12
long WINAPI DivxSaturationExpression(RunObject* object, long param);    // 13
long WINAPI IndioKeyExpression(RunObject* object, long param);          // 14, text
long WINAPI VolumeExpression(RunObject* object, long param);            // 15
long WINAPI PlaybackRateExpression(RunObject* object, long param);      // 16, float
long WINAPI VideoFilenameExpression(RunObject* object, long param);     // 18, text
long WINAPI PositionHmsExpression(RunObject* object, long param);       // 19, text
long WINAPI LengthHmsExpression(RunObject* object, long param);         // 20, text
long WINAPI AverageFrameRateExpression(RunObject* object, long param);  // 21, float
long WINAPI NativeVideoWidthExpression(RunObject* object, long param);  // 22
long WINAPI NativeVideoHeightExpression(RunObject* object, long param); // 23

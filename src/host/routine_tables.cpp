// The three routine lists, in condition, action and expression number order, each ended by a
// null entry. Two numbers share a routine: actions 0 and 3 ("Play video", "Resume video") and
// expressions 6 and 17 ("LastError(", "VideoError(").
#include "host/routine_tables.h"

#include "events/actions.h"
#include "events/conditions.h"
#include "events/expressions.h"

ConditionRoutine ConditionRoutines[kConditionCount + 1] = {
    StartOfVideoCondition,  // 0
    EndOfVideoCondition,    // 1
    VideoPausedCondition,   // 2
    MouseClickCondition,    // 3
    CurrentFrameCondition,  // 4
    CurrentTimeCondition,   // 5
    FileOpenedCondition,    // 6
    VisibleCondition,       // 7
    IndeoVideoCondition,    // 8
    AltLineCondition,       // 9
    IndioVideoCondition,    // 10
    DivxVideoCondition,     // 11
    ImageGrabbedCondition,  // 12
    FullScreenKeyCondition, // 13
    nullptr,
};

ActionRoutine ActionRoutines[kActionCount + 1] = {
    PlayVideoAction,           // 0
    StopVideoAction,           // 1
    PauseVideoAction,          // 2
    PlayVideoAction,           // 3
    IgnoredAction,             // 4
    StepFramesAction,          // 5
    NewFileAction,             // 6
    NewFileFromSelectorAction, // 7
    HideAction,                // 8
    ShowAction,                // 9
    GotoBeginningAction,       // 10
    GotoEndAction,             // 11
    GotoFrameAction,           // 12
    GotoTimeAction,            // 13
    SetSizeAction,             // 14
    SetWidthAction,            // 15
    SetHeightAction,           // 16
    FullScreenAction,          // 17
    NormalSizeAction,          // 18
    CenterVideoAction,         // 19
    IndeoTransFillAction,      // 20
    ToggleAltLineAction,       // 21
    IndeoContrastAction,       // 22
    IndeoBrightnessAction,     // 23
    IndeoSaturationAction,     // 24
    IndeoPasswordAction,       // 25
    ToggleKeepAspectAction,    // 26
    BackgroundColorAction,     // 27
    IndioPasswordAction,       // 28
    IgnoredAction,             // 29
    DivxContrastAction,        // 30
    DivxBrightnessAction,      // 31
    DivxSaturationAction,      // 32
    SetXPositionAction,        // 33
    SetYPositionAction,        // 34
    SetVolumeAction,           // 35
    GrabToFileAction,          // 36
    GrabToClipboardAction,     // 37
    ResetClipboardAction,      // 38
    SetPlaybackRateAction,     // 39
    nullptr,
};

ExpressionRoutine ExpressionRoutines[kExpressionCount + 1] = {
    VideoFrameExpression,        // 0
    VideoTotalFramesExpression,  // 1
    VideoTimeExpression,         // 2
    VideoTotalTimeExpression,    // 3
    VideoXSizeExpression,        // 4
    VideoYSizeExpression,        // 5
    LastErrorExpression,         // 6
    IndeoKeyExpression,          // 7
    IndeoContrastExpression,     // 8
    IndeoBrightnessExpression,   // 9
    IndeoSaturationExpression,   // 10
    DivxContrastExpression,      // 11
    DivxBrightnessExpression,    // 12
    DivxSaturationExpression,    // 13
    IndioKeyExpression,          // 14
    VolumeExpression,            // 15
    PlaybackRateExpression,      // 16
    LastErrorExpression,         // 17
    VideoFilenameExpression,     // 18
    PositionHmsExpression,       // 19
    LengthHmsExpression,         // 20
    AverageFrameRateExpression,  // 21
    NativeVideoWidthExpression,  // 22
    NativeVideoHeightExpression, // 23
    nullptr,
};

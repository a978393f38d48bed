// The three event tables, in code order. Code and menu id do not run in step everywhere
// (condition 2 is menu item 26011), nor do action codes and string ids from action 28 on.
#include "host/event_catalogue.h"

#include "host/host_records.h"
#include "res/resource_ids.h"

// clang-format off
const short ConditionTable[kConditionTableLength] = {
    IDM_CONDITION_AT_START, IDS_CONDITION_AT_START, 0, ConditionStateTest, 0,
    IDM_CONDITION_AT_END, IDS_CONDITION_AT_END, 1, ConditionStateTest, 0,
    IDM_CONDITION_PAUSED, IDS_CONDITION_PAUSED, 2, ConditionStateTest, 0,
    IDM_CONDITION_MOUSE_CLICK, IDS_CONDITION_MOUSE_CLICK, 3, ConditionInputReport, 1, ParameterMouseClick, 0,
    IDM_CONDITION_COMPARE_FRAME, IDS_CONDITION_COMPARE_FRAME, 4, ConditionCompareParameter, 1, ParameterCompareNumber, 0,
    IDM_CONDITION_COMPARE_TIME, IDS_CONDITION_COMPARE_TIME, 5, ConditionCompareParameter, 1, ParameterCompareTime, 0,
    IDM_CONDITION_FILE_OPEN, IDS_CONDITION_FILE_OPEN, 6, ConditionStateTest, 0,
    IDM_CONDITION_VISIBLE, IDS_CONDITION_VISIBLE, 7, ConditionStateTest, 0,
    IDM_CONDITION_IS_INDEO, IDS_CONDITION_IS_INDEO, 8, ConditionStateTest, 0,
    IDM_CONDITION_IS_ALTLINE, IDS_CONDITION_IS_ALTLINE, 9, ConditionStateTest, 0,
    IDM_CONDITION_IS_INDIO, IDS_CONDITION_IS_INDIO, 10, ConditionStateTest, 0,
    IDM_CONDITION_IS_DIVX, IDS_CONDITION_IS_DIVX, 11, ConditionStateTest, 0,
    IDM_CONDITION_IMAGE_SAVED, IDS_CONDITION_IMAGE_SAVED, 12, ConditionStateTest, 0,
    IDM_CONDITION_KEY_PRESS, IDS_CONDITION_KEY_PRESS, 13, ConditionInputReport, 1, ParameterKey, 0,
};

const short ActionTable[kActionTableLength] = {
    IDM_ACTION_PLAY, IDS_ACTION_PLAY, 0, ActionFlags, 0,
    IDM_ACTION_STOP, IDS_ACTION_STOP, 1, ActionFlags, 0,
    IDM_ACTION_PAUSE, IDS_ACTION_PAUSE, 2, ActionFlags, 0,
    IDM_ACTION_RESUME, IDS_ACTION_RESUME, 3, ActionFlags, 0,
    IDM_ACTION_PLAY_BACKWARD, IDS_ACTION_PLAY_BACKWARD, 4, ActionFlags, 0,
    IDM_ACTION_STEP_FRAMES, IDS_ACTION_STEP_FRAMES, 5, ActionFlags, 1, ParameterExpression, IDS_TITLE_STEP_POSITION,
    IDM_ACTION_NEW_FILE, IDS_ACTION_NEW_FILE, 6, ActionFlags, 1, ParameterFileName, IDS_TITLE_VIDEO_FILTER,
    IDM_ACTION_NEW_FILE_SELECTOR, IDS_ACTION_NEW_FILE_SELECTOR, 7, ActionFlags, 0,
    IDM_ACTION_HIDE, IDS_ACTION_HIDE, 8, ActionFlags, 0,
    IDM_ACTION_SHOW, IDS_ACTION_SHOW, 9, ActionFlags, 0,
    IDM_ACTION_GOTO_BEGINNING, IDS_ACTION_GOTO_BEGINNING, 10, ActionFlags, 0,
    IDM_ACTION_GOTO_END, IDS_ACTION_GOTO_END, 11, ActionFlags, 0,
    IDM_ACTION_GOTO_FRAME, IDS_ACTION_GOTO_FRAME, 12, ActionFlags, 1, ParameterExpression, IDS_TITLE_FRAME,
    IDM_ACTION_GOTO_TIME, IDS_ACTION_GOTO_TIME, 13, ActionFlags, 1, ParameterExpression, IDS_TITLE_TIME,
    IDM_ACTION_SET_SIZE, IDS_ACTION_SET_SIZE, 14, ActionFlags, 2, ParameterExpression, ParameterExpression, IDS_TITLE_WIDTH, IDS_TITLE_HEIGHT,
    IDM_ACTION_SET_WIDTH, IDS_ACTION_SET_WIDTH, 15, ActionFlags, 1, ParameterExpression, IDS_TITLE_WIDTH,
    IDM_ACTION_SET_HEIGHT, IDS_ACTION_SET_HEIGHT, 16, ActionFlags, 1, ParameterExpression, IDS_TITLE_HEIGHT,
    IDM_ACTION_FULL_SCREEN, IDS_ACTION_FULL_SCREEN, 17, ActionFlags, 0,
    IDM_ACTION_NORMAL_SIZE, IDS_ACTION_NORMAL_SIZE, 18, ActionFlags, 0,
    IDM_ACTION_CENTER, IDS_ACTION_CENTER, 19, ActionFlags, 0,
    IDM_ACTION_INDEO_TRANSFILL, IDS_ACTION_INDEO_TRANSFILL, 20, ActionFlags, 1, ParameterColour, IDS_TITLE_RGB,
    IDM_ACTION_INDEO_ALTLINE, IDS_ACTION_INDEO_ALTLINE, 21, ActionFlags, 0,
    IDM_ACTION_INDEO_CONTRAST, IDS_ACTION_INDEO_CONTRAST, 22, ActionFlags, 1, ParameterExpression, IDS_TITLE_INDEO_CONTRAST,
    IDM_ACTION_INDEO_BRIGHTNESS, IDS_ACTION_INDEO_BRIGHTNESS, 23, ActionFlags, 1, ParameterExpression, IDS_TITLE_INDEO_BRIGHTNESS,
    IDM_ACTION_INDEO_SATURATION, IDS_ACTION_INDEO_SATURATION, 24, ActionFlags, 1, ParameterExpression, IDS_TITLE_INDEO_SATURATION,
    IDM_ACTION_INDEO_PASSWORD, IDS_ACTION_INDEO_PASSWORD, 25, ActionFlags, 1, ParameterExpression, IDS_TITLE_PASSWORD,
    IDM_ACTION_TOGGLE_ASPECT, IDS_ACTION_TOGGLE_ASPECT, 26, ActionFlags, 0,
    IDM_ACTION_BACKGROUND_COLOR, IDS_ACTION_BACKGROUND_COLOR, 27, ActionFlags, 1, ParameterColour, IDS_TITLE_RGB,
    IDM_ACTION_INDIO_PASSWORD, IDS_ACTION_INDIO_PASSWORD, 28, ActionFlags, 1, ParameterTextExpression, IDS_TITLE_PASSWORD,
    IDM_ACTION_POSTPROCESSING, IDS_ACTION_POSTPROCESSING, 29, ActionFlags, 1, ParameterExpression, IDS_TITLE_POSTPROCESSING,
    IDM_ACTION_DIVX_CONTRAST, IDS_ACTION_DIVX_CONTRAST, 30, ActionFlags, 1, ParameterExpression, IDS_TITLE_DIVX_CONTRAST,
    IDM_ACTION_DIVX_BRIGHTNESS, IDS_ACTION_DIVX_BRIGHTNESS, 31, ActionFlags, 1, ParameterExpression, IDS_TITLE_DIVX_BRIGHTNESS,
    IDM_ACTION_DIVX_SATURATION, IDS_ACTION_DIVX_SATURATION, 32, ActionFlags, 1, ParameterExpression, IDS_TITLE_DIVX_SATURATION,
    IDM_ACTION_SET_X, IDS_ACTION_SET_X, 33, ActionFlags, 1, ParameterExpression, IDS_TITLE_X,
    IDM_ACTION_SET_Y, IDS_ACTION_SET_Y, 34, ActionFlags, 1, ParameterExpression, IDS_TITLE_Y,
    IDM_ACTION_SET_VOLUME, IDS_ACTION_SET_VOLUME, 35, ActionFlags, 1, ParameterExpression, IDS_TITLE_VOLUME,
    IDM_ACTION_GRAB_TO_FILE, IDS_ACTION_GRAB_TO_FILE, 36, ActionFlags, 1, ParameterTextExpression, IDS_TITLE_IMAGE_FILENAME,
    IDM_ACTION_GRAB_TO_CLIPBOARD, IDS_ACTION_GRAB_TO_CLIPBOARD, 37, ActionFlags, 0,
    IDM_ACTION_RESET_CLIPBOARD, IDS_ACTION_RESET_CLIPBOARD, 38, ActionFlags, 0,
    IDM_ACTION_SET_RATE, IDS_ACTION_SET_RATE, 39, ActionFlags, 1, ParameterExpression, IDS_TITLE_RATE,
};

const short ExpressionTable[kExpressionTableLength] = {
    IDM_EXPRESSION_FRAME, IDS_EXPRESSION_FRAME, 0, ExpressionInteger, 0,
    IDM_EXPRESSION_TOTAL_FRAMES, IDS_EXPRESSION_TOTAL_FRAMES, 1, ExpressionInteger, 0,
    IDM_EXPRESSION_TIME, IDS_EXPRESSION_TIME, 2, ExpressionInteger, 0,
    IDM_EXPRESSION_TOTAL_TIME, IDS_EXPRESSION_TOTAL_TIME, 3, ExpressionInteger, 0,
    IDM_EXPRESSION_X_SIZE, IDS_EXPRESSION_X_SIZE, 4, ExpressionInteger, 0,
    IDM_EXPRESSION_Y_SIZE, IDS_EXPRESSION_Y_SIZE, 5, ExpressionInteger, 0,
    IDM_EXPRESSION_LAST_ERROR, IDS_EXPRESSION_LAST_ERROR, 6, ExpressionInteger, 0,
    IDM_EXPRESSION_INDEO_KEY, IDS_EXPRESSION_INDEO_KEY, 7, ExpressionInteger, 0,
    IDM_EXPRESSION_INDEO_CONTRAST, IDS_EXPRESSION_INDEO_CONTRAST, 8, ExpressionInteger, 0,
    IDM_EXPRESSION_INDEO_BRIGHTNESS, IDS_EXPRESSION_INDEO_BRIGHTNESS, 9, ExpressionInteger, 0,
    IDM_EXPRESSION_INDEO_SATURATION, IDS_EXPRESSION_INDEO_SATURATION, 10, ExpressionInteger, 0,
    IDM_EXPRESSION_DIVX_CONTRAST, IDS_EXPRESSION_DIVX_CONTRAST, 11, ExpressionInteger, 0,
    IDM_EXPRESSION_DIVX_BRIGHTNESS, IDS_EXPRESSION_DIVX_BRIGHTNESS, 12, ExpressionInteger, 0,
    IDM_EXPRESSION_DIVX_SATURATION, IDS_EXPRESSION_DIVX_SATURATION, 13, ExpressionInteger, 0,
    IDM_EXPRESSION_INDIO_KEY, IDS_EXPRESSION_INDIO_KEY, 14, ExpressionText, 0,
    IDM_EXPRESSION_VOLUME, IDS_EXPRESSION_VOLUME, 15, ExpressionInteger, 0,
    IDM_EXPRESSION_RATE, IDS_EXPRESSION_RATE, 16, ExpressionFloat, 0,
    IDM_EXPRESSION_VIDEO_ERROR, IDS_EXPRESSION_VIDEO_ERROR, 17, ExpressionInteger, 0,
    IDM_EXPRESSION_FILENAME, IDS_EXPRESSION_FILENAME, 18, ExpressionText, 0,
    IDM_EXPRESSION_POSITION_HMS, IDS_EXPRESSION_POSITION_HMS, 19, ExpressionText, 0,
    IDM_EXPRESSION_LENGTH_HMS, IDS_EXPRESSION_LENGTH_HMS, 20, ExpressionText, 0,
    IDM_EXPRESSION_FRAME_RATE, IDS_EXPRESSION_FRAME_RATE, 21, ExpressionFloat, 0,
    IDM_EXPRESSION_NATIVE_WIDTH, IDS_EXPRESSION_NATIVE_WIDTH, 22, ExpressionInteger, 0,
    IDM_EXPRESSION_NATIVE_HEIGHT, IDS_EXPRESSION_NATIVE_HEIGHT, 23, ExpressionInteger, 0,
};
// clang-format on

const EventTable& ConditionEvents() {
    static const EventTable table = {ConditionTable, kConditionTableLength, kConditionCount,
                                     IDR_CONDITION_MENU};
    return table;
}

const EventTable& ActionEvents() {
    static const EventTable table = {ActionTable, kActionTableLength, kActionCount,
                                     IDR_ACTION_MENU};
    return table;
}

const EventTable& ExpressionEvents() {
    static const EventTable table = {ExpressionTable, kExpressionTableLength, kExpressionCount,
                                     IDR_EXPRESSION_MENU};
    return table;
}

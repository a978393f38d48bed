#include "edit/property_table.h"

#include "host/object_settings.h"
#include "res/resource_ids.h"

extern const WCHAR FileNameFilter[] =
    L"Video Files (*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4)"
    L"|*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4"
    L"|Audio files (*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; *.snd)"
    L"|*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; *.snd"
    L"|WMT Files (*.asf; *.wma; *.wmv)|*.asf; *.wma; *.wmv"
    L"|MIDI Files (*.mid, *.midi, *.rmi)|*.mid; *.midi; *.rmi"
    L"|Image Files (*.jpg, *.bmp, *.gif, *.tga)|*.jpg; *.bmp; *.gif; *.tga"
    L"|All Files (*.*)|*.*|";

// OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY.
extern const FileRowParameter FileNameRowParameter = {FileNameFilter, 0x1804, 0};

namespace {
constexpr DWORD kGroupOptions = 0;
constexpr DWORD kCheckBoxOptions = 1;
constexpr DWORD kFileNameOptions = 4;
} // namespace

extern const PropertyRow PropertyTable[kPropertyRowCount + 1] = {
    {PropVideoGroup, IDS_PROP_VIDEO_GROUP, IDS_PROP_VIDEO_GROUP, RowGroup, kGroupOptions, nullptr},
    {PropFileName, IDS_PROP_FILENAME, IDS_PROP_FILENAME_INFO, RowFileName, kFileNameOptions,
     &FileNameRowParameter},
    {PropPlayAtStart, IDS_PROP_PLAY_AT_START, IDS_PROP_PLAY_AT_START_INFO, RowCheckBox,
     kCheckBoxOptions, nullptr},
    {PropFrameMode, IDS_PROP_FRAME_MODE, IDS_PROP_FRAME_MODE_INFO, RowCheckBox, kCheckBoxOptions,
     nullptr},
    {PropHideAtStart, IDS_PROP_HIDE_AT_START, IDS_PROP_HIDE_AT_START_INFO, RowCheckBox,
     kCheckBoxOptions, nullptr},
    {PropDefaultSize, IDS_PROP_DEFAULT_SIZE, IDS_PROP_DEFAULT_SIZE_INFO, RowCheckBox,
     kCheckBoxOptions, nullptr},
    {PropDoubleSize, IDS_PROP_DOUBLE_SIZE, IDS_PROP_DOUBLE_SIZE_INFO, RowCheckBox, kCheckBoxOptions,
     nullptr},
    {PropKeepAspect, IDS_PROP_KEEP_ASPECT, IDS_PROP_KEEP_ASPECT_INFO, RowCheckBox, kCheckBoxOptions,
     nullptr},
    {PropBorderGroup, IDS_PROP_BORDER_GROUP, IDS_PROP_BORDER_GROUP, RowGroup, kGroupOptions,
     nullptr},
    {PropClientBorder, IDS_PROP_CLIENT_BORDER, IDS_PROP_CLIENT_BORDER_INFO, RowCheckBox,
     kCheckBoxOptions, nullptr},
    {PropStaticBorder, IDS_PROP_STATIC_BORDER, IDS_PROP_STATIC_BORDER_INFO, RowCheckBox,
     kCheckBoxOptions, nullptr},
    {PropDialogBorder, IDS_PROP_DIALOG_BORDER, IDS_PROP_DIALOG_BORDER_INFO, RowCheckBox,
     kCheckBoxOptions, nullptr},
    {PropSpecialGroup, IDS_PROP_SPECIAL_GROUP, IDS_PROP_SPECIAL_GROUP, RowGroup, kGroupOptions,
     nullptr},
    {PropLogMode, IDS_PROP_LOG_MODE, IDS_PROP_LOG_MODE_INFO, RowCheckBox, kCheckBoxOptions,
     nullptr},
    {PropConsoleMode, IDS_PROP_CONSOLE_MODE, IDS_PROP_CONSOLE_MODE_INFO, RowCheckBox,
     kCheckBoxOptions, nullptr},
    {PropDeleteLog, IDS_PROP_DELETE_LOG, IDS_PROP_DELETE_LOG_INFO, RowCheckBox, kCheckBoxOptions,
     nullptr},
    {0, 0, 0, 0, 0, nullptr},
};

WORD PropertyFlagBit(DWORD id) {
    switch (id) {
    case PropPlayAtStart:
        return PlayAtStart;
    case PropFrameMode:
        return FrameMode;
    case PropHideAtStart:
        return HideAtStart;
    case PropDefaultSize:
        return DefaultSize;
    case PropDoubleSize:
        return DoubleSize;
    case PropKeepAspect:
        return KeepAspect;
    case PropClientBorder:
        return ClientBorder;
    case PropStaticBorder:
        return StaticBorder;
    case PropDialogBorder:
        return DialogBorder;
    case PropLogMode:
        return LogMode;
    case PropConsoleMode:
        return ConsoleMode;
    case PropDeleteLog:
        return DeleteLog;
    default:
        return 0;
    }
}

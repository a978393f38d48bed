#include "edit/property_table.h"

#include "host/object_settings.h"

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
    {PropVideoGroup, 133, 133, RowGroup, kGroupOptions, nullptr},
    {PropFileName, 134, 434, RowFileName, kFileNameOptions, &FileNameRowParameter},
    {PropPlayAtStart, 135, 435, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropFrameMode, 136, 436, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropHideAtStart, 137, 437, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropDefaultSize, 138, 438, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropDoubleSize, 139, 439, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropKeepAspect, 140, 440, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropBorderGroup, 141, 141, RowGroup, kGroupOptions, nullptr},
    {PropClientBorder, 142, 442, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropStaticBorder, 143, 443, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropDialogBorder, 144, 444, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropSpecialGroup, 445, 445, RowGroup, kGroupOptions, nullptr},
    {PropLogMode, 446, 447, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropConsoleMode, 448, 449, RowCheckBox, kCheckBoxOptions, nullptr},
    {PropDeleteLog, 450, 451, RowCheckBox, kCheckBoxOptions, nullptr},
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

// The rows of the object's property sheet, handed to the host as one table.
#pragma once

#include <windows.h>

// Row ids.
enum PropertyId : DWORD {
    PropVideoGroup = 0x80001,
    PropFileName = 0x80002,
    PropPlayAtStart = 0x80003,
    PropFrameMode = 0x80004,
    PropHideAtStart = 0x80005,
    PropDefaultSize = 0x80006,
    PropDoubleSize = 0x80007,
    PropKeepAspect = 0x80008,
    PropBorderGroup = 0x80009,
    PropClientBorder = 0x8000A,
    PropStaticBorder = 0x8000B,
    PropDialogBorder = 0x8000C,
    PropSpecialGroup = 0x8000D,
    PropLogMode = 0x8000E,
    PropConsoleMode = 0x8000F,
    PropDeleteLog = 0x80010,
};

// The host's row types and options.
enum PropertyRowType : DWORD {
    RowCheckBox = 1010,
    RowGroup = 1014,
    RowFileName = 1016,
};

// Creation parameter of the file-name row: what the browse button's open-file dialog shows.
struct FileRowParameter {
    LPCWSTR filter;    // 0: pairs of description and patterns, each ended by '|'
    DWORD dialogFlags; // 4: file must exist, path must exist, hide read-only
    DWORD reserved;    // 8: 0
};
static_assert(sizeof(FileRowParameter) == 12, "file row parameter");

struct PropertyRow {
    DWORD id;
    DWORD nameString;
    DWORD infoString;
    DWORD type;
    DWORD options;
    const void* createParam; // 0 or a pointer the host reads for this row type
};
static_assert(sizeof(PropertyRow) == 24, "six 32-bit fields");

constexpr int kPropertyRowCount = 16;

// The 16 rows followed by a row of zeros.
extern const PropertyRow PropertyTable[kPropertyRowCount + 1];
extern const FileRowParameter FileNameRowParameter;
extern const WCHAR FileNameFilter[];

// The Flags bit a check-box row shows, or 0 for group rows, the file-name row and unknown ids.
WORD PropertyFlagBit(DWORD id);

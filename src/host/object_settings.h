// ObjectSettings: the 576-byte persisted settings record of one object (layout version 2, wide).
// The host stores it in application files, so every byte position is fixed.
#pragma once

#include <windows.h>

#include <cstddef>

// The host's common record header (bytes 0-19).
struct HostHeader {
    DWORD Size;         // 0: record size in bytes
    BYTE hostOwned1[4]; // 4: the host's, carried over on upgrade
    DWORD Version;      // 8: layout version
    BYTE hostOwned2[8]; // 12: the host's, carried over on upgrade
};
static_assert(offsetof(HostHeader, Size) == 0, "HostHeader.Size");
static_assert(offsetof(HostHeader, Version) == 8, "HostHeader.Version");
static_assert(sizeof(HostHeader) == 20, "HostHeader size");

enum ObjectFlag : WORD {
    TrimEditorBottom = 0x0001,
    PlayAtStart = 0x0002,
    DefaultSize = 0x0004,
    DoubleSize = 0x0008,
    FrameMode = 0x0010,
    NewObjectMark = 0x0020,
    HideAtStart = 0x0040,
    KeepAspect = 0x0080,
    StaticBorder = 0x0100,
    ClientBorder = 0x0200,
    DialogBorder = 0x0400,
    LogMode = 0x1000,
    ConsoleMode = 0x2000,
    DeleteLog = 0x4000,
};

// The window border the three border bits ask for: the union of their extended styles.
inline DWORD BorderExStyle(WORD flags) {
    DWORD exStyle = 0;
    if (flags & StaticBorder)
        exStyle |= WS_EX_STATICEDGE;
    if (flags & ClientBorder)
        exStyle |= WS_EX_CLIENTEDGE;
    if (flags & DialogBorder)
        exStyle |= WS_EX_DLGMODALFRAME;
    return exStyle;
}

constexpr DWORD kObjectSettingsSize = 576;
constexpr DWORD kObjectSettingsVersion = 2;
constexpr size_t kFileNameUnits = 260;

struct ObjectSettings {
    HostHeader Header;              // 0
    SHORT Width;                    // 20
    SHORT Height;                   // 22
    WORD Flags;                     // 24: ObjectFlag bits
    BYTE unused26[2];               // 26
    DWORD NativeSizeTaken;          // 28
    RECT NativeRect;                // 32
    double AspectRatio;             // 48
    WCHAR FileName[kFileNameUnits]; // 56
};
static_assert(offsetof(ObjectSettings, Width) == 20, "Width");
static_assert(offsetof(ObjectSettings, Height) == 22, "Height");
static_assert(offsetof(ObjectSettings, Flags) == 24, "Flags");
static_assert(offsetof(ObjectSettings, NativeSizeTaken) == 28, "NativeSizeTaken");
static_assert(offsetof(ObjectSettings, NativeRect) == 32, "NativeRect");
static_assert(offsetof(ObjectSettings, AspectRatio) == 48, "AspectRatio");
static_assert(offsetof(ObjectSettings, FileName) == 56, "FileName");
static_assert(sizeof(ObjectSettings) == kObjectSettingsSize, "ObjectSettings is 576 bytes");

// RunObject: the 1288-byte per-instance run-time record. Bytes 0-671 are the host's object
// header (only the members below are used); bytes 672-1287 belong to the module.
#pragma once

#include <windows.h>

#include <cstddef>

#include "host/host_records.h"
#include "host/object_settings.h"

class VideoPlayer;

constexpr DWORD kRunObjectSize = 1288;
constexpr LONG kOwnDataOffset = 716;
// Where the module's part of the record begins; it runs to the end of the 1288 bytes.
constexpr size_t kModulePartOffset = 672;

enum ResultTypeFlag : WORD {
    ResultIsFloat = 0x4000,
    ResultIsText = 0x8000,
};

struct RunObject {
    BYTE host0[8];                  // 0
    RunHeader* runHeader;           // 8
    BYTE host12[64];                // 12
    LONG x;                         // 76
    BYTE host80[4];                 // 80
    LONG y;                         // 84
    BYTE host88[8];                 // 88
    LONG width;                     // 96
    LONG height;                    // 100
    BYTE host104[20];               // 104
    WORD resultTypeFlags;           // 124
    BYTE host126[50];               // 126
    LONG ownDataOffset;             // 176
    BYTE host180[72];               // 180
    LONG redrawRequest;             // 252
    BYTE host256[416];              // 256
    SHORT lastClickCode;            // 672: -4 none
    BYTE unused674[2];              // 674
    LONG clickLoopCount;            // 676
    LONG lastFullScreenKey;         // 680
    WORD optionWord;                // 684: copy of ObjectSettings::Flags
    SHORT geometryChanged;          // 686
    SHORT visible;                  // 688
    BYTE unused690[6];              // 690
    double aspectRatio;             // 696
    BYTE unused704[4];              // 704
    LONG cachedTotalFrames;         // 708
    LONG cachedTotalMilliseconds;   // 712
    SHORT marker;                   // 716
    BYTE unused718[2];              // 718
    HWND hostWindow;                // 720
    HWND hostWindowCopy;            // 724
    SHORT lastError;                // 728
    BYTE unused730[2];              // 730
    LONG frameWidth;                // 732
    LONG frameHeight;               // 736
    LONG keepAspect;                // 740
    double cachedRate;              // 744
    LONG grabDone;                  // 752
    WCHAR fileName[kFileNameUnits]; // 756
    BYTE unused1276[4];             // 1276
    VideoPlayer* player;            // 1280
    BYTE unused1284[4];             // 1284
};
static_assert(offsetof(RunObject, runHeader) == 8, "run header");
static_assert(offsetof(RunObject, x) == 76, "x");
static_assert(offsetof(RunObject, y) == 84, "y");
static_assert(offsetof(RunObject, width) == 96, "width");
static_assert(offsetof(RunObject, height) == 100, "height");
static_assert(offsetof(RunObject, resultTypeFlags) == 124, "result-type flags");
static_assert(offsetof(RunObject, ownDataOffset) == 176, "own-data offset");
static_assert(offsetof(RunObject, redrawRequest) == 252, "redraw request");
static_assert(offsetof(RunObject, lastClickCode) == 672, "last click");
static_assert(offsetof(RunObject, lastClickCode) == kModulePartOffset, "the module's part");
static_assert(offsetof(RunObject, clickLoopCount) == 676, "click loop count");
static_assert(offsetof(RunObject, lastFullScreenKey) == 680, "full-screen key");
static_assert(offsetof(RunObject, optionWord) == 684, "option word");
static_assert(offsetof(RunObject, geometryChanged) == 686, "geometry changed");
static_assert(offsetof(RunObject, visible) == 688, "visible");
static_assert(offsetof(RunObject, aspectRatio) == 696, "aspect ratio");
static_assert(offsetof(RunObject, cachedTotalFrames) == 708, "total frames");
static_assert(offsetof(RunObject, cachedTotalMilliseconds) == 712, "total ms");
static_assert(offsetof(RunObject, marker) == 716, "marker");
static_assert(offsetof(RunObject, hostWindow) == 720, "host window");
static_assert(offsetof(RunObject, hostWindowCopy) == 724, "host window copy");
static_assert(offsetof(RunObject, lastError) == 728, "last error");
static_assert(offsetof(RunObject, frameWidth) == 732, "frame width");
static_assert(offsetof(RunObject, frameHeight) == 736, "frame height");
static_assert(offsetof(RunObject, keepAspect) == 740, "keep aspect");
static_assert(offsetof(RunObject, cachedRate) == 744, "cached rate");
static_assert(offsetof(RunObject, grabDone) == 752, "grab done");
static_assert(offsetof(RunObject, fileName) == 756, "file name");
static_assert(offsetof(RunObject, player) == 1280, "player");
static_assert(sizeof(RunObject) == kRunObjectSize, "RunObject is 1288 bytes");

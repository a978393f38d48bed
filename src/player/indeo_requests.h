// The two module-wide request records exchanged with the Indeo 5 decoder. They are shared by
// every object: zero at load, their headers rewritten at the start of each graph build, their
// request kind, mask and values written by the codec-setting operations. Fields the module never
// names stay as the decoder left them.
#pragma once

#include <windows.h>

#include <cstddef>

// Words every request starts with ("IV50" as bytes I, V, 5, 0 in memory order).
const DWORD IndeoCodecCode = 0x30355649;
const DWORD IndeoRequestVersion = 0x00010005;
const DWORD IndeoHeaderWord = 2;

// Request kinds and field masks.
const DWORD IndeoFrameRequestKind = 2;
const DWORD IndeoSequenceReadKind = 3;
const DWORD IndeoSequenceWriteKind = 4;
const DWORD IndeoPictureMask = 0x800000E0;
const DWORD IndeoTransFillMask = 0x80000200;
const DWORD IndeoSequenceMask = 0x8000000F;

struct IndeoFrameRequestRecord {
    DWORD size;              // 0x00: 124
    DWORD codecCode;         // 0x04
    DWORD version;           // 0x08
    DWORD requestKind;       // 0x0C
    DWORD headerWord;        // 0x10
    DWORD fieldMask;         // 0x14
    BYTE decoderArea1[0x30]; // 0x18..0x47: the decoder's own fields
    LONG brightness;         // 0x48
    LONG saturation;         // 0x4C
    LONG contrast;           // 0x50
    DWORD transFillColor;    // 0x54
    BYTE decoderArea2[0x24]; // 0x58..0x7B
};
static_assert(offsetof(IndeoFrameRequestRecord, requestKind) == 0x0C, "requestKind");
static_assert(offsetof(IndeoFrameRequestRecord, fieldMask) == 0x14, "fieldMask");
static_assert(offsetof(IndeoFrameRequestRecord, brightness) == 0x48, "brightness");
static_assert(offsetof(IndeoFrameRequestRecord, saturation) == 0x4C, "saturation");
static_assert(offsetof(IndeoFrameRequestRecord, contrast) == 0x50, "contrast");
static_assert(offsetof(IndeoFrameRequestRecord, transFillColor) == 0x54, "transFillColor");
static_assert(sizeof(IndeoFrameRequestRecord) == 124, "IndeoFrameRequestRecord size");

struct IndeoSequenceRequestRecord {
    DWORD size;        // 0x00: 44
    DWORD codecCode;   // 0x04
    DWORD version;     // 0x08
    DWORD requestKind; // 0x0C
    DWORD headerWord;  // 0x10
    DWORD fieldMask;   // 0x14
    LONG accessKey;    // 0x18
    DWORD keyInUse;    // 0x1C: 1 on every write
    DWORD modeWord;    // 0x20: written back as last read
    DWORD modeValue;   // 0x24: written back as last read
    DWORD altLine;     // 0x28
};
static_assert(offsetof(IndeoSequenceRequestRecord, fieldMask) == 0x14, "fieldMask");
static_assert(offsetof(IndeoSequenceRequestRecord, accessKey) == 0x18, "accessKey");
static_assert(offsetof(IndeoSequenceRequestRecord, keyInUse) == 0x1C, "keyInUse");
static_assert(offsetof(IndeoSequenceRequestRecord, modeWord) == 0x20, "modeWord");
static_assert(offsetof(IndeoSequenceRequestRecord, modeValue) == 0x24, "modeValue");
static_assert(offsetof(IndeoSequenceRequestRecord, altLine) == 0x28, "altLine");
static_assert(sizeof(IndeoSequenceRequestRecord) == 44, "IndeoSequenceRequestRecord size");

extern IndeoFrameRequestRecord IndeoFrameRequest;
extern IndeoSequenceRequestRecord IndeoSequenceRequest;

// Rewrites the header words of both records (size, code, version, header word, empty mask);
// the request kind and the values are left alone.
void ResetIndeoRequestHeaders();

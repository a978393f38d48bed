// The packed DIB a frame grab hands over: a BITMAPINFOHEADER, the colour masks or colour table if
// any, then the pixels, in one block of a known byte count. The graph fills the block; nothing
// but the header says how far its parts reach, so the header is checked against the block's size
// before anyone reads past the header.
#pragma once

#include <windows.h>

// Bytes of the info header every packed DIB starts with.
const LONG kDibInfoHeaderBytes = 40;

// The header's bit count (biBitCount, 16 bits at byte 14); 0 when the block is shorter than the
// info header.
WORD PackedDibBitCount(const BYTE* dib, LONG blockBytes);

// True when everything the header claims (header size, masks, colour table, rows, image size
// field) lies inside the block of `blockBytes`; false for a block that cannot hold its own
// header, a zero or negative-overflow size, or any claim that reaches past the end.
bool PackedDibFitsBlock(const BYTE* dib, LONG blockBytes);

// The byte count of the DIB as its header describes it (header, masks, colour table and pixels),
// when all of it lies inside the block; 0 otherwise.
LONG PackedDibLength(const BYTE* dib, LONG blockBytes);

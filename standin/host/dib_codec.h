// Packed DIBs (an info header, optional masks and colour table, then the pixels) into and out of
// host stand-in surfaces. Only the header's own fields say how large the block is, so every
// field is checked against the others before a pixel is read.
#pragma once

#include <windows.h>

#include "surface.h"

namespace hoststandin {

constexpr DWORD kInfoHeaderBytes = 40;

// What a checked header says about the block that follows it.
struct DibLayout {
    int width;
    int height;                         // always positive
    bool topDown;                       // the header's height was negative
    int bitCount;                       // 8, 16, 24 or 32
    DWORD redMask, greenMask, blueMask; // 16 and 32 bits
    const BYTE* colours;                // RGBQUAD entries, or null
    DWORD colourCount;
    const BYTE* pixels;
    DWORD stride;
};

// Checks a packed DIB's header: a known header size, a width and height within the surface
// limits, one plane, 8/16/24/32 bits uncompressed (or bit fields at 16 and 32 bits with three
// non-zero contiguous masks), a colour table of at most 256 entries, and an image size field that
// is either 0 or large enough for the rows. False for anything else.
bool ReadDibLayout(const void* packedDib, DibLayout* layout);

// Loads a packed DIB into the surface, which takes the DIB's size. A surface that already has
// content keeps its depth; an empty one gets 32 bits for a 32-bit DIB and 24 otherwise.
// False, with the surface unchanged, when the DIB is refused or memory runs out.
bool LoadSurfaceFromDib(Surface& surface, const void* packedDib);

// The surface as a packed DIB: a 40-byte header (bottom-up, uncompressed, no colour table) and
// the rows. 0 for an empty surface.
DWORD PackedDibSize(const Surface& surface);
// Writes PackedDibSize bytes to `destination`; returns the count written (0 when empty or null).
DWORD WritePackedDib(const Surface& surface, void* destination);
// The 40-byte header alone, as WritePackedDib writes it.
void WriteInfoHeader(const Surface& surface, BYTE* header);

} // namespace hoststandin

// Test and host stand-in view of GDI brushes: what a brush paints with. Not included by windows.h.
#pragma once

#include <windows.h>

namespace standin {

struct BrushDescription {
    bool hatched;   // false: a solid brush
    int hatchStyle; // HS_* of a hatched brush
    COLORREF color; // the solid colour, or the colour of the hatch lines
};

// Describes a brush made by CreateSolidBrush or CreateHatchBrush and not yet deleted; false for
// any other handle.
bool DescribeBrush(HBRUSH brush, BrushDescription* description);

// Whether the hatch pattern `hatchStyle` paints pixel (x, y) of a window (8 x 8 pattern aligned
// with the window's origin, as GDI aligns brushes by default).
bool HatchCovers(int hatchStyle, int x, int y);

} // namespace standin

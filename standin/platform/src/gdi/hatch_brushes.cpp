// Hatched brushes. They live in the user-interface stand-in's brush table, so DeleteObject and
// the count of live brushes cover them; their hatch style is kept here beside it.
#include "standin/inspect_gdi.h"

#include "../user/user_state.h"

#include <map>

using namespace standin;
using namespace standin::user;

namespace {

const ULONG_PTR kHatchBrushBase = 0x00930000u;

struct HatchTable {
    std::map<HBRUSH, int> styles;
    unsigned nextSerial = 1;
};

void ResetHatches();

HatchTable& Hatches() {
    static HatchTable* table = nullptr;
    if (!table) {
        table = new HatchTable;
        RegisterReset(&ResetHatches);
    }
    return *table;
}

void ResetHatches() {
    Hatches() = HatchTable();
}

} // namespace

// Fault injection "CreateHatchBrush": no brush (null).
HBRUSH WINAPI CreateHatchBrush(int hatchStyle, COLORREF color) {
    long fault = 0;
    if (TakeFault("CreateHatchBrush", &fault))
        return nullptr;
    if (hatchStyle < HS_HORIZONTAL || hatchStyle > HS_DIAGCROSS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HatchTable& hatches = Hatches();
    HBRUSH brush = reinterpret_cast<HBRUSH>(kHatchBrushBase + 0x10u * hatches.nextSerial++);
    UserState().createdBrushes[brush] = color & 0x00FFFFFFu;
    hatches.styles[brush] = hatchStyle;
    return brush;
}

namespace standin {

bool DescribeBrush(HBRUSH brush, BrushDescription* description) {
    const auto& created = UserState().createdBrushes;
    auto found = created.find(brush);
    if (found == created.end() || !description)
        return false;
    auto hatch = Hatches().styles.find(brush);
    description->hatched = hatch != Hatches().styles.end();
    description->hatchStyle = description->hatched ? hatch->second : 0;
    description->color = found->second;
    return true;
}

bool HatchCovers(int hatchStyle, int x, int y) {
    int column = x & 7;
    int row = y & 7;
    bool falling = column == row;            // "\": down to the right
    bool rising = ((column + row) & 7) == 7; // "/": up to the right
    switch (hatchStyle) {
    case HS_HORIZONTAL:
        return row == 4;
    case HS_VERTICAL:
        return column == 4;
    case HS_FDIAGONAL:
        return falling;
    case HS_BDIAGONAL:
        return rising;
    case HS_CROSS:
        return row == 4 || column == 4;
    case HS_DIAGCROSS:
        return falling || rising;
    default:
        return false;
    }
}

} // namespace standin

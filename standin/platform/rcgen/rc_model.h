// What the resource compiler reads out of a .rc file: one record per resource kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rcgen {

struct StringEntry {
    uint16_t id;
    std::u16string text;
};

// One menu item. Flags use the MF_ bit values (which MENUEX's MFT_/MFS_ values share).
struct MenuItem {
    uint32_t flags = 0;
    uint32_t id = 0;
    std::u16string text;
    std::vector<MenuItem> children; // items of a popup
};

struct Menu {
    uint16_t id;
    bool extended;
    std::vector<MenuItem> items;
};

// A text or class that a dialog template stores either as a string or as a 16-bit ordinal.
struct NameOrOrdinal {
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::u16string text;
};

struct DialogControl {
    NameOrOrdinal className; // predefined classes keep their atom (0x80 Button ... 0x85 ComboBox)
    NameOrOrdinal text;
    uint32_t id = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
};

struct Dialog {
    uint16_t id = 0;
    bool extended = false;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string caption;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    bool hasFont = false;
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 1;
    std::u16string fontName;
    std::vector<DialogControl> controls;
};

// A bitmap resource holds the .bmp file without its 14-byte file header (a packed DIB).
struct Bitmap {
    uint16_t id;
    std::vector<uint8_t> dib;
};

struct ResourceFile {
    std::vector<StringEntry> strings;
    std::vector<Menu> menus;
    std::vector<Dialog> dialogs;
    std::vector<Bitmap> bitmaps;
};

} // namespace rcgen

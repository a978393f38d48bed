// The module's resources as the stand-in's resource compiler (rcgen) emits them from
// src/res/cinevane.rc, and the look-ups the resource, menu and dialog stand-ins serve them with.
// Dialog templates are exposed here for the modal dialog stand-in.
#pragma once

#include "standin/base_types.h"

namespace standin {

// String texts are stored as Windows stores them: counted, not terminated (the text that follows
// in memory is the next string's).
struct StringResource {
    WORD id;
    WORD length;
    const WCHAR* text;
};

// Menu items in one flat array; a popup's items are childCount entries from firstChild.
// flags are MF_ bits (MF_POPUP, MF_SEPARATOR, MF_CHECKED, MF_GRAYED...); texts are terminated.
struct MenuItemResource {
    UINT flags;
    UINT id;
    const WCHAR* text;
    int firstChild;
    int childCount;
};

struct MenuResource {
    WORD id;
    bool extended;
    int firstItem;
    int itemCount;
};

// A text or class a dialog template holds either as a string or as a 16-bit ordinal
// (predefined classes: 0x80 Button, 0x81 Edit, 0x82 Static, 0x83 ListBox, 0x84 ScrollBar,
// 0x85 ComboBox; their name is kept in `text` too).
struct ResourceName {
    bool isOrdinal;
    WORD ordinal;
    const WCHAR* text;
};

struct DialogControlResource {
    ResourceName className;
    ResourceName text;
    DWORD id;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy; // dialog units
};

struct DialogResource {
    WORD id;
    bool extended;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy; // dialog units
    const WCHAR* caption;
    ResourceName menu;
    ResourceName windowClass;
    bool hasFont;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    const WCHAR* fontName;
    const DialogControlResource* controls;
    int controlCount;
};

// A bitmap resource: the .bmp file without its file header (BITMAPINFOHEADER first).
struct BitmapResource {
    WORD id;
    const BYTE* dib;
    DWORD size;
};

struct ResourceCatalog {
    const StringResource* strings;
    int stringCount;
    const MenuItemResource* menuItems;
    int menuItemCount;
    const MenuResource* menus;
    int menuCount;
    const DialogResource* dialogs;
    int dialogCount;
    const BitmapResource* bitmaps;
    int bitmapCount;
};

// Defined by the generated resources.cpp.
const ResourceCatalog& CompiledResources();

// Look-ups by id; null when the resource does not exist.
const StringResource* FindStringResource(UINT id);
const MenuResource* FindMenuResource(UINT id);
const DialogResource* FindDialogResource(UINT id);
const BitmapResource* FindBitmapResource(UINT id);

} // namespace standin

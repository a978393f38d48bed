// The module's resources as the DLL ships them: windres compiles src/res/cinevane.rc to a 32-bit
// .res file, the native build embeds its bytes, and the resource, menu and dialog stand-ins read
// them the way Windows reads a module's resources (entries found by type and name, string
// blocks of 16, binary menu and dialog templates, bitmaps as packed DIBs).
#pragma once

#include "standin/base_types.h"

#include <vector>

namespace standin {

// A resource type or name: a 16-bit ordinal, or a terminated text (upper case, as the resource
// compiler stores names).
struct ResourceName {
    bool isOrdinal;
    WORD ordinal;
    const WCHAR* text;
};

// One entry of a .res file; `data` points into the file's bytes.
struct ResourceEntry {
    ResourceName type;
    ResourceName name;
    WORD language;
    const BYTE* data;
    DWORD size;
};

// The entries of a .res file, in file order (the leading empty entry left out). False when the
// bytes are not a well-formed .res; `bytes` must be 4-byte aligned and outlive the entries.
bool ReadResFile(const BYTE* bytes, size_t size, std::vector<ResourceEntry>* entries);

// The module's .res, embedded by the build (defined by the generated embedded_res.cpp).
const BYTE* EmbeddedRes();
size_t EmbeddedResSize();

// The entries of the module's .res.
const std::vector<ResourceEntry>& ModuleResources();

// The module's entry of `type` and `name` as FindResourceW takes them (MAKEINTRESOURCEW ordinals,
// "#123" or a name); null with the last error Windows gives (1813 no such type, 1814 no such name).
const ResourceEntry* FindModuleResource(LPCWSTR type, LPCWSTR name);

// A DIALOG or DIALOGEX template, read. Texts point into the template; a control's class given as
// an ordinal (0x80 Button ... 0x85 ComboBox) also has its name in `text`.
struct DialogControlTemplate {
    ResourceName className;
    ResourceName text;
    DWORD id;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy; // dialog units
};

struct DialogTemplate {
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
    std::vector<DialogControlTemplate> controls;
};

// False when the template is cut short or malformed.
bool ReadDialogTemplate(const BYTE* data, DWORD size, DialogTemplate* dialog);

// The predefined control class a template names by ordinal, or by name in any case (windres
// writes "STATIC" where Microsoft's compiler writes the ordinal); null for any other class.
const WCHAR* PredefinedControlClass(const ResourceName& className);

} // namespace standin

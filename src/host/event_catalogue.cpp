#include "host/event_catalogue.h"

namespace {

// Menu item texts are read into a buffer of this size; longer texts are cut.
constexpr int kMenuTextUnits = 80;
// Item states a copied item keeps (the kind bits stay behind: the copy's items are strings).
constexpr UINT kCopiedStates =
    MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP;
// Deeper than any menu of the module: a guard against a malformed resource.
constexpr int kMaxMenuDepth = 8;

void CopyMenuItems(HMENU destination, HMENU source, int depth) {
    int count = GetMenuItemCount(source);
    for (int position = 0; position < count; ++position) {
        UINT id = GetMenuItemID(source, position);
        if (id == 0) {
            AppendMenuW(destination, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        WCHAR text[kMenuTextUnits];
        if (GetMenuStringW(source, position, text, kMenuTextUnits, MF_BYPOSITION) <= 0)
            text[0] = 0;
        if (id == static_cast<UINT>(-1)) {
            HMENU sourcePopup = GetSubMenu(source, position);
            if (!sourcePopup || depth >= kMaxMenuDepth)
                continue;
            HMENU popup = CreatePopupMenu();
            if (!popup)
                continue;
            if (!AppendMenuW(destination, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                             text)) {
                DestroyMenu(popup);
                continue;
            }
            CopyMenuItems(popup, sourcePopup, depth + 1);
            continue;
        }
        UINT state = GetMenuState(source, position, MF_BYPOSITION);
        if (state == static_cast<UINT>(-1))
            state = 0;
        AppendMenuW(destination, MF_STRING | (state & kCopiedStates), id, text);
    }
}

int ParameterCount(const short* entry) {
    return entry[EntryParameterCount];
}

// The title string id of parameter `index`, or 0 when the entry has none for it.
short ParameterTitleId(const short* entry, int index) {
    int count = ParameterCount(entry);
    if (index < 0 || index >= count)
        return 0;
    return entry[EntryParameterTypes + count + index];
}

bool HasRoom(LPWSTR buffer, int size) {
    return buffer && size > 0;
}

} // namespace

const short* FindEventEntry(const EventTable& table, int code) {
    size_t position = 0;
    for (int index = 0; index < table.entryCount; ++index) {
        if (position + EntryParameterTypes > table.length)
            return nullptr;
        const short* entry = table.values + position;
        int count = entry[EntryParameterCount];
        if (count < 0 || position + EntryParameterTypes + 2 * count > table.length)
            return nullptr;
        if (entry[EntryCode] == code)
            return entry;
        position += EntryParameterTypes + 2 * count;
    }
    return nullptr;
}

short EventCodeFromMenu(const EventTable& table, WORD menuId) {
    for (int code = 0; code < table.entryCount; ++code) {
        const short* entry = FindEventEntry(table, code);
        if (entry && static_cast<WORD>(entry[EntryMenuId]) == menuId)
            return entry[EntryCode];
    }
    return -1;
}

HMENU CopyMenuTree(HINSTANCE instance, UINT menuResource) {
    HMENU loaded = LoadMenuW(instance, MAKEINTRESOURCEW(menuResource));
    if (!loaded)
        return nullptr;
    HMENU source = GetSubMenu(loaded, 0);
    HMENU copy = source ? CreatePopupMenu() : nullptr;
    if (copy)
        CopyMenuItems(copy, source, 0);
    DestroyMenu(loaded);
    return copy;
}

int GetEventString(HINSTANCE instance, const EventTable& table, int code, LPWSTR buffer, int size) {
    if (!HasRoom(buffer, size))
        return 0; // a zero size would make LoadStringW store a pointer in the buffer
    buffer[0] = 0;
    const short* entry = FindEventEntry(table, code);
    if (!entry)
        return 0;
    return LoadStringW(instance, static_cast<WORD>(entry[EntryStringId]), buffer, size);
}

void GetEventTitle(HINSTANCE instance, const EventTable& table, int code, int index, LPWSTR buffer,
                   int size) {
    if (!HasRoom(buffer, size))
        return;
    buffer[0] = 0;
    const short* entry = FindEventEntry(table, code);
    if (!entry)
        return;
    short titleId = ParameterTitleId(entry, index);
    if (titleId != 0) {
        LoadStringW(instance, static_cast<WORD>(titleId), buffer, size);
        return;
    }
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(table.menuResource));
    if (!menu)
        return;
    GetMenuStringW(menu, static_cast<WORD>(entry[EntryMenuId]), buffer, size, MF_BYCOMMAND);
    DestroyMenu(menu);
}

void GetEventParameterTitle(HINSTANCE instance, const EventTable& table, int code, int index,
                            LPWSTR buffer, int size) {
    if (!HasRoom(buffer, size))
        return;
    buffer[0] = 0;
    const short* entry = FindEventEntry(table, code);
    short titleId = entry ? ParameterTitleId(entry, index) : 0;
    if (titleId != 0)
        LoadStringW(instance, static_cast<WORD>(titleId), buffer, size);
}

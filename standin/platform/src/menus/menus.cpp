// Menus: a handle table of menus whose items hold flags, a command id, a text and, for a popup
// item, the submenu it owns.
#include <windows.h>

#include "../resources/byte_reader.h"

#include <map>
#include <vector>

namespace {

struct MenuItem {
    UINT flags;
    UINT id; // a popup item's id is its submenu's handle, as on Windows
    HMENU submenu;
    std::vector<WCHAR> text; // terminated
};

struct Menu {
    bool popup;
    std::vector<MenuItem> items;
};

struct MenuTable {
    std::map<HMENU, Menu> menus;
    UINT_PTR nextHandle = 0x00C00010;
};

void ResetMenus();

MenuTable& Table() {
    static MenuTable* table = [] {
        standin::RegisterReset(ResetMenus);
        return new MenuTable();
    }();
    return *table;
}

void ResetMenus() {
    // Handles keep counting up, so a handle left over from an earlier test stays invalid.
    Table().menus.clear();
}

Menu* Find(HMENU handle) {
    auto found = Table().menus.find(handle);
    return found == Table().menus.end() ? nullptr : &found->second;
}

// A handle that names no menu sets the last error, as every menu call does on Windows.
Menu* FindOrFail(HMENU handle) {
    Menu* menu = Find(handle);
    if (!menu)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return menu;
}

HMENU NewMenu(bool popup) {
    MenuTable& table = Table();
    HMENU handle = reinterpret_cast<HMENU>(table.nextHandle);
    table.nextHandle += 4;
    table.menus[handle] = Menu{popup, {}};
    return handle;
}

std::vector<WCHAR> CopyText(LPCWSTR text) {
    std::vector<WCHAR> copy;
    if (text)
        for (size_t i = 0; text[i]; ++i)
            copy.push_back(text[i]);
    copy.push_back(0);
    return copy;
}

// Finds an item by position, or by command id through the menu and its popups.
MenuItem* FindItem(HMENU handle, UINT item, UINT flags, int depth = 0) {
    Menu* menu = Find(handle);
    if (!menu || depth > 32)
        return nullptr;
    if (flags & MF_BYPOSITION)
        return item < menu->items.size() ? &menu->items[item] : nullptr;
    for (MenuItem& candidate : menu->items) {
        if (candidate.id == item)
            return &candidate;
        if (candidate.submenu)
            if (MenuItem* inner = FindItem(candidate.submenu, item, flags, depth + 1))
                return inner;
    }
    return nullptr;
}

// An injected fault fails the call with its code as the last error.
bool Faulted(const char* call) {
    long code = 0;
    if (!standin::TakeFault(call, &code))
        return false;
    SetLastError(static_cast<DWORD>(code));
    return true;
}

// The flags an item keeps: its kind and state bits, not the command bits of the call.
constexpr UINT kItemFlags = MF_GRAYED | MF_DISABLED | MF_BITMAP | MF_CHECKED | MF_POPUP |
                            MF_MENUBARBREAK | MF_MENUBREAK | MF_HILITE | MF_OWNERDRAW |
                            MF_USECHECKBITMAPS | MF_SEPARATOR | MF_DEFAULT | MF_HELP;

// Appends one item the way AppendMenuW does (without its fault); false for a bad submenu.
bool AppendItem(Menu* menu, HMENU handle, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    MenuItem item{flags & kItemFlags, static_cast<UINT>(idOrPopup), nullptr, CopyText(nullptr)};
    if (flags & MF_POPUP) {
        HMENU submenu = reinterpret_cast<HMENU>(idOrPopup);
        if (!FindOrFail(submenu))
            return false;
        if (submenu == handle) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        item.submenu = submenu;
    }
    if (!(flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR))) {
        if (text)
            item.text = CopyText(text);
        else if (!(flags & MF_POPUP))
            item.flags |= MF_SEPARATOR; // a string item without text is a separator
    }
    if (item.flags & MF_SEPARATOR)
        item.id = 0;
    menu->items.push_back(item);
    return true;
}

// Template item flags: MF_END marks the last item of a level (the bit MF_HILITE has in menus).
constexpr WORD kTemplateEnd = 0x0080;
constexpr WORD kExtendedPopup = 0x0001;

// Reads one level of a MENU template (extended: MENUEX) into `handle`, popups recursively, the
// way the system's menu loader appends them. False when the template is cut short.
bool ReadMenuLevel(standin::ByteReader& reader, HMENU handle, bool extended, int depth) {
    if (depth > 32)
        return false;
    for (bool last = false; !last && reader.Ok();) {
        UINT flags = 0;
        UINT id = 0;
        bool popup = false;
        if (extended) {
            flags = reader.Dword();  // type (MFT_)
            flags |= reader.Dword(); // state (MFS_)
            id = reader.Dword();
            WORD options = reader.Word();
            popup = (options & kExtendedPopup) != 0;
            last = (options & kTemplateEnd) != 0;
        } else {
            WORD options = reader.Word();
            popup = (options & MF_POPUP) != 0;
            last = (options & kTemplateEnd) != 0;
            flags = options & ~kTemplateEnd;
            if (!popup)
                id = reader.Word();
        }
        const WCHAR* text = reader.Text();
        if (extended) {
            reader.Align(4);
            if (popup)
                reader.Skip(4); // help id
        }
        if (!reader.Ok())
            return false;
        UINT_PTR idOrPopup = id;
        if (popup) {
            HMENU submenu = NewMenu(true);
            if (!ReadMenuLevel(reader, submenu, extended, depth + 1)) {
                DestroyMenu(submenu);
                return false;
            }
            idOrPopup = reinterpret_cast<UINT_PTR>(submenu);
            flags |= MF_POPUP;
        }
        AppendItem(Find(handle), handle, flags, idOrPopup, text && text[0] ? text : nullptr);
    }
    return reader.Ok();
}

// A version (0 MENU, 1 MENUEX) and the offset of the items from the end of those four bytes,
// then the items. Null, with ERROR_INVALID_PARAMETER, for a template it cannot read.
HMENU LoadMenuTemplate(const BYTE* bytes, size_t size) {
    standin::ByteReader reader(bytes, size);
    WORD version = reader.Word();
    WORD offset = reader.Word();
    HMENU menu = NewMenu(false);
    if (!bytes || version > 1 || !reader.Skip(offset) ||
        !ReadMenuLevel(reader, menu, version == 1, 0)) {
        DestroyMenu(menu);
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return menu;
}

} // namespace

HMENU WINAPI CreateMenu() {
    return Faulted("CreateMenu") ? nullptr : NewMenu(false);
}

HMENU WINAPI CreatePopupMenu() {
    return Faulted("CreatePopupMenu") ? nullptr : NewMenu(true);
}

BOOL WINAPI IsMenu(HMENU menu) {
    return Find(menu) != nullptr;
}

BOOL WINAPI DestroyMenu(HMENU handle) {
    Menu* menu = FindOrFail(handle);
    if (!menu)
        return FALSE;
    std::vector<HMENU> submenus;
    for (const MenuItem& item : menu->items)
        if (item.submenu)
            submenus.push_back(item.submenu);
    Table().menus.erase(handle);
    for (HMENU submenu : submenus)
        DestroyMenu(submenu);
    return TRUE;
}

BOOL WINAPI AppendMenuW(HMENU handle, UINT flags, UINT_PTR idOrPopup, LPCWSTR text) {
    Menu* menu = FindOrFail(handle);
    if (!menu || Faulted("AppendMenuW"))
        return FALSE;
    return AppendItem(menu, handle, flags, idOrPopup, text) ? TRUE : FALSE;
}

HMENU WINAPI LoadMenuW(HINSTANCE, LPCWSTR name) {
    if (Faulted("LoadMenuW"))
        return nullptr;
    const standin::ResourceEntry* resource = standin::FindModuleResource(RT_MENU, name);
    return resource ? LoadMenuTemplate(resource->data, resource->size) : nullptr;
}

HMENU WINAPI LoadMenuIndirectW(const void* menuTemplate) {
    // A template in memory carries no size: its items end themselves.
    return LoadMenuTemplate(static_cast<const BYTE*>(menuTemplate), 0x10000);
}

int WINAPI GetMenuItemCount(HMENU handle) {
    Menu* menu = FindOrFail(handle);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU handle, int position) {
    Menu* menu = FindOrFail(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size())
        return static_cast<UINT>(-1);
    const MenuItem& item = menu->items[position];
    return item.submenu ? static_cast<UINT>(-1) : item.id;
}

HMENU WINAPI GetSubMenu(HMENU handle, int position) {
    Menu* menu = FindOrFail(handle);
    if (!menu || position < 0 || static_cast<size_t>(position) >= menu->items.size())
        return nullptr;
    return menu->items[position].submenu;
}

int WINAPI GetMenuStringW(HMENU handle, UINT item, LPWSTR buffer, int size, UINT flags) {
    if (buffer && size > 0)
        buffer[0] = 0;
    MenuItem* found = FindItem(handle, item, flags);
    if (!found)
        return 0;
    int length = static_cast<int>(found->text.size()) - 1;
    if (!buffer || size <= 0)
        return length;
    int copied = length < size - 1 ? length : size - 1;
    for (int i = 0; i < copied; ++i)
        buffer[i] = found->text[i];
    buffer[copied] = 0;
    return copied;
}

UINT WINAPI GetMenuState(HMENU handle, UINT item, UINT flags) {
    MenuItem* found = FindItem(handle, item, flags);
    if (!found)
        return static_cast<UINT>(-1);
    if (found->submenu)
        return (static_cast<UINT>(GetMenuItemCount(found->submenu)) << 8) | (found->flags & 0xFF);
    return found->flags;
}

namespace standin {
int LiveMenuCount() {
    return static_cast<int>(Table().menus.size());
}
} // namespace standin

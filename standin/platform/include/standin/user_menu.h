// Platform stand-in: menus. Menu resources come from the tables compiled from cinevane.rc.
#pragma once

#include "standin/base_types.h"

#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_APPEND 0x00000100L
#define MF_DELETE 0x00000200L
#define MF_REMOVE 0x00001000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_UNCHECKED 0x00000000L
#define MF_CHECKED 0x00000008L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_STRING 0x00000000L
#define MF_BITMAP 0x00000004L
#define MF_OWNERDRAW 0x00000100L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_UNHILITE 0x00000000L
#define MF_HILITE 0x00000080L
#define MF_DEFAULT 0x00001000L
#define MF_SYSMENU 0x00002000L
#define MF_HELP 0x00004000L
#define MF_RIGHTJUSTIFY 0x00004000L
#define MF_MOUSESELECT 0x00008000L

#define ERROR_INVALID_MENU_HANDLE 1401L

HMENU WINAPI CreateMenu();
HMENU WINAPI CreatePopupMenu();
// Destroys the menu and every popup it holds.
BOOL WINAPI DestroyMenu(HMENU menu);
BOOL WINAPI IsMenu(HMENU menu);
BOOL WINAPI AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCWSTR text);
HMENU WINAPI LoadMenuW(HINSTANCE instance, LPCWSTR name);
// A menu from a MENU or MENUEX template in memory.
HMENU WINAPI LoadMenuIndirectW(const void* menuTemplate);

int WINAPI GetMenuItemCount(HMENU menu);
// The command id; -1 (0xFFFFFFFF) for a popup item or a position outside the menu.
UINT WINAPI GetMenuItemID(HMENU menu, int position);
HMENU WINAPI GetSubMenu(HMENU menu, int position);
// MF_BYCOMMAND searches popups too. Returns the units copied (cut to size - 1), or the text's
// length when `buffer` is null or `size` 0.
int WINAPI GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int size, UINT flags);
// The item's MF_ flags; for a popup, its item count in the high byte of the low word.
// -1 (0xFFFFFFFF) when the item does not exist.
UINT WINAPI GetMenuState(HMENU menu, UINT item, UINT flags);

namespace standin {
// Menus created and not yet destroyed (tests check that nothing leaks).
int LiveMenuCount();
} // namespace standin

// The event vocabulary the host's event editor shows: for each condition, action and expression
// its menu item, display string, flags and parameters, in three tables of signed 16-bit values.
//
// An entry is: menu item id, display-string id, code, flags, parameter count n, n parameter
// types, n parameter-title string ids (0: the menu item's text is the title). Entries follow
// one another in code order with no terminator. The host receives pointers to position 2.
#pragma once

#include <windows.h>

// Host parameter kinds used by the catalogue; the module only hands them over.
enum EventParameterKind : short {
    ParameterKey = 14,
    ParameterExpression = 22,
    ParameterCompareNumber = 23,
    ParameterColour = 24,
    ParameterMouseClick = 32,
    ParameterFileName = 40,
    ParameterCompareTime = 42,
    ParameterTextExpression = 45,
};

// Flags handed to the host with each entry.
enum EventFlags : short {
    ConditionInputReport = 0x0000, // a click or key the object's window recorded
    ConditionStateTest = 0x0200,   // a test of the object's state
    ConditionCompareParameter = 0x0220,
    ActionFlags = 0x0000,
    ExpressionInteger = 0,
    ExpressionText = 1,
    ExpressionFloat = 2,
};

// Positions inside an entry.
enum EventEntryPosition {
    EntryMenuId = 0,
    EntryStringId = 1,
    EntryCode = 2,
    EntryFlags = 3,
    EntryParameterCount = 4,
    EntryParameterTypes = 5,
};

constexpr size_t kConditionTableLength = 14 * 5 + 4 * 2;
constexpr size_t kActionTableLength = 40 * 5 + 24 * 2;
constexpr size_t kExpressionTableLength = 24 * 5;

extern const short ConditionTable[kConditionTableLength];
extern const short ActionTable[kActionTableLength];
extern const short ExpressionTable[kExpressionTableLength];

// A table with the bounds every walk of it respects, and the menu resource of its events.
struct EventTable {
    const short* values;
    size_t length;
    int entryCount;
    UINT menuResource;
};

const EventTable& ConditionEvents();
const EventTable& ActionEvents();
const EventTable& ExpressionEvents();

// The entry of `code` (its position 0), or null when the table holds no such code. The walk
// never reads outside the table, even for codes the host should not send.
const short* FindEventEntry(const EventTable& table, int code);

// The code whose entry carries menu item `menuId`, or -1. Walks the table, not the menu, so it
// also answers for entries that have no menu item.
short EventCodeFromMenu(const EventTable& table, WORD menuId);

// A new popup holding a copy of the first popup of menu resource `menuResource` (texts cut to
// 79 characters, item states kept). The caller owns it. Null when the resource, its popup or
// the new popup cannot be had; nothing is left allocated then.
HMENU CopyMenuTree(HINSTANCE instance, UINT menuResource);

// The display string of `code` cut to `size` units; the units written, 0 (empty text) for an
// unknown code. Nothing is written when there is no room.
int GetEventString(HINSTANCE instance, const EventTable& table, int code, LPWSTR buffer, int size);

// The title of parameter `index` of `code`: its title string, or else the text of the event's
// menu item. Empty for an unknown code or an event without a menu item.
void GetEventTitle(HINSTANCE instance, const EventTable& table, int code, int index, LPWSTR buffer,
                   int size);

// The title string of parameter `index`, or an empty text when it has none.
void GetEventParameterTitle(HINSTANCE instance, const EventTable& table, int code, int index,
                            LPWSTR buffer, int size);

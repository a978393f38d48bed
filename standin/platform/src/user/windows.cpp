// Window creation and destruction, relations between windows, and the windows' own data.
#include "user_state.h"

#include <algorithm>

using namespace standin;
using namespace standin::user;

namespace {

HWND NewHandle(State& state) {
    return reinterpret_cast<HWND>(
        static_cast<ULONG_PTR>(0x00020000u + 0x10u * state.nextWindowSerial++));
}

void Unlink(State& state, WindowRecord& record) {
    auto remove = [&](std::vector<HWND>& list) {
        list.erase(std::remove(list.begin(), list.end(), record.handle), list.end());
    };
    if (record.messageOnly)
        remove(state.messageOnlyWindows);
    else if (WindowRecord* parent = FindWindowRecord(record.parent))
        remove(parent->children);
}

// Frees the record after its WM_NCDESTROY; children go first.
void FinalDestroy(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record)
        return;
    std::vector<HWND> children = record->children;
    for (HWND child : children)
        FinalDestroy(child);
    Send(window, WM_NCDESTROY, 0, 0);
    State& state = UserState();
    record = FindWindowRecord(window);
    if (!record)
        return;
    Unlink(state, *record);
    if (record->windowClass)
        --record->windowClass->liveWindows;
    ForgetInputState(window);
    DropQueuedMessagesFor(window);
    state.windows.erase(window);
}

// WM_DESTROY goes to the window first, then down to its children.
void SendDestroy(HWND window) {
    if (!FindWindowRecord(window))
        return;
    ForgetInputState(window);
    Send(window, WM_DESTROY, 0, 0);
    WindowRecord* record = FindWindowRecord(window);
    if (!record)
        return;
    std::vector<HWND> children = record->children;
    for (HWND child : children)
        SendDestroy(child);
}

void MarkDestroying(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record)
        return;
    record->destroying = true;
    for (HWND child : record->children)
        MarkDestroying(child);
}

std::vector<HWND> OwnedWindows(HWND owner) {
    std::vector<HWND> owned;
    for (auto& entry : UserState().windows)
        if (entry.second->owner == owner && !entry.second->destroying)
            owned.push_back(entry.first);
    return owned;
}

bool MatchesSearch(const WindowRecord& record, LPCWSTR className, LPCWSTR windowName) {
    if (className) {
        NameOrAtom name = ReadNameOrAtom(className);
        if (!record.windowClass)
            return false;
        bool same = name.isAtom ? record.windowClass->atom == name.atom
                                : SameTextNoCase(record.windowClass->name, name.text);
        if (!same)
            return false;
    }
    return !windowName || SameTextNoCase(record.title, ToU16(windowName));
}

const std::vector<HWND>* SearchList(HWND parent) {
    State& state = UserState();
    if (parent == HWND_MESSAGE)
        return &state.messageOnlyWindows;
    WindowRecord* record = parent ? FindWindowRecord(parent) : FindWindowRecord(state.desktop);
    return record ? &record->children : nullptr;
}

bool PropMatches(const WindowProp& prop, const NameOrAtom& key) {
    return key.isAtom ? (prop.atom == key.atom && prop.name.empty())
                      : (prop.atom == 0 && SameTextNoCase(prop.name, key.text));
}

LONG* ExtraLong(WindowRecord& record, int index) {
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG) > record.extraBytes.size())
        return nullptr;
    return reinterpret_cast<LONG*>(record.extraBytes.data() + index);
}

void ChangeStyle(HWND window, int index, DWORD value) {
    WindowRecord* record = FindWindowRecord(window);
    STYLESTRUCT change = {index == GWL_STYLE ? record->style : record->exStyle, value};
    Send(window, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    record = FindWindowRecord(window);
    if (!record)
        return;
    bool wasVisible = (record->style & WS_VISIBLE) != 0;
    if (index == GWL_STYLE)
        record->style = change.styleNew;
    else
        record->exStyle = change.styleNew;
    if (!wasVisible && (record->style & WS_VISIBLE))
        InvalidateWhole(*record, true);
    Send(window, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
}

} // namespace

// Fault injection "CreateWindowExW": an exception code (0xC0000005...) is raised through the
// vectored handlers as a fault inside the call; any other code makes the call fail with that
// last error. The check comes first, before the call holds anything a longjmp could strand.
HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    long fault = 0;
    if (TakeFaultOrRaise("CreateWindowExW", &fault)) {
        SetLastError(static_cast<DWORD>(fault));
        return nullptr;
    }
    State& state = UserState();
    ClassRecord* windowClass = FindClass(className, instance);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    bool messageOnly = parent == HWND_MESSAGE;
    if (!messageOnly && parent && !FindWindowRecord(parent)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    bool child = (style & WS_CHILD) != 0;
    if (child && !parent) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return nullptr;
    }
    if (messageOnly)
        child = false;

    // Top-level windows without a given place get the screen's top-left corner and three
    // quarters of the screen; child windows get zeros.
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : 960;
        height = child ? 0 : 768;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    auto record = std::make_unique<WindowRecord>();
    HWND handle = NewHandle(state);
    record->handle = handle;
    record->windowClass = windowClass;
    record->procedure = windowClass->description.lpfnWndProc;
    record->style = style & ~static_cast<DWORD>(WS_VISIBLE);
    record->exStyle = exStyle;
    record->instance = instance;
    record->id = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(menu));
    record->extraBytes.assign(static_cast<size_t>(windowClass->description.cbWndExtra), 0);
    record->rect = RECT{x, y, x + width, y + height};
    record->messageOnly = messageOnly;
    if (messageOnly) {
        state.messageOnlyWindows.insert(state.messageOnlyWindows.begin(), handle);
    } else if (child) {
        record->parent = parent;
    } else {
        record->parent = state.desktop;
        record->owner = parent ? RootWindow(parent) : nullptr;
    }
    if (WindowRecord* parentRecord = FindWindowRecord(record->parent))
        parentRecord->children.insert(parentRecord->children.begin(), handle);
    ++windowClass->liveWindows;
    state.windows[handle] = std::move(record);

    CREATESTRUCTW create = {param,     instance, menu, messageOnly ? nullptr : parent, height,
                            width,     y,        x,    static_cast<LONG>(style),       windowName,
                            className, exStyle};
    if (!Send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        MarkDestroying(handle);
        FinalDestroy(handle);
        return nullptr;
    }
    if (Send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    WindowRecord* created = FindWindowRecord(handle);
    if (!created)
        return nullptr;
    RECT client = ClientRectOf(*created);
    Send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    created = FindWindowRecord(handle);
    if (!created)
        return nullptr;
    POINT origin = ClientOriginInParent(*created);
    Send(handle, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    if ((style & WS_VISIBLE) && FindWindowRecord(handle))
        ShowWindow(handle, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return FindWindowRecord(handle) ? handle : nullptr;
}

// Owned windows go first; then WM_DESTROY from the window down, WM_NCDESTROY from the deepest
// child up. Messages queued for the destroyed windows are dropped.
BOOL WINAPI DestroyWindow(HWND window) {
    State& state = UserState();
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (window == state.desktop) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (record->destroying)
        return TRUE;
    record->destroying = true;
    for (HWND owned : OwnedWindows(window))
        DestroyWindow(owned);
    record = FindWindowRecord(window);
    if (record && (record->style & WS_VISIBLE))
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    MarkDestroying(window);
    SendDestroy(window);
    FinalDestroy(window);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND window) {
    return FindWindowRecord(window) != nullptr;
}

HWND WINAPI GetParent(HWND window) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return nullptr;
    if (record->style & WS_CHILD)
        return record->parent;
    if (record->style & WS_POPUP)
        return record->owner;
    return nullptr;
}

// The window keeps its coordinates, now read in the new parent's client area; its styles are
// the caller's business, as on Windows.
HWND WINAPI SetParent(HWND window, HWND newParent) {
    State& state = UserState();
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return nullptr;
    if (!newParent)
        newParent = state.desktop;
    if (!WindowOrError(newParent))
        return nullptr;
    if (window == state.desktop || IsDescendant(newParent, window)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HWND previous = record->messageOnly ? HWND_MESSAGE : record->parent;
    Unlink(state, *record);
    record->messageOnly = false;
    record->parent = newParent;
    FindWindowRecord(newParent)->children.insert(FindWindowRecord(newParent)->children.begin(),
                                                 window);
    return previous;
}

BOOL WINAPI IsChild(HWND parent, HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    while (record && (record->style & WS_CHILD)) {
        if (record->parent == parent)
            return TRUE;
        record = FindWindowRecord(record->parent);
    }
    return FALSE;
}

// Searches the children of `parent` (null: the top-level windows; HWND_MESSAGE: the
// message-only ones) from the top of the z-order, after `childAfter` when given. Class and
// title compare without regard to case; a null one matches every window.
HWND WINAPI FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName) {
    const std::vector<HWND>* list = SearchList(parent);
    if (!list) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::vector<HWND> candidates = *list;
    auto start = candidates.begin();
    if (childAfter) {
        start = std::find(candidates.begin(), candidates.end(), childAfter);
        if (start == candidates.end()) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        ++start;
    }
    for (auto it = start; it != candidates.end(); ++it) {
        WindowRecord* record = FindWindowRecord(*it);
        if (record && !record->destroying && MatchesSearch(*record, className, windowName))
            return *it;
    }
    return nullptr;
}

LONG WINAPI GetWindowLongW(HWND window, int index) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return 0;
    switch (index) {
    case GWL_WNDPROC:
        return static_cast<LONG>(reinterpret_cast<ULONG_PTR>(record->procedure));
    case GWL_HINSTANCE:
        return static_cast<LONG>(reinterpret_cast<ULONG_PTR>(record->instance));
    case GWL_HWNDPARENT:
        return static_cast<LONG>(reinterpret_cast<ULONG_PTR>(
            (record->style & WS_CHILD) ? record->parent : record->owner));
    case GWL_STYLE:
        return static_cast<LONG>(record->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(record->exStyle);
    case GWL_USERDATA:
        return record->userData;
    case GWL_ID:
        return record->id;
    default:
        if (LONG* extra = ExtraLong(*record, index))
            return *extra;
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG WINAPI SetWindowLongW(HWND window, int index, LONG value) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return 0;
    LONG previous = 0;
    switch (index) {
    case GWL_WNDPROC:
        previous = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(record->procedure));
        record->procedure = reinterpret_cast<WNDPROC>(static_cast<ULONG_PTR>(value));
        return previous;
    case GWL_HINSTANCE:
        previous = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(record->instance));
        record->instance = reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(value));
        return previous;
    case GWL_HWNDPARENT:
        previous = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(record->owner));
        record->owner = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value));
        return previous;
    case GWL_STYLE:
    case GWL_EXSTYLE:
        previous = static_cast<LONG>(index == GWL_STYLE ? record->style : record->exStyle);
        ChangeStyle(window, index, static_cast<DWORD>(value));
        return previous;
    case GWL_USERDATA:
        previous = record->userData;
        record->userData = value;
        return previous;
    case GWL_ID:
        previous = record->id;
        record->id = value;
        return previous;
    default:
        if (LONG* extra = ExtraLong(*record, index)) {
            previous = *extra;
            *extra = value;
            return previous;
        }
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

BOOL WINAPI SetPropW(HWND window, LPCWSTR key, HANDLE data) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (!key) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    NameOrAtom name = ReadNameOrAtom(key);
    for (WindowProp& prop : record->props) {
        if (PropMatches(prop, name)) {
            prop.data = data;
            return TRUE;
        }
    }
    record->props.push_back(WindowProp{name.text, name.isAtom ? name.atom : WORD(0), data});
    return TRUE;
}

HANDLE WINAPI GetPropW(HWND window, LPCWSTR key) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record || !key)
        return nullptr;
    NameOrAtom name = ReadNameOrAtom(key);
    for (const WindowProp& prop : record->props)
        if (PropMatches(prop, name))
            return prop.data;
    return nullptr;
}

HANDLE WINAPI RemovePropW(HWND window, LPCWSTR key) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record || !key)
        return nullptr;
    NameOrAtom name = ReadNameOrAtom(key);
    for (auto it = record->props.begin(); it != record->props.end(); ++it) {
        if (PropMatches(*it, name)) {
            HANDLE data = it->data;
            record->props.erase(it);
            return data;
        }
    }
    return nullptr;
}

// The text goes through the window's procedure (WM_SETTEXT / WM_GETTEXT), which DefWindowProcW
// answers from the stored title.
BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text) {
    if (!WindowOrError(window))
        return FALSE;
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

int WINAPI GetWindowTextW(HWND window, LPWSTR text, int capacity) {
    if (!WindowOrError(window) || !text || capacity <= 0)
        return 0;
    text[0] = 0;
    return static_cast<int>(
        Send(window, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(text)));
}

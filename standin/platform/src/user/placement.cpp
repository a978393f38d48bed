// Moving, sizing, stacking, showing and enabling windows.
#include "user_state.h"

#include <algorithm>

using namespace standin;
using namespace standin::user;

namespace {

bool IsTopLevel(const WindowRecord& record) {
    return !(record.style & WS_CHILD) && !record.messageOnly;
}

void Restack(WindowRecord& record, HWND insertAfter) {
    WindowRecord* parent = FindWindowRecord(record.parent);
    if (!parent)
        return;
    std::vector<HWND>& siblings = parent->children;
    if (insertAfter == HWND_TOPMOST && IsTopLevel(record))
        record.exStyle |= WS_EX_TOPMOST;
    if (insertAfter == HWND_NOTOPMOST)
        record.exStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
    if (insertAfter == record.handle)
        return;
    if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST &&
        insertAfter != HWND_BOTTOM &&
        std::find(siblings.begin(), siblings.end(), insertAfter) == siblings.end())
        return; // not a sibling: the order stays
    siblings.erase(std::remove(siblings.begin(), siblings.end(), record.handle), siblings.end());
    if (insertAfter == HWND_BOTTOM) {
        siblings.push_back(record.handle);
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST ||
               insertAfter == HWND_NOTOPMOST) {
        siblings.insert(siblings.begin(), record.handle);
    } else {
        auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
        siblings.insert(after + 1, record.handle);
    }
}

bool ShowCommandValid(int command) {
    return command >= SW_HIDE && command <= SW_FORCEMINIMIZE;
}

} // namespace

// A change of position or size reaches the window as WM_WINDOWPOSCHANGING (which may amend it)
// and WM_WINDOWPOSCHANGED, which DefWindowProcW turns into WM_MOVE and WM_SIZE. A position or
// size equal to the current one counts as unchanged (SWP_NOMOVE / SWP_NOSIZE added), so nothing
// is reported for it; when nothing changed at all (place, size, stacking, visibility, frame)
// WM_WINDOWPOSCHANGED is not sent, as on Windows. Without SWP_NOACTIVATE a top-level window
// becomes the foreground window.
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags) {
    State& state = UserState();
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (window == state.desktop) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (record->rect.left == x && record->rect.top == y)
        flags |= SWP_NOMOVE;
    if (record->rect.right - record->rect.left == width &&
        record->rect.bottom - record->rect.top == height)
        flags |= SWP_NOSIZE;
    bool visible = (record->style & WS_VISIBLE) != 0;
    if ((flags & SWP_SHOWWINDOW) && visible)
        flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !visible)
        flags &= ~SWP_HIDEWINDOW;

    WINDOWPOS position = {window, insertAfter, x, y, width, height, flags};
    if (!(flags & SWP_NOSENDCHANGING)) {
        Send(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
        record = FindWindowRecord(window);
        if (!record)
            return FALSE;
    }

    RECT old = record->rect;
    LONG oldWidth = old.right - old.left;
    LONG oldHeight = old.bottom - old.top;
    RECT updated = old;
    if (!(position.flags & SWP_NOMOVE)) {
        updated.left = position.x;
        updated.top = position.y;
    }
    LONG newWidth = (position.flags & SWP_NOSIZE) ? oldWidth : std::max(position.cx, 0);
    LONG newHeight = (position.flags & SWP_NOSIZE) ? oldHeight : std::max(position.cy, 0);
    updated.right = updated.left + newWidth;
    updated.bottom = updated.top + newHeight;
    record->rect = updated;
    if (updated.left == old.left && updated.top == old.top)
        position.flags |= SWP_NOMOVE;
    if (newWidth == oldWidth && newHeight == oldHeight)
        position.flags |= SWP_NOSIZE;

    bool restacked = false;
    if (!(position.flags & SWP_NOZORDER)) {
        WindowRecord* parent = FindWindowRecord(record->parent);
        std::vector<HWND> before = parent ? parent->children : std::vector<HWND>();
        Restack(*record, position.hwndInsertAfter);
        restacked = parent && parent->children != before;
    }
    if (position.flags & SWP_SHOWWINDOW) {
        record->style |= WS_VISIBLE;
        InvalidateWhole(*record, true);
    }
    if (position.flags & SWP_HIDEWINDOW)
        record->style &= ~static_cast<DWORD>(WS_VISIBLE);
    if (!(position.flags & SWP_NOSIZE) && !(position.flags & SWP_NOREDRAW)) {
        UINT classStyle = record->windowClass ? record->windowClass->description.style : 0;
        bool grew = newWidth > oldWidth || newHeight > oldHeight;
        if (grew || (classStyle & (CS_HREDRAW | CS_VREDRAW)))
            InvalidateWhole(*record, true);
    }
    bool activate = !(position.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && IsTopLevel(*record) &&
                    (record->style & WS_VISIBLE);

    const UINT unchanged = SWP_NOMOVE | SWP_NOSIZE;
    const UINT statusChanges = SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED;
    if ((position.flags & unchanged) != unchanged || (position.flags & statusChanges) || restacked)
        Send(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
    if (activate && FindWindowRecord(window))
        SetForegroundWindow(window);
    return TRUE;
}

// WM_SHOWWINDOW precedes a change of visibility. Minimised and maximised states are kept as the
// WS_MINIMIZE / WS_MAXIMIZE bits only: the stand-in does not move the window for them.
BOOL WINAPI ShowWindow(HWND window, int command) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (!ShowCommandValid(command)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool wasVisible = (record->style & WS_VISIBLE) != 0;
    const DWORD sizeState = WS_MINIMIZE | WS_MAXIMIZE;
    switch (command) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
        record->style = (record->style & ~sizeState) | WS_MINIMIZE;
        break;
    case SW_SHOWMAXIMIZED:
        record->style = (record->style & ~sizeState) | WS_MAXIMIZE;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        record->style &= ~sizeState;
        break;
    default:
        break;
    }

    UINT flags = SWP_NOSIZE | SWP_NOMOVE;
    if (record->style & WS_CHILD)
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    if (command == SW_HIDE) {
        if (!wasVisible)
            return FALSE;
        if (window != GetActiveWindow())
            flags |= SWP_NOACTIVATE | SWP_NOZORDER;
        Send(window, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(window, nullptr, 0, 0, 0, 0, flags | SWP_HIDEWINDOW);
        return TRUE;
    }
    if (command == SW_SHOWNA || command == SW_SHOWNOACTIVATE || command == SW_SHOWMINNOACTIVE ||
        command == SW_MINIMIZE || command == SW_FORCEMINIMIZE)
        flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    if (!wasVisible) {
        Send(window, WM_SHOWWINDOW, TRUE, 0);
        if (!FindWindowRecord(window))
            return FALSE;
    }
    SetWindowPos(window, nullptr, 0, 0, 0, 0, flags | SWP_SHOWWINDOW);
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND window) {
    State& state = UserState();
    WindowRecord* record = FindWindowRecord(window);
    if (!record)
        return FALSE;
    for (; record; record = FindWindowRecord(record->parent)) {
        if (!(record->style & WS_VISIBLE))
            return FALSE;
        if (record->handle == state.desktop || !(record->style & WS_CHILD))
            break;
    }
    return TRUE;
}

BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    bool wasDisabled = (record->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        record->style &= ~static_cast<DWORD>(WS_DISABLED);
        Send(window, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        record->style |= WS_DISABLED;
        if (IsDescendant(GetFocus(), window))
            SetFocus(nullptr);
        Send(window, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    return record && !(record->style & WS_DISABLED);
}

// Only windows with WS_EX_LAYERED take layered attributes (ERROR_INVALID_PARAMETER otherwise).
BOOL WINAPI SetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (!(record->exStyle & WS_EX_LAYERED) ||
        (flags & ~static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    record->layered = true;
    record->layeredKey = key;
    record->layeredAlpha = alpha;
    record->layeredFlags = flags;
    return TRUE;
}

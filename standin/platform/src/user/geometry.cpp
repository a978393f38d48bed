// System metrics, non-client borders, client rectangles and coordinate mapping.
#include "user_state.h"

#include <algorithm>

using namespace standin;
using namespace standin::user;

namespace {

POINT OriginOf(HWND window) {
    State& state = UserState();
    if (!window || window == state.desktop)
        return POINT{0, 0};
    return ClientOriginOnScreen(window);
}

} // namespace

// A 1280 x 1024 single-monitor desktop with the classic (non-themed) border sizes.
int WINAPI GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN:
        return 1280;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
        return 1024;
    case SM_CYFULLSCREEN:
        return 1024 - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_MOUSEPRESENT:
    case SM_CMONITORS:
        return 1;
    default:
        return 0;
    }
}

namespace standin {
namespace user {

// The outer frame: a dialog frame (modal-frame extended style, WS_DLGFRAME or a sizing frame)
// is a raised edge plus a line; a static edge alone is one line; a sizing frame adds the
// difference between the sizing and the dialog frame. A client edge lies inside the frame.
// The caption and a top-level window's menu bar add to the top, scroll bars to the right and
// bottom. The metrics are equal on both axes.
RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu) {
    const int line = GetSystemMetrics(SM_CXBORDER);
    int frame = 0;
    bool dialogFrame = (exStyle & WS_EX_DLGMODALFRAME) || (style & (WS_DLGFRAME | WS_THICKFRAME));
    if (dialogFrame)
        frame = GetSystemMetrics(SM_CXDLGFRAME) - line;
    else if (exStyle & WS_EX_STATICEDGE)
        frame = line;
    if (style & WS_THICKFRAME)
        frame += GetSystemMetrics(SM_CXFRAME) - GetSystemMetrics(SM_CXDLGFRAME);
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME))
        frame += line;
    if (exStyle & WS_EX_CLIENTEDGE)
        frame += GetSystemMetrics(SM_CXEDGE);

    RECT insets = {frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION)
        insets.top += GetSystemMetrics(SM_CYCAPTION);
    if (hasMenu)
        insets.top += GetSystemMetrics(SM_CYMENU);
    if (style & WS_VSCROLL)
        insets.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        insets.bottom += GetSystemMetrics(SM_CYHSCROLL);
    return insets;
}

// A window's own insets, as its default WM_NCCALCSIZE takes them: a client edge is taken only
// from a window whose area inside its frame, caption and menu is larger than both edges.
RECT InsetsOf(const WindowRecord& window) {
    if (window.handle == UserState().desktop)
        return RECT{0, 0, 0, 0};
    bool hasMenu = !(window.style & WS_CHILD) && !window.messageOnly && window.id != 0;
    const DWORD scrollBars = WS_VSCROLL | WS_HSCROLL;
    RECT insets =
        NonClientInsets(window.style & ~scrollBars, window.exStyle & ~WS_EX_CLIENTEDGE, hasMenu);
    const int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    if ((window.exStyle & WS_EX_CLIENTEDGE) &&
        window.rect.right - window.rect.left - insets.left - insets.right > 2 * edgeX &&
        window.rect.bottom - window.rect.top - insets.top - insets.bottom > 2 * edgeY) {
        insets.left += edgeX;
        insets.right += edgeX;
        insets.top += edgeY;
        insets.bottom += edgeY;
    }
    const RECT bars = NonClientInsets(window.style & scrollBars, 0, false);
    insets.right += bars.right;
    insets.bottom += bars.bottom;
    return insets;
}

RECT ClientRectOf(const WindowRecord& window) {
    RECT insets = InsetsOf(window);
    LONG width = window.rect.right - window.rect.left - insets.left - insets.right;
    LONG height = window.rect.bottom - window.rect.top - insets.top - insets.bottom;
    return RECT{0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
}

POINT ClientOriginInParent(const WindowRecord& window) {
    RECT insets = InsetsOf(window);
    return POINT{window.rect.left + insets.left, window.rect.top + insets.top};
}

POINT ClientOriginOnScreen(HWND window) {
    State& state = UserState();
    WindowRecord* record = FindWindowRecord(window);
    if (!record || window == state.desktop)
        return POINT{0, 0};
    POINT origin = ClientOriginInParent(*record);
    if (record->parent && record->parent != state.desktop) {
        POINT parentOrigin = ClientOriginOnScreen(record->parent);
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    return origin;
}

} // namespace user
} // namespace standin

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *rect = ClientRectOf(*record);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
    State& state = UserState();
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return FALSE;
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *rect = record->rect;
    if (record->parent && record->parent != state.desktop) {
        POINT origin = ClientOriginOnScreen(record->parent);
        rect->left += origin.x;
        rect->right += origin.x;
        rect->top += origin.y;
        rect->bottom += origin.y;
    }
    return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
    if ((from && !WindowOrError(from)) || (to && !WindowOrError(to)))
        return 0;
    POINT origin = OriginOf(from);
    POINT target = OriginOf(to);
    LONG dx = origin.x - target.x;
    LONG dy = origin.y - target.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL WINAPI ClientToScreen(HWND window, LPPOINT point) {
    if (!WindowOrError(window) || !point)
        return FALSE;
    MapWindowPoints(window, nullptr, point, 1);
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, LPPOINT point) {
    if (!WindowOrError(window) || !point)
        return FALSE;
    MapWindowPoints(nullptr, window, point, 1);
    return TRUE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT insets = NonClientInsets(style, exStyle, menu != FALSE);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

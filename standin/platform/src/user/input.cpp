// Cursors, mouse capture, keyboard focus and window activation.
#include "user_state.h"

#include <algorithm>

using namespace standin;
using namespace standin::user;

namespace {

const WORD kStandardCursors[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                                 32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};

struct ActivationChange {
    explicit ActivationChange(State& state) : state(state) { state.changingActivation = true; }
    ~ActivationChange() { state.changingActivation = false; }
    State& state;
};

struct FocusChange {
    explicit FocusChange(State& state) : state(state) { state.changingFocus = true; }
    ~FocusChange() { state.changingFocus = false; }
    State& state;
};

} // namespace

namespace standin {
namespace user {

HCURSOR StandardCursorHandle(LPCWSTR id) {
    if (!IS_INTRESOURCE(id))
        return nullptr;
    WORD number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id));
    for (WORD known : kStandardCursors)
        if (known == number)
            return reinterpret_cast<HCURSOR>(static_cast<ULONG_PTR>(0x00050000u + number));
    return nullptr;
}

void ForgetInputState(HWND window) {
    State& state = UserState();
    if (state.focus && IsDescendant(state.focus, window))
        state.focus = nullptr;
    if (state.capture && IsDescendant(state.capture, window))
        state.capture = nullptr;
    if (state.active == window)
        state.active = nullptr;
    if (state.foreground == window)
        state.foreground = nullptr;
}

} // namespace user
} // namespace standin

// Only the system's standard cursors exist: a module's own cursor resources are not found.
HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    HCURSOR cursor = instance ? nullptr : StandardCursorHandle(name);
    if (!cursor)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return cursor;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    State& state = UserState();
    HCURSOR previous = state.cursor;
    state.cursor = cursor;
    ++state.setCursorCalls;
    return previous;
}

HWND WINAPI SetCapture(HWND window) {
    State& state = UserState();
    ++state.setCaptureCalls;
    if (window && !WindowOrError(window))
        return nullptr;
    HWND previous = state.capture;
    state.capture = window;
    if (previous && previous != window)
        Send(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
    return previous;
}

BOOL WINAPI ReleaseCapture() {
    State& state = UserState();
    ++state.releaseCaptureCalls;
    HWND previous = state.capture;
    state.capture = nullptr;
    if (previous)
        Send(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture() {
    return UserState().capture;
}

// Focusing a window activates its top-level window first (whose default activation focuses
// it); then WM_KILLFOCUS goes to the window losing the focus and WM_SETFOCUS to the new one.
HWND WINAPI SetFocus(HWND window) {
    State& state = UserState();
    if (window && !WindowOrError(window))
        return nullptr;
    if (window) {
        HWND root = RootWindow(window);
        if (root && root != state.active && root != state.desktop)
            SetActiveWindow(root);
    }
    HWND previous = state.focus;
    if (previous == window)
        return previous;
    state.focus = window;
    if (state.changingFocus) // as for activation: no ping-pong between two procedures
        return previous;
    FocusChange change(state);
    if (previous)
        Send(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (window && state.focus == window)
        Send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND WINAPI GetFocus() {
    return UserState().focus;
}

HWND WINAPI SetActiveWindow(HWND window) {
    State& state = UserState();
    if (window && !WindowOrError(window))
        return nullptr;
    HWND root = window ? RootWindow(window) : nullptr;
    HWND previous = state.active;
    if (previous == root)
        return previous;
    state.active = root;
    // A procedure that activates a window while hearing of an activation gets the change
    // without further messages, so two windows cannot hand the activation back and forth.
    if (state.changingActivation)
        return previous;
    ActivationChange change(state);
    if (previous)
        Send(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(root));
    if (root && state.active == root)
        Send(root, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    return previous;
}

HWND WINAPI GetActiveWindow() {
    return UserState().active;
}

BOOL WINAPI SetForegroundWindow(HWND window) {
    State& state = UserState();
    if (!WindowOrError(window))
        return FALSE;
    HWND root = RootWindow(window);
    state.foreground = root;
    SetActiveWindow(root);
    return TRUE;
}

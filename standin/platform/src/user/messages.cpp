// Sending, posting, retrieving and dispatching messages; the default window procedure.
#include "user_state.h"

#include <algorithm>

using namespace standin;
using namespace standin::user;

namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(-1);

bool InRange(UINT message, UINT first, UINT last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool ForWindow(HWND target, HWND filter) {
    if (!filter)
        return true;
    if (filter == kThreadMessagesOnly)
        return target == nullptr;
    return target == filter || IsChild(filter, target);
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State& state = UserState();
    MSG msg = {window, message, wParam, lParam, static_cast<DWORD>(NowMs()), state.cursorPosition};
    return msg;
}

// Takes the next message for the filter: posted messages first, then the quit request (when
// `includeQuit`), then a WM_PAINT owed to a visible window with a pending update region. Windows
// listed in `paintedAlready` get no further WM_PAINT.
bool Retrieve(MSG* out, HWND filter, UINT first, UINT last, bool remove, bool includeQuit,
              const std::vector<HWND>* paintedAlready) {
    State& state = UserState();
    for (auto it = state.posted.begin(); it != state.posted.end(); ++it) {
        if (!ForWindow(it->hwnd, filter) || !InRange(it->message, first, last))
            continue;
        *out = *it;
        if (remove)
            state.posted.erase(it);
        state.lastMessageTime = out->time;
        return true;
    }
    if (includeQuit && state.quitPosted && (!filter || filter == kThreadMessagesOnly) &&
        InRange(WM_QUIT, first, last)) {
        *out = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(state.quitCode), 0);
        if (remove)
            state.quitPosted = false;
        return true;
    }
    if (!InRange(WM_PAINT, first, last) || filter == kThreadMessagesOnly)
        return false;
    for (auto& entry : state.windows) {
        WindowRecord& record = *entry.second;
        if (!record.updatePending || !record.paintOwed || !ForWindow(record.handle, filter) ||
            !IsWindowVisible(record.handle))
            continue;
        if (paintedAlready && std::find(paintedAlready->begin(), paintedAlready->end(),
                                        record.handle) != paintedAlready->end())
            continue;
        *out = MakeMessage(record.handle, WM_PAINT, 0, 0);
        if (remove)
            record.paintOwed = false;
        return true;
    }
    return false;
}

WCHAR CharacterForKey(WPARAM key) {
    if (key >= 'A' && key <= 'Z')
        return static_cast<WCHAR>(key - 'A' + 'a');
    if (key >= '0' && key <= '9')
        return static_cast<WCHAR>(key);
    switch (key) {
    case VK_SPACE:
        return L' ';
    case VK_RETURN:
        return L'\r';
    case VK_ESCAPE:
        return 0x1B;
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return L'\t';
    default:
        return 0;
    }
}

std::vector<HWND> TopLevelWindows() {
    State& state = UserState();
    return FindWindowRecord(state.desktop)->children;
}

LRESULT EraseWithClassBrush(HWND window, HDC dc) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record || !record->windowClass || !record->windowClass->description.hbrBackground)
        return 0;
    RECT client = ClientRectOf(*record);
    FillRect(dc, &client, record->windowClass->description.hbrBackground);
    return 1;
}

} // namespace

namespace standin {
namespace user {

LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      bool posted) {
    State& state = UserState();
    if (state.tracing)
        state.trace.push_back(TracedMessage{window, message, wParam, lParam, posted});
    if (!procedure)
        procedure = DefWindowProcW;
    return procedure(window, message, wParam, lParam);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record || window == UserState().desktop)
        return 0;
    return CallProcedure(record->procedure, window, message, wParam, lParam, false);
}

void DropQueuedMessagesFor(HWND window) {
    auto& posted = UserState().posted;
    posted.erase(std::remove_if(posted.begin(), posted.end(),
                                [window](const MSG& msg) { return msg.hwnd == window; }),
                 posted.end());
}

} // namespace user

int PumpMessages(int limit) {
    NotifyTimePassed(); // running graphs notice their end as a message loop turns
    std::vector<HWND> painted;
    int dispatched = 0;
    MSG msg;
    while (dispatched < limit && Retrieve(&msg, nullptr, 0, 0, true, false, &painted)) {
        if (msg.message == WM_PAINT)
            painted.push_back(msg.hwnd);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++dispatched;
    }
    return dispatched;
}

} // namespace standin

LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == HWND_BROADCAST) {
        for (HWND topLevel : TopLevelWindows())
            Send(topLevel, message, wParam, lParam);
        return 0;
    }
    if (!WindowOrError(window))
        return 0;
    return Send(window, message, wParam, lParam);
}

// A null window posts a thread message. Fault injection "PostMessageW": the post fails with the
// injected last error and nothing is queued.
BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    long fault = 0;
    if (TakeFault("PostMessageW", &fault)) {
        SetLastError(static_cast<DWORD>(fault));
        return FALSE;
    }
    State& state = UserState();
    if (window == HWND_BROADCAST) {
        for (HWND topLevel : TopLevelWindows())
            state.posted.push_back(MakeMessage(topLevel, message, wParam, lParam));
        return TRUE;
    }
    if (window && !WindowOrError(window))
        return FALSE;
    state.posted.push_back(MakeMessage(window, message, wParam, lParam));
    return TRUE;
}

BOOL WINAPI PeekMessageW(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
    if (!msg)
        return FALSE;
    standin::NotifyTimePassed();
    return Retrieve(msg, window, first, last, (remove & PM_REMOVE) != 0, true, nullptr);
}

BOOL WINAPI GetMessageW(LPMSG msg, HWND window, UINT first, UINT last) {
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    standin::NotifyTimePassed();
    if (!Retrieve(msg, window, first, last, true, true, nullptr)) {
        SetLastError(ERROR_TIMEOUT);
        return -1;
    }
    return msg->message != WM_QUIT;
}

// Key presses become characters for letters (lower case: the stand-in keeps no shift state),
// digits, space, return, escape, backspace and tab; the character is queued ahead of the rest.
BOOL WINAPI TranslateMessage(const MSG* msg) {
    if (!msg)
        return FALSE;
    UINT message = msg->message;
    if (message != WM_KEYDOWN && message != WM_KEYUP && message != WM_SYSKEYDOWN &&
        message != WM_SYSKEYUP)
        return FALSE;
    WCHAR character = CharacterForKey(msg->wParam);
    if (character && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
        MSG translated = *msg;
        translated.message = message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        translated.wParam = character;
        UserState().posted.push_front(translated);
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* msg) {
    if (!msg || !msg->hwnd)
        return 0;
    WindowRecord* record = WindowOrError(msg->hwnd);
    if (!record)
        return 0;
    return CallProcedure(record->procedure, msg->hwnd, msg->message, msg->wParam, msg->lParam,
                         true);
}

LRESULT WINAPI CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam) {
    if (!procedure)
        return 0;
    return procedure(window, message, wParam, lParam);
}

// The quit request is a flag, not a queued message: it is retrieved once the posted messages
// matching the filter are gone.
void WINAPI PostQuitMessage(int exitCode) {
    State& state = UserState();
    state.quitPosted = true;
    state.quitCode = exitCode;
}

LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record)
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName))
            record->title = ToU16(create->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        record->title =
            IS_INTRESOURCE(lParam) ? std::u16string() : ToU16(reinterpret_cast<LPCWSTR>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return CopyOut(record->title, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(record->title.size());
    case WM_WINDOWPOSCHANGED: {
        auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!position)
            return 0;
        if (!(position->flags & SWP_NOMOVE)) {
            POINT origin = ClientOriginInParent(*record);
            Send(window, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
        }
        record = FindWindowRecord(window);
        if (record && !(position->flags & SWP_NOSIZE)) {
            RECT client = ClientRectOf(*record);
            WPARAM kind = (record->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                          : (record->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                          : SIZE_RESTORED;
            Send(window, WM_SIZE, kind, MAKELPARAM(client.right, client.bottom));
        }
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(window, &paint))
            EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return EraseWithClassBrush(window, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && record->windowClass &&
            record->windowClass->description.hCursor) {
            SetCursor(record->windowClass->description.hCursor);
            return TRUE;
        }
        return FALSE;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(record->style & WS_MINIMIZE))
            SetFocus(window);
        return 0;
    default:
        return 0;
    }
}

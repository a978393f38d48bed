// Internal state of the user-interface stand-in, shared by the files of this area.
#pragma once

#include <windows.h>

#include "standin/inspect_user.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace standin {
namespace user {

// Text ---------------------------------------------------------------------------------------

std::u16string ToU16(LPCWSTR text); // empty for null
LPCWSTR AsWide(const std::u16string& text);
// Equality ignoring case for ASCII and Latin-1 letters, as class names, titles and prop names
// compare on Windows.
bool SameTextNoCase(const std::u16string& a, const std::u16string& b);
// Copies at most capacity - 1 units and terminates; answers the units copied.
int CopyOut(const std::u16string& text, LPWSTR buffer, int capacity);

// A class name or prop key: text, or an atom passed as MAKEINTATOM.
struct NameOrAtom {
    bool isAtom = false;
    WORD atom = 0;
    std::u16string text;
};
NameOrAtom ReadNameOrAtom(LPCWSTR name);

// Classes ------------------------------------------------------------------------------------

struct ClassRecord {
    std::u16string name;
    ATOM atom = 0;
    WNDCLASSEXW description = {}; // the menu name and class name pointers point at the copies below
    std::u16string menuName;
    int liveWindows = 0;
};

// The class CreateWindowExW uses for (name or atom, instance); null when none matches.
ClassRecord* FindClass(LPCWSTR name, HINSTANCE instance);

// Windows ------------------------------------------------------------------------------------

struct WindowRecord {
    HWND handle = nullptr;
    ClassRecord* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr; // the desktop for a top-level window, null for a message-only one
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    LONG id = 0; // child id, or the menu of a top-level window
    LONG userData = 0;
    std::vector<BYTE> extraBytes;
    RECT rect = {}; // in the parent's client coordinates
    std::u16string title;
    std::vector<WindowProp> props;
    std::vector<HWND> children; // top of the z-order first
    bool messageOnly = false;
    bool destroying = false;
    // Painting: an update region (kept as its bounding rectangle) and whether the queue still
    // owes the window a WM_PAINT for it.
    bool updatePending = false;
    bool eraseNeeded = false;
    bool paintOwed = false;
    RECT updateRect = {};
    // Layered attributes, once set.
    bool layered = false;
    COLORREF layeredKey = 0;
    BYTE layeredAlpha = 0;
    DWORD layeredFlags = 0;
};

struct DeviceContext {
    HWND window;
    bool paintCycle; // from BeginPaint (else GetDC)
};

struct State {
    std::vector<std::unique_ptr<ClassRecord>> classes;
    ATOM nextAtom = 0xC000;

    std::map<HWND, std::unique_ptr<WindowRecord>> windows; // the desktop included
    HWND desktop = nullptr;
    std::vector<HWND> messageOnlyWindows;
    unsigned nextWindowSerial = 1;

    std::deque<MSG> posted;
    bool quitPosted = false;
    int quitCode = 0;
    DWORD lastMessageTime = 0;
    bool tracing = false;
    std::vector<TracedMessage> trace;

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND foreground = nullptr;
    HWND capture = nullptr;
    bool changingActivation = false;
    bool changingFocus = false;

    HCURSOR cursor = nullptr;
    int cursorDisplayCount = 0;
    POINT cursorPosition = {0, 0};
    int setCursorCalls = 0;
    int setCaptureCalls = 0;
    int releaseCaptureCalls = 0;

    std::vector<MessageBoxRecord> messageBoxes;
    std::deque<int> messageBoxScript;

    std::map<HDC, DeviceContext> deviceContexts;
    unsigned nextDeviceContextSerial = 1;
    std::map<HBRUSH, COLORREF> createdBrushes;
    unsigned nextBrushSerial = 1;
    std::vector<FillRecord> fills;
};

// The area's state; the first call registers its reset with standin::ResetPlatform.
State& UserState();

WindowRecord* FindWindowRecord(HWND window); // null for unknown or null handles
// Like FindWindowRecord, but sets ERROR_INVALID_WINDOW_HANDLE when there is no such window.
WindowRecord* WindowOrError(HWND window);

// The window's top-level ancestor (the window itself when it is top-level).
HWND RootWindow(HWND window);
bool IsDescendant(HWND window, HWND ancestor); // true also for window == ancestor

// Geometry -----------------------------------------------------------------------------------

// Width of the non-client area on each side, from the styles and the fixed system metrics.
RECT NonClientInsets(DWORD style, DWORD exStyle, bool hasMenu);
RECT InsetsOf(const WindowRecord& window);
RECT ClientRectOf(const WindowRecord& window);
POINT ClientOriginInParent(const WindowRecord& window); // what WM_MOVE reports
POINT ClientOriginOnScreen(HWND window);                // (0, 0) for the desktop or null
void InvalidateWhole(WindowRecord& window, bool erase);

// Messages -----------------------------------------------------------------------------------

// Calls the procedure, recording the message while tracing.
LRESULT CallProcedure(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      bool posted);
// Sends to the window's current procedure; 0 when the window does not exist.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DropQueuedMessagesFor(HWND window);

// Cursors and focus --------------------------------------------------------------------------

HCURSOR StandardCursorHandle(LPCWSTR id); // null for an id that is not a standard cursor

// Called as a window is destroyed: focus, activation and capture no longer point at it.
void ForgetInputState(HWND window);

} // namespace user
} // namespace standin

// Test view of the user-interface stand-in: windows, messages, message boxes, cursors, capture,
// painting and COM initialisation. Not included by windows.h; tests and other stand-ins include it.
// Everything here is cleared by standin::ResetPlatform().
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace standin {

// Windows ------------------------------------------------------------------------------------

struct WindowProp {
    std::u16string name; // empty for an atom key
    WORD atom;           // 0 for a text key
    HANDLE data;
};

struct WindowInfo {
    bool exists = false;
    std::u16string className;
    std::u16string title;
    HWND parent = nullptr; // the parent of a child window; null for a top-level one
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    RECT rect = {}; // window rectangle, in the parent's client coordinates (screen for top-level)
    RECT clientRect = {}; // as GetClientRect answers
    bool visible = false; // its own WS_VISIBLE bit
    bool enabled = true;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG userData = 0;
    WNDPROC procedure = nullptr;
    std::vector<WindowProp> props;
    bool paintPending = false; // update region not empty
    bool layered = false;      // SetLayeredWindowAttributes succeeded on it
    COLORREF layeredKey = 0;
    BYTE layeredAlpha = 0;
    DWORD layeredFlags = 0;
};

WindowInfo InspectWindow(HWND window);
// Every live window in creation order (the desktop not included): leak checks.
std::vector<HWND> LiveWindows();
// Children of `parent` (null: top-level windows) from the top of the z-order down.
std::vector<HWND> ChildWindows(HWND parent);

// Messages -----------------------------------------------------------------------------------

// Dispatches queued messages (posted ones first, then paints) until the queue is empty, at most
// `limit` of them; answers how many were dispatched. A pending WM_QUIT is left in place. Each
// window gets at most one WM_PAINT per call, so a procedure that never validates cannot make it
// spin.
int PumpMessages(int limit = 10000);

std::vector<MSG> QueuedMessages(); // posted messages waiting, oldest first
bool QuitPosted();
int QuitExitCode();

// Sent (SendMessageW, and the messages the stand-in sends itself) and dispatched messages are
// recorded while tracing is on.
struct TracedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted; // reached the procedure through DispatchMessageW
};
void TraceMessages(bool on);
std::vector<TracedMessage> MessageTrace();
std::vector<UINT> MessageTrace(HWND window); // just the message codes, in order

// Message boxes ------------------------------------------------------------------------------

struct MessageBoxRecord {
    HWND owner;
    std::u16string text;
    std::u16string caption;
    UINT type;
    int answer;
};
std::vector<MessageBoxRecord> MessageBoxes();
// The next boxes answer these values in order; once the script is used up, each box answers its
// default button (IDOK for MB_OK).
void ScriptMessageBoxAnswers(const std::vector<int>& answers);

// Cursors and capture ------------------------------------------------------------------------

struct CursorState {
    HCURSOR current;  // starts as the standard arrow
    int displayCount; // ShowCursor counter, starts at 0
    HWND capture;
    POINT position;
    int setCursorCalls;
    int setCaptureCalls;
    int releaseCaptureCalls;
};
CursorState Cursor();
HCURSOR StandardCursor(LPCWSTR id); // the handle LoadCursorW(null, id) answers

// Painting -----------------------------------------------------------------------------------

struct FillRecord {
    HWND window; // window of the device context
    RECT rect;
    HBRUSH brush;
    COLORREF color; // the brush's colour
};
std::vector<FillRecord> Fills();
int OpenPaintCycles();    // BeginPaint without EndPaint, GetDC without ReleaseDC
int LiveCreatedBrushes(); // CreateSolidBrush without DeleteObject

// COM ----------------------------------------------------------------------------------------

struct ComState {
    int apartmentCount;    // initialisations not yet matched by CoUninitialize
    int initializeCalls;   // successful CoInitialize/CoInitializeEx calls
    int uninitializeCalls; // every CoUninitialize call
    DWORD model;
    int liveTaskAllocations; // CoTaskMemAlloc blocks not freed
};
ComState Com();

} // namespace standin

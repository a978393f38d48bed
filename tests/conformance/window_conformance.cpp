// Windows as the module makes and moves them, through public calls only: class registration
// rules, client areas that are the window less the frame its styles imply, child rectangles in
// the parent's client coordinates, the messages of SetWindowPos, visibility, window data and
// text. Expectations come from the platform's own metrics (AdjustWindowRectEx, SM_CXEDGE...), so
// the same checks hold whatever border sizes a system uses.
#include <cstdio>
#include <cstring>
#include <vector>

#include "conformance/conformance.h"

namespace {

const WCHAR kClass[] = L"ConformanceWindows";

HWND Create(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent,
            LPCWSTR title = nullptr) {
    return CreateWindowExW(exStyle, conformance::RegisterTestClass(kClass, DefWindowProcW), title,
                           style, x, y, width, height, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        return FALSE;
    return DefWindowProcW(window, message, wParam, lParam);
}

// The messages of a move or size that a window procedure sees, with their lParam for WM_MOVE
// and WM_SIZE; every other message goes by unrecorded.
struct Seen {
    UINT message;
    LPARAM lParam;
};
std::vector<Seen> seen;

LRESULT CALLBACK RecordPlacement(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING || message == WM_WINDOWPOSCHANGED)
        seen.push_back(Seen{message, 0});
    if (message == WM_MOVE || message == WM_SIZE)
        seen.push_back(Seen{message, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

// "CHANGING CHANGED MOVE(31,41) SIZE(198,148)", for comparing and for the message.
std::vector<char> Describe(const std::vector<Seen>& messages) {
    std::vector<char> text(1, '\0');
    for (const Seen& s : messages) {
        char item[48];
        if (s.message == WM_WINDOWPOSCHANGING)
            std::snprintf(item, sizeof item, "CHANGING ");
        else if (s.message == WM_WINDOWPOSCHANGED)
            std::snprintf(item, sizeof item, "CHANGED ");
        else
            std::snprintf(item, sizeof item, "%s(%d,%d) ", s.message == WM_MOVE ? "MOVE" : "SIZE",
                          static_cast<short>(LOWORD(s.lParam)),
                          static_cast<short>(HIWORD(s.lParam)));
        text.insert(text.end() - 1, item, item + std::strlen(item));
    }
    return text;
}

// The window's rectangle in its parent's client coordinates.
RECT InParent(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

CONFORMANCE_CASE(ClassRegistrationRules) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW description = {};
    description.cbSize = sizeof description;
    description.lpfnWndProc = DefWindowProcW;
    description.hInstance = instance;
    description.lpszClassName = L"ConformanceRules";
    ok(RegisterClassExW(&description) != 0, "RegisterClassExW: error %lu\n", GetLastError());

    description.lpszClassName = L"conformanceRULES";
    SetLastError(0);
    ATOM atom = RegisterClassExW(&description);
    ok(atom == 0 && GetLastError() == ERROR_CLASS_ALREADY_EXISTS,
       "the same name in other case: got %u, error %lu\n", atom, GetLastError());
    description.cbSize = 40;
    description.lpszClassName = L"ConformanceOther";
    SetLastError(0);
    atom = RegisterClassExW(&description);
    ok(atom == 0 && GetLastError() == ERROR_INVALID_PARAMETER,
       "a description of 40 bytes: got %u, error %lu\n", atom, GetLastError());

    HWND top = CreateWindowExW(0, L"ConformanceRules", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, instance, nullptr);
    ok(top != nullptr, "a top-level window of the class: error %lu\n", GetLastError());
    SetLastError(0);
    HWND child = CreateWindowExW(0, L"ConformanceRules", nullptr, WS_CHILD, 0, 0, 1, 1, nullptr,
                                 nullptr, instance, nullptr);
    ok(child == nullptr && GetLastError() == ERROR_TLW_WITH_WSCHILD,
       "WS_CHILD without a parent: got %p, error %lu\n", static_cast<void*>(child), GetLastError());
    SetLastError(0);
    child = CreateWindowExW(0, L"ConformanceRules", nullptr, WS_CHILD, 0, 0, 1, 1,
                            reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0xdeadbeef)), nullptr,
                            instance, nullptr);
    ok(child == nullptr && GetLastError() == ERROR_INVALID_WINDOW_HANDLE,
       "a parent that is no window: got %p, error %lu\n", static_cast<void*>(child),
       GetLastError());

    // A class keeps its windows: unregistering fails until the last one is gone.
    SetLastError(0);
    BOOL done = UnregisterClassW(L"ConformanceRules", instance);
    ok(!done && GetLastError() == ERROR_CLASS_HAS_WINDOWS,
       "UnregisterClassW with a window left: got %d, error %lu\n", done, GetLastError());
    DestroyWindow(top);
    done = UnregisterClassW(L"ConformanceRules", instance);
    ok(done, "UnregisterClassW after the last window: error %lu\n", GetLastError());
    SetLastError(0);
    done = UnregisterClassW(L"ConformanceRules", instance);
    ok(!done && GetLastError() == ERROR_CLASS_DOES_NOT_EXIST,
       "UnregisterClassW again: got %d, error %lu\n", done, GetLastError());

    HWND refused =
        CreateWindowExW(0, conformance::RegisterTestClass(L"ConformanceRefuses", RefuseCreation),
                        L"t", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    ok(refused == nullptr, "a procedure refusing WM_NCCREATE left window %p\n",
       static_cast<void*>(refused));
}

CONFORMANCE_CASE(ClientAreaIsTheWindowLessItsFrame) {
    HWND frame = Create(0, WS_OVERLAPPEDWINDOW, 10, 20, 800, 600, nullptr);
    // Each side loses the widths of the frame parts its styles imply, as system metrics; every
    // SM_CY... metric is the SM_CX... one plus one. A dialog frame takes in the static edge; a
    // client edge lies inside the frame; a vertical scroll bar takes its width on the right.
    const struct {
        DWORD style, exStyle;
        int frameMetrics[2];
    } cases[] = {
        {WS_CHILD, 0, {0, 0}},
        {WS_CHILD, WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, {SM_CXEDGE, 0}},
        {WS_CHILD, WS_EX_CONTROLPARENT | WS_EX_STATICEDGE, {SM_CXBORDER, 0}},
        {WS_CHILD, WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, {SM_CXDLGFRAME, 0}},
        {WS_CHILD,
         WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE | WS_EX_CLIENTEDGE,
         {SM_CXDLGFRAME, SM_CXEDGE}},
        {WS_CHILD | WS_BORDER, 0, {SM_CXBORDER, 0}},
        {WS_CHILD | WS_VSCROLL, WS_EX_CLIENTEDGE, {SM_CXEDGE, 0}},
    };
    for (const auto& c : cases) {
        LONG sideX = 0, sideY = 0;
        for (int metric : c.frameMetrics) {
            sideX += metric ? GetSystemMetrics(metric) : 0;
            sideY += metric ? GetSystemMetrics(metric + 1) : 0;
        }
        LONG width =
            100 - 2 * sideX - ((c.style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
        LONG height = 80 - 2 * sideY;
        HWND window = Create(c.exStyle, c.style, 0, 0, 100, 80, frame);
        RECT client = {-1, -1, -1, -1};
        BOOL got = GetClientRect(window, &client);
        ok(got && client.left == 0 && client.top == 0 && client.right == width &&
               client.bottom == height,
           "client area of style %#lx, extended %#lx: %ld x %ld, expected %ld x %ld\n", c.style,
           c.exStyle, client.right, client.bottom, width, height);
        DestroyWindow(window);
    }

    // A top-level window loses what AdjustWindowRectEx adds for its styles.
    RECT outer = {0, 0, 0, 0};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND top = Create(0, WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr);
    RECT client = {-1, -1, -1, -1};
    GetClientRect(top, &client);
    ok(client.right == 300 - (outer.right - outer.left) &&
           client.bottom == 200 - (outer.bottom - outer.top),
       "client area of an overlapped window: %ld x %ld, frame adds %ld x %ld\n", client.right,
       client.bottom, outer.right - outer.left, outer.bottom - outer.top);
    DestroyWindow(top);

    // Too small for its client edge: the edge is not taken at all.
    HWND tiny = Create(WS_EX_CLIENTEDGE, WS_CHILD, 0, 0, 3, 3, frame);
    GetClientRect(tiny, &client);
    ok(client.right == 3 && client.bottom == 3, "client area of a 3 x 3 edged window: %ld x %ld\n",
       client.right, client.bottom);
    // Too small for its frame: an empty client area, not a negative one.
    HWND framed = Create(0, WS_CHILD | WS_DLGFRAME, 0, 0, 3, 3, frame);
    GetClientRect(framed, &client);
    ok(client.right == 0 && client.bottom == 0, "client area of a 3 x 3 framed window: %ld x %ld\n",
       client.right, client.bottom);
    DestroyWindow(framed);

    // A picture's size enlarged by twice the 3-D edge fills the client area exactly.
    HWND preview = Create(WS_EX_CLIENTEDGE, WS_CHILD, 0, 0, 320, 240, frame);
    SetWindowPos(preview, nullptr, 1600, 1600, 320 + 2 * GetSystemMetrics(SM_CXEDGE),
                 240 + 2 * GetSystemMetrics(SM_CYEDGE), SWP_NOOWNERZORDER);
    GetClientRect(preview, &client);
    ok(client.right == 320 && client.bottom == 240,
       "client area of a 320 x 240 picture's edged window: %ld x %ld\n", client.right,
       client.bottom);
    DestroyWindow(frame);
}

CONFORMANCE_CASE(ChildRectanglesFollowTheParentsClient) {
    HWND frame = Create(0, WS_OVERLAPPEDWINDOW, 10, 20, 800, 600, nullptr);
    HWND child = Create(WS_EX_CLIENTEDGE, WS_CHILD, 5, 6, 50, 40, frame);
    HWND grandChild = Create(0, WS_CHILD, 1, 1, 10, 10, child);
    POINT frameClient = {0, 0}, childClient = {0, 0};
    ClientToScreen(frame, &frameClient);
    ClientToScreen(child, &childClient);
    const int edge = GetSystemMetrics(SM_CXEDGE);

    RECT rect = {};
    GetWindowRect(child, &rect);
    ok(rect.left == frameClient.x + 5 && rect.top == frameClient.y + 6 &&
           rect.right - rect.left == 50 && rect.bottom - rect.top == 40,
       "child at (5, 6) 50 x 40 of a client at (%ld, %ld): (%ld, %ld)-(%ld, %ld)\n", frameClient.x,
       frameClient.y, rect.left, rect.top, rect.right, rect.bottom);
    ok(childClient.x == rect.left + edge && childClient.y == rect.top + edge,
       "client origin of the edged child: (%ld, %ld), window at (%ld, %ld)\n", childClient.x,
       childClient.y, rect.left, rect.top);
    GetWindowRect(grandChild, &rect);
    ok(rect.left == childClient.x + 1 && rect.top == childClient.y + 1,
       "grandchild at (1, 1) of a client at (%ld, %ld): (%ld, %ld)\n", childClient.x, childClient.y,
       rect.left, rect.top);

    POINT point = {0, 0};
    ClientToScreen(grandChild, &point);
    ScreenToClient(frame, &point);
    ok(point.x == 5 + edge + 1 && point.y == 6 + edge + 1,
       "grandchild's client origin in the frame's client: (%ld, %ld)\n", point.x, point.y);
    ok(GetParent(grandChild) == child && IsChild(frame, grandChild) && !IsChild(grandChild, frame),
       "parent and descendants of the grandchild\n");
    DestroyWindow(frame);
}

CONFORMANCE_CASE(SetWindowPosReportsOnlyWhatChanged) {
    HWND frame = Create(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 800, 600, nullptr);
    HWND window = CreateWindowExW(
        WS_EX_STATICEDGE, conformance::RegisterTestClass(L"ConformancePlaced", RecordPlacement),
        nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, frame, nullptr, GetModuleHandleW(nullptr),
        nullptr);
    conformance::PumpMessages();

    // WM_MOVE gives the client origin (inside the 1-pixel static edge), WM_SIZE the client size.
    const int line = GetSystemMetrics(SM_CXBORDER);
    struct Case {
        const char* what;
        int x, y, width, height;
        UINT flags;
        std::vector<Seen> expected;
    } cases[] = {
        {"move and size",
         30,
         40,
         200,
         150,
         SWP_NOZORDER,
         {{WM_WINDOWPOSCHANGING, 0},
          {WM_WINDOWPOSCHANGED, 0},
          {WM_MOVE, MAKELPARAM(30 + line, 40 + line)},
          {WM_SIZE, MAKELPARAM(200 - 2 * line, 150 - 2 * line)}}},
        {"the same place and size", 30, 40, 200, 150, SWP_NOZORDER, {{WM_WINDOWPOSCHANGING, 0}}},
        {"size only",
         0,
         0,
         60,
         50,
         SWP_NOMOVE | SWP_NOZORDER,
         {{WM_WINDOWPOSCHANGING, 0},
          {WM_WINDOWPOSCHANGED, 0},
          {WM_SIZE, MAKELPARAM(60 - 2 * line, 50 - 2 * line)}}},
        {"move only",
         5,
         5,
         0,
         0,
         SWP_NOSIZE | SWP_NOZORDER,
         {{WM_WINDOWPOSCHANGING, 0},
          {WM_WINDOWPOSCHANGED, 0},
          {WM_MOVE, MAKELPARAM(5 + line, 5 + line)}}},
        {"nothing asked, not even the changing message",
         1,
         1,
         1,
         1,
         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING,
         {}},
    };
    for (const Case& c : cases) {
        seen.clear();
        BOOL done = SetWindowPos(window, nullptr, c.x, c.y, c.width, c.height, c.flags);
        std::vector<char> got = Describe(seen), expected = Describe(c.expected);
        ok(done && std::strcmp(got.data(), expected.data()) == 0,
           "SetWindowPos, %s: saw \"%s\", expected \"%s\"\n", c.what, got.data(), expected.data());
    }
    RECT rect = InParent(window);
    ok(rect.left == 5 && rect.top == 5 && rect.right == 65 && rect.bottom == 55,
       "placed at (%ld, %ld)-(%ld, %ld), expected (5, 5)-(65, 55)\n", rect.left, rect.top,
       rect.right, rect.bottom);

    // SWP_NOMOVE keeps the place whatever coordinates come with it.
    SetWindowPos(window, nullptr, 3000, 3000, 32, 32, SWP_NOOWNERZORDER | SWP_NOMOVE);
    rect = InParent(window);
    ok(rect.left == 5 && rect.top == 5 && rect.right - rect.left == 32 &&
           rect.bottom - rect.top == 32,
       "SWP_NOMOVE with far coordinates: (%ld, %ld)-(%ld, %ld)\n", rect.left, rect.top, rect.right,
       rect.bottom);
    DestroyWindow(frame);
}

CONFORMANCE_CASE(ShowWindowAnswersTheEarlierVisibility) {
    HWND frame = Create(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 800, 600, nullptr);
    HWND window = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ok(IsWindowVisible(window), "SWP_SHOWWINDOW left the child hidden\n");
    ShowWindow(frame, SW_HIDE);
    ok(!IsWindowVisible(window) && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE),
       "a child of a hidden frame: visible %d, style %#lx\n", IsWindowVisible(window),
       GetWindowLongW(window, GWL_STYLE));
    ShowWindow(frame, SW_SHOWNORMAL);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    ok(!IsWindowVisible(window), "SWP_HIDEWINDOW left the child visible\n");
    BOOL was = ShowWindow(window, SW_SHOWNORMAL);
    ok(was == FALSE, "ShowWindow(SW_SHOWNORMAL) of a hidden window: got %d\n", was);
    was = ShowWindow(window, SW_HIDE);
    ok(was != FALSE, "ShowWindow(SW_HIDE) of a shown window: got %d\n", was);
    DestroyWindow(frame);
}

CONFORMANCE_CASE(WindowDataPropertiesAndText) {
    HWND frame = Create(0, WS_OVERLAPPEDWINDOW, 10, 20, 800, 600, nullptr);
    HWND window = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    LONG_PTR before = SetWindowLongPtrW(window, GWLP_USERDATA, 0x1234);
    ok(before == 0 && GetWindowLongPtrW(window, GWLP_USERDATA) == 0x1234,
       "user data: was %#lx, now %#lx\n", static_cast<long>(before),
       static_cast<long>(GetWindowLongPtrW(window, GWLP_USERDATA)));
    ok(GetWindowLongW(window, GWL_STYLE) == static_cast<LONG>(WS_CHILD),
       "style of a plain child: %#lx\n", GetWindowLongW(window, GWL_STYLE));
    SetLastError(0);
    LONG extra = GetWindowLongW(window, 4);
    ok(extra == 0 && GetLastError() == ERROR_INVALID_INDEX,
       "extra bytes of a class without any: got %ld, error %lu\n", extra, GetLastError());

    // Property names compare without case.
    SetPropW(window, L"Key", reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(1)));
    ok(GetPropW(window, L"KEY") == reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(1)),
       "GetPropW in other case: %p\n", GetPropW(window, L"KEY"));
    HANDLE removed = RemovePropW(window, L"key");
    ok(removed == reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(1)) &&
           GetPropW(window, L"Key") == nullptr,
       "RemovePropW: got %p\n", removed);

    // Text goes through the window; a search finds the top-level window by title and class.
    HWND titled = Create(0, WS_POPUP, 0, 0, 1, 1, nullptr, L"Conformance Title");
    ok(FindWindowExW(nullptr, nullptr, nullptr, L"Conformance Title") == titled &&
           FindWindowExW(nullptr, titled, nullptr, L"Conformance Title") == nullptr,
       "FindWindowExW by title\n");
    SetWindowTextW(titled, L"Renamed Conformance");
    WCHAR title[5] = {};
    int length = GetWindowTextW(titled, title, 5);
    ok(length == 4 && title[0] == L'R' && title[3] == L'a' && title[4] == 0,
       "GetWindowTextW into 5 units: got %d\n", length);
    ok(FindWindowExW(nullptr, nullptr, L"conformancewindows", L"renamed conformance") == titled,
       "FindWindowExW without regard to case\n");

    // Layered attributes need the layered extended style.
    BOOL done = SetLayeredWindowAttributes(titled, 0, 60, LWA_ALPHA);
    ok(!done, "SetLayeredWindowAttributes without WS_EX_LAYERED succeeded\n");
    SetWindowLongW(titled, GWL_EXSTYLE, GetWindowLongW(titled, GWL_EXSTYLE) | WS_EX_LAYERED);
    done = SetLayeredWindowAttributes(titled, 0, 60, LWA_ALPHA);
    ok(done, "SetLayeredWindowAttributes with WS_EX_LAYERED: error %lu\n", GetLastError());
    DestroyWindow(titled);
    DestroyWindow(frame);
}

// The user-interface stand-in's behaviours that the module relies on and that are not obvious:
// client areas with borders, the messages of a move, faults raised through vectored handlers,
// class checks, destruction order, the queue, message boxes and COM initialisation.
#include <windows.h>

#include "standin/inspect_user.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <csetjmp>

namespace {

const HINSTANCE kModule = reinterpret_cast<HINSTANCE>(0x10000000);

class UserStandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::ResetPlatform();
        WNDCLASSEXW description = {};
        description.cbSize = sizeof(description);
        description.style = CS_HREDRAW | CS_VREDRAW;
        description.lpfnWndProc = DefWindowProcW;
        description.hInstance = kModule;
        description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        description.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        description.lpszClassName = L"VidPlayer";
        ASSERT_NE(RegisterClassExW(&description), 0);
        frame = Create(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 20, 800, 600, nullptr);
    }

    HWND Create(DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND parent) {
        return CreateWindowExW(exStyle, L"VidPlayer", nullptr, style, x, y, w, h, parent, nullptr,
                               kModule, nullptr);
    }

    HWND frame = nullptr;
};

TEST_F(UserStandIn, ClientAreaIsTheWindowLessTheBordersItsStylesImply) {
    struct Case {
        DWORD style, exStyle;
        LONG width, height;
    } cases[] = {
        {WS_CHILD, 0, 100, 80},
        {WS_CHILD, WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, 96, 76},    // SM_CXEDGE 2
        {WS_CHILD, WS_EX_CONTROLPARENT | WS_EX_STATICEDGE, 98, 78},    // SM_CXBORDER 1
        {WS_CHILD, WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, 94, 74}, // SM_CXDLGFRAME 3
        {WS_CHILD, 0x30201, 90, 70}, // dialog frame takes in the static edge, client edge inside
        {WS_CHILD | WS_BORDER, 0, 98, 78},
        {WS_CHILD | WS_VSCROLL, WS_EX_CLIENTEDGE, 80, 76},
        {WS_OVERLAPPEDWINDOW, 0, 92, 53}, // sizing frame 4 per side, caption 19
    };
    for (const Case& c : cases) {
        HWND window = Create(c.exStyle, c.style, 0, 0, 100, 80, frame);
        ASSERT_NE(window, nullptr);
        RECT client = {-1, -1, -1, -1};
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.left, 0);
        EXPECT_EQ(client.top, 0);
        EXPECT_EQ(client.right, c.width) << std::hex << c.style << " " << c.exStyle;
        EXPECT_EQ(client.bottom, c.height) << std::hex << c.style << " " << c.exStyle;
        DestroyWindow(window);
    }
    HWND tiny = Create(WS_EX_CLIENTEDGE, WS_CHILD, 0, 0, 3, 3, frame);
    RECT client;
    GetClientRect(tiny, &client);
    EXPECT_EQ(client.right, 0);
    EXPECT_EQ(client.bottom, 0);

    // A 320 x 240 picture in a window enlarged by twice the 3-D edge fills its client area.
    HWND preview = Create(WS_EX_CLIENTEDGE, WS_CHILD, 0, 0, 320, 240, frame);
    SetWindowPos(preview, nullptr, 1600, 1600, 320 + 2 * GetSystemMetrics(SM_CXEDGE),
                 240 + 2 * GetSystemMetrics(SM_CYEDGE), SWP_NOOWNERZORDER);
    GetClientRect(preview, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
}

TEST_F(UserStandIn, ChildRectanglesAreMappedThroughTheParentsClientOrigin) {
    // frame: top-level at (10, 20), sizing frame 4, caption 19: client origin (14, 43)
    HWND child = Create(WS_EX_CLIENTEDGE, WS_CHILD, 5, 6, 50, 40, frame);
    HWND grandChild = Create(0, WS_CHILD, 1, 1, 10, 10, child);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(child, &rect));
    EXPECT_EQ(rect.left, 19);
    EXPECT_EQ(rect.top, 49);
    EXPECT_EQ(rect.right, 69);
    EXPECT_EQ(rect.bottom, 89);
    GetWindowRect(grandChild, &rect);
    EXPECT_EQ(rect.left, 19 + 2 + 1);
    EXPECT_EQ(rect.top, 49 + 2 + 1);

    POINT point = {0, 0};
    ClientToScreen(grandChild, &point);
    EXPECT_EQ(point.x, 22);
    EXPECT_EQ(point.y, 52);
    ScreenToClient(frame, &point);
    EXPECT_EQ(point.x, 8);
    EXPECT_EQ(point.y, 9);
    EXPECT_EQ(GetParent(grandChild), child);
    EXPECT_TRUE(IsChild(frame, grandChild));
    EXPECT_FALSE(IsChild(grandChild, frame));
}

TEST_F(UserStandIn, SetWindowPosReportsMovesAndSizesAsWindowsDoes) {
    HWND window = Create(WS_EX_STATICEDGE, WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, frame);
    standin::TraceMessages(true);
    ASSERT_TRUE(SetWindowPos(window, nullptr, 30, 40, 200, 150, SWP_NOZORDER));
    std::vector<standin::TracedMessage> trace = standin::MessageTrace();
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0].message, UINT(WM_WINDOWPOSCHANGING));
    EXPECT_EQ(trace[1].message, UINT(WM_WINDOWPOSCHANGED));
    EXPECT_EQ(trace[2].message, UINT(WM_MOVE));
    EXPECT_EQ(trace[2].lParam, MAKELPARAM(31, 41)); // the client origin: static edge 1
    EXPECT_EQ(trace[3].message, UINT(WM_SIZE));
    EXPECT_EQ(trace[3].lParam, MAKELPARAM(198, 148));

    struct Case {
        const char* what;
        int x, y, w, h;
        UINT flags;
        std::vector<UINT> messages;
    } cases[] = {
        {"same place and size: nothing changed",
         30,
         40,
         200,
         150,
         SWP_NOZORDER,
         {WM_WINDOWPOSCHANGING}},
        {"size only",
         0,
         0,
         60,
         50,
         SWP_NOMOVE | SWP_NOZORDER,
         {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE}},
        {"move only",
         5,
         5,
         0,
         0,
         SWP_NOSIZE | SWP_NOZORDER,
         {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE}},
        {"nothing asked, not even changing",
         1,
         1,
         1,
         1,
         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING,
         {}},
    };
    for (const Case& c : cases) {
        standin::TraceMessages(true);
        SetWindowPos(window, nullptr, c.x, c.y, c.w, c.h, c.flags);
        EXPECT_EQ(standin::MessageTrace(window), c.messages) << c.what;
    }
    standin::WindowInfo info = standin::InspectWindow(window);
    EXPECT_EQ(info.rect.left, 5);
    EXPECT_EQ(info.rect.top, 5);
    EXPECT_EQ(info.rect.right, 65);
    EXPECT_EQ(info.rect.bottom, 55);

    // SWP_NOMOVE keeps the place whatever coordinates come with it.
    SetWindowPos(window, nullptr, 3000, 3000, 32, 32, SWP_NOOWNERZORDER | SWP_NOMOVE);
    info = standin::InspectWindow(window);
    EXPECT_EQ(info.rect.left, 5);
    EXPECT_EQ(info.rect.right - info.rect.left, 32);
    EXPECT_EQ(info.rect.bottom - info.rect.top, 32);
}

TEST_F(UserStandIn, SetWindowPosStacksShowsAndHides) {
    HWND first = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    HWND second = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{second, first}));
    SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{second, first}));
    SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{first, second}));
    SetWindowPos(first, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{second, first}));

    SetWindowPos(first, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_TRUE(IsWindowVisible(first));
    ShowWindow(frame, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(first)); // its parent is hidden
    EXPECT_TRUE(standin::InspectWindow(first).visible);
    ShowWindow(frame, SW_SHOWNORMAL);
    SetWindowPos(first, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    EXPECT_FALSE(IsWindowVisible(first));
    EXPECT_EQ(ShowWindow(first, SW_SHOWNORMAL), FALSE); // answers the earlier visibility
    EXPECT_EQ(ShowWindow(first, SW_HIDE), TRUE);
    EXPECT_EQ(ShowWindow(first, 99), FALSE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

// The module's guard: setjmp before the platform call, a vectored handler that longjmps back
// when it is armed and the code is an access violation.
std::jmp_buf guardJump;
bool guardArmed = false;
DWORD caughtCode = 0;
int handlerCalls = 0;

LONG WINAPI Guard(PEXCEPTION_POINTERS info) {
    ++handlerCalls;
    if (!guardArmed || info->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION)
        return EXCEPTION_CONTINUE_SEARCH;
    caughtCode = info->ExceptionRecord->ExceptionCode;
    guardArmed = false;
    std::longjmp(guardJump, 1);
}

LONG WINAPI Dismiss(PEXCEPTION_POINTERS) {
    ++handlerCalls;
    return EXCEPTION_CONTINUE_EXECUTION;
}

HWND GuardedCreate(HWND parent) {
    HWND window = nullptr;
    caughtCode = 0;
    if (setjmp(guardJump) == 0) {
        guardArmed = true;
        window = CreateWindowExW(0, L"VidPlayer", nullptr, WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                                 kModule, nullptr);
    }
    guardArmed = false;
    return window;
}

TEST_F(UserStandIn, AnInjectedAccessViolationReachesTheVectoredHandlers) {
    handlerCalls = 0;
    PVOID search = AddVectoredExceptionHandler(0, Dismiss); // runs second
    PVOID guard = AddVectoredExceptionHandler(1, Guard);    // runs first
    size_t windowsBefore = standin::LiveWindows().size();

    standin::InjectFault("CreateWindowExW", static_cast<long>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_EQ(GuardedCreate(frame), nullptr);
    EXPECT_EQ(caughtCode, EXCEPTION_ACCESS_VIOLATION);
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_EQ(standin::LiveWindows().size(), windowsBefore);

    // A handler that dismisses the fault lets the call go on.
    ASSERT_EQ(RemoveVectoredExceptionHandler(guard), 1u);
    standin::InjectFault("CreateWindowExW", static_cast<long>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_NE(GuardedCreate(frame), nullptr);
    EXPECT_EQ(handlerCalls, 2);

    // Any other injected code is a plain failure with that last error.
    standin::InjectFault("CreateWindowExW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(GuardedCreate(frame), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(handlerCalls, 2);
    EXPECT_EQ(standin::CallCount("CreateWindowExW"), 4); // the frame and three here

    EXPECT_EQ(RemoveVectoredExceptionHandler(search), 1u);
    EXPECT_EQ(RemoveVectoredExceptionHandler(search), 0u);
    EXPECT_EQ(standin::VectoredHandlerCount(), 0);
}

TEST_F(UserStandIn, AFaultNoHandlerTakesEndsTheProcess) {
    PVOID guard = AddVectoredExceptionHandler(1, Guard);
    // The guard is not armed, so it passes the fault on and nothing else takes it.
    EXPECT_DEATH(
        {
            standin::InjectFault("CreateWindowExW", static_cast<long>(EXCEPTION_ACCESS_VIOLATION));
            CreateWindowExW(0, L"VidPlayer", nullptr, WS_CHILD, 0, 0, 1, 1, frame, nullptr, kModule,
                            nullptr);
        },
        "unhandled exception 0xc0000005 raised in CreateWindowExW");
    RemoveVectoredExceptionHandler(guard);
}

LRESULT CALLBACK RefuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        return FALSE;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(UserStandIn, ClassChecks) {
    WNDCLASSEXW description = {};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = DefWindowProcW;
    description.hInstance = kModule;
    description.lpszClassName = L"vidplayer"; // names compare without case
    EXPECT_EQ(RegisterClassExW(&description), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));

    description.cbSize = 40;
    description.lpszClassName = L"Other";
    EXPECT_EQ(RegisterClassExW(&description), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

    description.cbSize = sizeof(description);
    standin::InjectFault("RegisterClassExW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(RegisterClassExW(&description), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));

    // A local class is found only with the instance that registered it.
    EXPECT_EQ(CreateWindowExW(0, L"VidPlayer", nullptr, WS_CHILD, 0, 0, 1, 1, frame, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(Create(0, WS_CHILD, 0, 0, 1, 1, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_TLW_WITH_WSCHILD));
    EXPECT_EQ(Create(0, WS_CHILD, 0, 0, 1, 1, reinterpret_cast<HWND>(0x1234)), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));

    // A class keeps its windows: unregistering fails until the last one is gone.
    EXPECT_FALSE(UnregisterClassW(L"VidPlayer", kModule));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(frame);
    EXPECT_TRUE(UnregisterClassW(L"VidPlayer", kModule));
    EXPECT_FALSE(UnregisterClassW(L"VidPlayer", kModule));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_DOES_NOT_EXIST));

    // A procedure refusing WM_NCCREATE leaves no window behind.
    description.lpfnWndProc = RefuseCreation;
    description.lpszClassName = L"Refuses";
    ASSERT_NE(RegisterClassExW(&description), 0);
    EXPECT_EQ(CreateWindowExW(0, L"Refuses", L"t", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, kModule,
                              nullptr),
              nullptr);
    EXPECT_TRUE(standin::LiveWindows().empty());
}

LRESULT CALLBACK QuitOnDestroy(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(UserStandIn, DestructionGoesDownForDestroyAndUpForFinalMessages) {
    HWND child = Create(0, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, frame);
    HWND grandChild = Create(0, WS_CHILD, 0, 0, 5, 5, child);
    SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QuitOnDestroy));
    SetPropW(child, L"RunObject", reinterpret_cast<HANDLE>(0x1288));
    SetFocus(grandChild);
    PostMessageW(child, WM_USER, 1, 2);
    PostMessageW(frame, WM_USER, 3, 4);

    standin::TraceMessages(true);
    ASSERT_TRUE(DestroyWindow(child));
    std::vector<std::pair<HWND, UINT>> order;
    for (const standin::TracedMessage& traced : standin::MessageTrace())
        if (traced.message == WM_DESTROY || traced.message == WM_NCDESTROY)
            order.emplace_back(traced.window, traced.message);
    EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{child, WM_DESTROY},
                                                         {grandChild, WM_DESTROY},
                                                         {grandChild, WM_NCDESTROY},
                                                         {child, WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandChild));
    EXPECT_EQ(GetFocus(), nullptr);
    ASSERT_EQ(standin::QueuedMessages().size(), 1u); // the destroyed window's message is gone
    EXPECT_EQ(standin::QueuedMessages()[0].hwnd, frame);
    EXPECT_TRUE(standin::QuitPosted());
    EXPECT_FALSE(DestroyWindow(child));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(UserStandIn, TheQueueDeliversPostedMessagesThenQuitThenPaints) {
    HWND child = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    standin::PumpMessages(); // the frame's first paint
    EXPECT_FALSE(standin::InspectWindow(frame).paintPending);

    ShowWindow(child, SW_SHOW); // a newly shown window needs painting
    PostMessageW(child, 0x040D, 0, 0);
    PostQuitMessage(7);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, UINT(0x040D));
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), FALSE);
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    EXPECT_EQ(msg.wParam, WPARAM(7));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
    EXPECT_EQ(msg.hwnd, child);

    // The default procedure validates on WM_PAINT, so the pump paints the child once.
    EXPECT_EQ(standin::PumpMessages(), 1);
    EXPECT_EQ(standin::PumpMessages(), 0);
    EXPECT_EQ(GetMessageW(&msg, nullptr, 0, 0), -1); // nothing can arrive: no blocking
    EXPECT_EQ(GetLastError(), DWORD(ERROR_TIMEOUT));

    // The erase message fills the client area with the class brush.
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    std::vector<standin::FillRecord> fills = standin::Fills();
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.back().window, child);
    EXPECT_EQ(fills.back().rect.right, 10);
    EXPECT_EQ(fills.back().color, RGB(0, 0, 0));
    EXPECT_EQ(standin::OpenPaintCycles(), 0);
}

TEST_F(UserStandIn, WindowDataAndSubclassing) {
    HWND window = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    EXPECT_EQ(SetWindowLongPtrW(window, GWLP_USERDATA, 0x1234), 0);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), 0x1234);
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE), LONG(WS_CHILD));
    EXPECT_EQ(GetWindowLongW(window, 4), 0); // no extra bytes
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));

    // Props: text keys compare without case, atoms by value.
    SetPropW(window, L"Key", reinterpret_cast<HANDLE>(1));
    SetPropW(window, MAKEINTATOM(0xC123), reinterpret_cast<HANDLE>(2));
    EXPECT_EQ(GetPropW(window, L"KEY"), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(GetPropW(window, MAKEINTATOM(0xC123)), reinterpret_cast<HANDLE>(2));
    EXPECT_EQ(RemovePropW(window, L"key"), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(GetPropW(window, L"Key"), nullptr);

    // Text goes through the procedure; the search finds the top-level window by its title.
    HWND video = CreateWindowExW(0, L"VidPlayer", L"ActiveMovie Window", WS_POPUP, 0, 0, 1, 1,
                                 nullptr, nullptr, kModule, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, nullptr, L"ActiveMovie Window"), video);
    EXPECT_EQ(FindWindowExW(nullptr, video, nullptr, L"ActiveMovie Window"), nullptr);
    SetWindowTextW(video, L"Renamed");
    WCHAR title[5];
    EXPECT_EQ(GetWindowTextW(video, title, 5), 4);
    EXPECT_EQ(Utf8(title), "Rena");
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"vidplayer", L"renamed"), video);

    // Layered attributes need the layered extended style.
    EXPECT_FALSE(SetLayeredWindowAttributes(video, 0, 60, LWA_ALPHA));
    SetWindowLongW(video, GWL_EXSTYLE, GetWindowLongW(video, GWL_EXSTYLE) | WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(video, 0, 60, LWA_ALPHA));
    EXPECT_EQ(standin::InspectWindow(video).layeredAlpha, 60);
}

TEST_F(UserStandIn, CursorsCaptureAndMessageBoxes) {
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_NE(arrow, nullptr);
    EXPECT_NE(arrow, wait);
    EXPECT_EQ(SetCursor(wait), arrow); // the arrow shows at start
    EXPECT_EQ(SetCursor(arrow), wait);
    EXPECT_EQ(LoadCursorW(kModule, MAKEINTRESOURCEW(5)), nullptr);

    HWND other = Create(0, WS_CHILD, 0, 0, 1, 1, frame);
    standin::TraceMessages(true);
    EXPECT_EQ(SetCapture(frame), nullptr);
    EXPECT_EQ(SetCapture(other), frame);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(standin::MessageTrace(frame), std::vector<UINT>{WM_CAPTURECHANGED});
    EXPECT_EQ(standin::MessageTrace(other), std::vector<UINT>{WM_CAPTURECHANGED});

    standin::ScriptMessageBoxAnswers({IDCANCEL});
    EXPECT_EQ(MessageBoxW(frame, L"first", L"Cinevane Object", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"second", nullptr, MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, L"third", L"c", MB_OK), IDOK);
    std::vector<standin::MessageBoxRecord> boxes = standin::MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].owner, frame);
    EXPECT_EQ(boxes[0].text, u"first");
    EXPECT_EQ(boxes[0].caption, u"Cinevane Object");
    EXPECT_EQ(boxes[1].caption, u"Error");
}

TEST_F(UserStandIn, ComInitialisationCountsLikeCom) {
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    EXPECT_EQ(standin::Com().apartmentCount, 2);
    CoUninitialize();
    CoUninitialize();
    CoUninitialize(); // one too many: nothing happens
    EXPECT_FALSE(standin::ComInitialized());
    EXPECT_EQ(standin::Com().uninitializeCalls, 3);

    standin::InjectFault("CoInitialize", E_OUTOFMEMORY);
    EXPECT_EQ(CoInitialize(nullptr), E_OUTOFMEMORY);
    EXPECT_EQ(standin::Com().apartmentCount, 0);
    EXPECT_EQ(standin::Com().initializeCalls, 2);
}

// A procedure may destroy its own window, or grab the focus, while it hears of a change.
LRESULT CALLBACK Unruly(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && GetPropW(window, L"DestroyOnSize"))
        DestroyWindow(window);
    if (message == WM_ACTIVATE || message == WM_KILLFOCUS)
        SetFocus(window);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(UserStandIn, ProceduresThatDestroyOrRefocusDuringAChangeDoNotBreakIt) {
    WNDCLASSEXW description = {};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = Unruly;
    description.lpszClassName = L"Unruly";
    ASSERT_NE(RegisterClassExW(&description), 0);
    HWND first = CreateWindowExW(0, L"Unruly", L"1", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    HWND second = CreateWindowExW(0, L"Unruly", L"2", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
    SetFocus(first); // each grabs the focus back: no endless exchange, a consistent outcome
    EXPECT_NE(GetFocus(), nullptr);
    EXPECT_EQ(GetFocus(), GetActiveWindow());
    EXPECT_TRUE(IsWindow(first) && IsWindow(second));

    SetPropW(second, L"DestroyOnSize", reinterpret_cast<HANDLE>(1));
    EXPECT_TRUE(SetWindowPos(second, nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER));
    EXPECT_FALSE(IsWindow(second));
    DestroyWindow(first);
    DestroyWindow(frame);
    EXPECT_TRUE(standin::LiveWindows().empty());
    EXPECT_EQ(GetFocus(), nullptr);
}

} // namespace

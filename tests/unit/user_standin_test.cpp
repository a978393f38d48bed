// The user-interface stand-in's own behaviours: stacking, faults raised through vectored
// handlers, class faults, destruction order, the queue, message boxes and COM initialisation.
// What Windows itself answers (client areas, moves, class rules, window data) is checked by the
// platform conformance cases in tests/conformance.
#include <windows.h>

#include "standin/inspect_user.h"

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

TEST_F(UserStandIn, SetWindowPosStacksSiblingsAndShowWindowChecksItsCommand) {
    HWND first = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    HWND second = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{second, first}));
    SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{second, first}));
    SetWindowPos(first, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{first, second}));
    SetWindowPos(first, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(standin::ChildWindows(frame), (std::vector<HWND>{second, first}));
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

TEST_F(UserStandIn, ClassFaultsInstancesAndRefusedCreation) {
    WNDCLASSEXW description = {};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = DefWindowProcW;
    description.hInstance = kModule;
    description.lpszClassName = L"Other";
    standin::InjectFault("RegisterClassExW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(RegisterClassExW(&description), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));

    // A local class is found only with the instance that registered it.
    EXPECT_EQ(CreateWindowExW(0, L"VidPlayer", nullptr, WS_CHILD, 0, 0, 1, 1, frame, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));

    // A procedure refusing WM_NCCREATE leaves no window behind.
    DestroyWindow(frame);
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

TEST_F(UserStandIn, AtomPropertiesAndLayeredAlpha) {
    HWND window = Create(0, WS_CHILD, 0, 0, 10, 10, frame);
    SetPropW(window, MAKEINTATOM(0xC123), reinterpret_cast<HANDLE>(2)); // atoms compare by value
    EXPECT_EQ(GetPropW(window, MAKEINTATOM(0xC123)), reinterpret_cast<HANDLE>(2));
    HWND layered = Create(WS_EX_LAYERED, WS_POPUP, 0, 0, 1, 1, nullptr);
    EXPECT_TRUE(SetLayeredWindowAttributes(layered, 0, 60, LWA_ALPHA));
    EXPECT_EQ(standin::InspectWindow(layered).layeredAlpha, 60);
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

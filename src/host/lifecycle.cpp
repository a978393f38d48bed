// Loading, Initialize and Free: COM for the host's thread, the "VidPlayer" window class and the
// module's event log.
#include "host/lifecycle_exports.h"

#include "diag/event_log.h"
#include "host/hostrt.h"
#include "host/module_state.h"

#include <objbase.h>

namespace {

// Progress values of ModuleState's two low bits; nested Initialize calls step it by 4.
constexpr LONG kNothingSetUp = 0;
constexpr LONG kComStarting = 1;
constexpr LONG kComReady = 2;
constexpr LONG kClassRegistered = 3;
constexpr LONG kNestingStep = 4;

// Stays in module storage while the class is registered.
WNDCLASSEXW videoWindowClass;

void RegisterVideoWindowClass() {
    ZeroMemory(&videoWindowClass, sizeof videoWindowClass);
    videoWindowClass.cbSize = sizeof(WNDCLASSEXW);
    videoWindowClass.style = CS_HREDRAW | CS_VREDRAW;
    // Each window gets the module's own message handling after it is created.
    videoWindowClass.lpfnWndProc = DefWindowProcW;
    videoWindowClass.cbClsExtra = 0;
    videoWindowClass.cbWndExtra = 0;
    videoWindowClass.hInstance = ModuleInstance();
    videoWindowClass.hIcon = nullptr;
    videoWindowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    videoWindowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    videoWindowClass.lpszMenuName = nullptr;
    videoWindowClass.lpszClassName = kVideoWindowClass;
    videoWindowClass.hIconSm = nullptr;
    if (RegisterClassExW(&videoWindowClass))
        SetModuleState(kClassRegistered);
    else
        ShowModuleMessage(L"Register Video Class was not posible!");
}

} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        SetModuleInstance(instance);
    return TRUE;
}

int WINAPI Initialize(EditHostRecord* host, int cursorFlag) {
    // A host that initialises the module again while it is fully set up is only counted, so that
    // the module stays set up until the matching number of Free calls.
    if (ModuleState() >= kClassRegistered) {
        SetModuleState(ModuleState() + kNestingStep);
        return 0;
    }

    HCURSOR replaced = nullptr;
    if (cursorFlag == 0) {
        replaced = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        if (replaced && host)
            SetCapture(host->hostWindow);
    }

    if (ModuleState() == kNothingSetUp) {
        if (FAILED(CoInitialize(nullptr))) {
            ShowModuleMessage(L"CoInitialize Failed!\r\n");
            ExitProcess(1);
            return 0; // reached only where ExitProcess returns (the test platform)
        }
        SetModuleState(kComStarting);
    }
    if (ModuleState() == kComStarting)
        SetModuleState(kComReady);
    if (ModuleState() == kComReady)
        RegisterVideoWindowClass(); // retried by the next Initialize when it failed

    if (replaced) {
        SetCursor(replaced);
        ReleaseCapture();
    }

    // Created last: a failure of COM or of the class is reported by a message box only.
    OpenModuleLog();
    return 0;
}

int WINAPI Free(EditHostRecord*) {
    if (ModuleState() > kClassRegistered) {
        SetModuleState(ModuleState() - kNestingStep);
        return 0;
    }
    if (ModuleState() == kClassRegistered) {
        SetModuleState(kComReady);
        UnregisterClassW(kVideoWindowClass, ModuleInstance());
    }
    if (ModuleState() == kComReady || ModuleState() == kComStarting) {
        SetModuleState(kNothingSetUp);
        CoUninitialize();
    }
    CloseModuleLog(); // deletes the log folder when "Delete Log" is on
    ForgetHostRuntime();
    return 0;
}

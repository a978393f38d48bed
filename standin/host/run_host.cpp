#include "run_host.h"

#include <cstring>
#include <map>

namespace hoststandin {

const WCHAR kRunObjectPropertyKey[] = L"CinevaneRunObject";

namespace {

const WCHAR kFrameClass[] = L"CinevaneHostFrame";

// The host keeps itself in the first bytes of its own part of the run header.
RunHost* HostOf(RunObject* object) {
    if (!object || !object->runHeader)
        return nullptr;
    RunHost* host = nullptr;
    std::memcpy(&host, object->runHeader->hostOwned0, sizeof host);
    return host;
}

int WINAPI SignalService(RunObject* object, int code, int parameter) {
    RunHost* host = HostOf(object);
    return host ? host->OnSignalService(object, code, parameter) : 0;
}

int WINAPI SuspendService(RunObject* object, int, int) {
    if (RunHost* host = HostOf(object))
        host->OnSuspendService(true);
    return 0;
}

int WINAPI ResumeService(RunObject* object, int, int) {
    if (RunHost* host = HostOf(object))
        host->OnSuspendService(false);
    return 0;
}

int WINAPI RegistrationService(RunObject* object, int, RunObjectWindowRoutine routine) {
    if (RunHost* host = HostOf(object))
        host->OnRegistration(object, routine);
    return 0;
}

DWORD WINAPI ParameterService(RunObject* object, int kind, int) {
    RunHost* host = HostOf(object);
    return host ? host->OnParameterService(kind) : 0;
}

LPVOID WINAPI TemporaryTextService(RunObject* object, int, int bytes) {
    RunHost* host = HostOf(object);
    return host ? host->OnTemporaryText(bytes) : nullptr;
}

// Messages of a subclassed object window reach the registered routine first, with the run
// header, and then the window's own procedure.
struct Route {
    RunHost* host;
    RunObjectWindowRoutine routine;
    WNDPROC original;
};

std::map<HWND, Route>& Routes() {
    static std::map<HWND, Route> routes;
    return routes;
}

LRESULT CALLBACK RoutedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = Routes().find(window);
    if (found == Routes().end())
        return DefWindowProcW(window, message, wParam, lParam);
    const Route route = found->second;
    route.routine(route.host->Header(), window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kRunObjectPropertyKey);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(route.original));
        Routes().erase(window);
    }
    return CallWindowProcW(route.original, window, message, wParam, lParam);
}

void RegisterFrameClass(HINSTANCE instance) {
    WNDCLASSEXW frameClass;
    std::memset(&frameClass, 0, sizeof frameClass);
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = kFrameClass;
    RegisterClassExW(&frameClass); // already registered by an earlier host: fine
}

} // namespace

RunHost::RunHost(int frameWidth, int frameHeight) {
    std::memset(&header, 0, sizeof header);
    RunHost* self = this;
    std::memcpy(header.hostOwned0, &self, sizeof self);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterFrameClass(instance);
    // Popup windows without a border: the client area is the whole window.
    applicationWindow = CreateWindowExW(0, kFrameClass, L"Application", WS_POPUP, 0, 0, 800, 600,
                                        nullptr, nullptr, instance, nullptr);
    header.applicationMainWindow = applicationWindow;
    header.frameWindow =
        CreateWindowExW(0, kFrameClass, L"Frame", WS_POPUP | WS_VISIBLE, 0, 0, frameWidth,
                        frameHeight, nullptr, nullptr, instance, nullptr);
    header.windowPropertyKey = kRunObjectPropertyKey;
    header.signal = SignalService;
    header.suspend = SuspendService;
    header.resume = ResumeService;
    header.registerRoutine = RegistrationService;
    header.parameter = ParameterService;
    header.temporaryText = TemporaryTextService;
    header.loopCounter = 1;
}

RunHost::~RunHost() {
    for (auto it = Routes().begin(); it != Routes().end();)
        it = it->second.host == this ? Routes().erase(it) : std::next(it);
    if (header.frameWindow)
        DestroyWindow(header.frameWindow);
    if (applicationWindow)
        DestroyWindow(applicationWindow);
}

void RunHost::ResizeFrame(int clientWidth, int clientHeight) {
    SetWindowPos(header.frameWindow, nullptr, 0, 0, clientWidth, clientHeight,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void RunHost::SetDisplayOrigin(LONG x, LONG y) {
    header.displayOriginX = x;
    header.displayOriginY = y;
}

std::unique_ptr<RunObject> RunHost::NewObject(LONG x, LONG y) {
    std::unique_ptr<RunObject> object(new RunObject());
    std::memset(object.get(), 0, sizeof(RunObject));
    object->runHeader = &header;
    object->x = x;
    object->y = y;
    return object;
}

int RunHost::SignalCount(int code) const {
    int count = 0;
    for (const SignalRecord& signal : signals)
        count += signal.code == code ? 1 : 0;
    return count;
}

int RunHost::CallCount(const std::string& entry) const {
    int count = 0;
    for (const std::string& call : journal)
        count += call == entry ? 1 : 0;
    return count;
}

void RunHost::ClearRecords() {
    journal.clear();
    signals.clear();
}

void RunHost::RemoveService(Service service) {
    switch (service) {
    case Signal:
        header.signal = nullptr;
        break;
    case Suspend:
        header.suspend = nullptr;
        break;
    case Resume:
        header.resume = nullptr;
        break;
    case Registration:
        header.registerRoutine = nullptr;
        break;
    case Parameter:
        header.parameter = nullptr;
        break;
    case TemporaryText:
        header.temporaryText = nullptr;
        break;
    }
}

RunObjectWindowRoutine RunHost::RoutineFor(HWND window) const {
    auto found = Routes().find(window);
    return found != Routes().end() && found->second.host == this ? found->second.routine : nullptr;
}

void RunHost::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int RunHost::OnSignalService(RunObject* object, int code, int parameter) {
    journal.push_back("signal " + std::to_string(code));
    signals.push_back(SignalRecord{object, code, parameter});
    if (signalHandler)
        signalHandler(object, code);
    return 0;
}

void RunHost::OnSuspendService(bool suspend) {
    journal.push_back(suspend ? "suspend" : "resume");
}

// The host routes the messages of the object's window to the routine and keeps the object on
// the window under its property key.
void RunHost::OnRegistration(RunObject* object, RunObjectWindowRoutine routine) {
    journal.push_back("register");
    HWND window = object->hostWindow;
    if (!window || !routine)
        return;
    SetPropW(window, kRunObjectPropertyKey, object);
    auto found = Routes().find(window);
    if (found != Routes().end()) {
        found->second.routine = routine;
        return;
    }
    WNDPROC original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RoutedWindowProc)));
    Routes()[window] = Route{this, routine, original};
}

DWORD RunHost::OnParameterService(int kind) {
    journal.push_back("parameter " + std::to_string(kind));
    DWORD bits = 0;
    std::memcpy(&bits, &parameterValue, sizeof bits);
    return bits;
}

LPVOID RunHost::OnTemporaryText(int bytes) {
    journal.push_back("text " + std::to_string(bytes));
    if (bytes <= 0)
        return nullptr;
    temporaryTexts.emplace_back(new BYTE[bytes]());
    return temporaryTexts.back().get();
}

ObjectSettings MakeSettings(LPCWSTR fileName, SHORT width, SHORT height, WORD flags,
                            double aspectRatio) {
    ObjectSettings settings;
    std::memset(&settings, 0, sizeof settings);
    settings.Header.Size = kObjectSettingsSize;
    settings.Header.Version = kObjectSettingsVersion;
    settings.Width = width;
    settings.Height = height;
    settings.Flags = flags;
    settings.AspectRatio = aspectRatio;
    for (size_t i = 0; fileName && fileName[i] && i + 1 < kFileNameUnits; ++i)
        settings.FileName[i] = fileName[i];
    return settings;
}

} // namespace hoststandin

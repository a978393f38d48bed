// The run-time object on real Windows behaviour (Wine): the access-violation guard against a
// real fault, and one object of the real Cinevane.dll driven by the run host of standin/host,
// from creation through clicks, playing to the end and a seek back, to destruction.
// Wine refuses the frame time format; the module derives the length in frames itself, so the
// cached count reads as on Windows.
#include "wine/wine_check.h"

#include "host/host_records.h"
#include "run_host.h"
#include "runtime/access_guard.h"
#include "media_writer.h"

#include <cstring>
#include <string>

namespace {

void WriteThrough(void* target) {
    *static_cast<volatile int*>(target) = 1;
}
void DoNothing(void*) {}

void CheckGuard() {
    DWORD code = 0;
    CHECK(!CallGuardedAgainstAccessViolation(WriteThrough, nullptr, &code));
    CHECK_EQ(code, 0xC0000005ul);
    code = 0;
    CHECK(!CallGuardedAgainstAccessViolation(WriteThrough, nullptr, &code)); // armed again
    CHECK_EQ(code, 0xC0000005ul);
    CHECK(CallGuardedAgainstAccessViolation(DoNothing, nullptr, &code));
}

typedef int(WINAPI* InitializeEntry)(EditHostRecord*, int);
typedef int(WINAPI* FreeEntry)(EditHostRecord*);
typedef int(WINAPI* RunObjectInfosEntry)(EditHostRecord*, RunObjectInfos*);
typedef int(WINAPI* CreateEntry)(RunObject*, ObjectSettings*, LPVOID);
typedef int(WINAPI* DestroyEntry)(RunObject*, LONG);
typedef int(WINAPI* FrameEntry)(RunObject*);

// An entry point of the DLL, through void* so the compiler sees no function-type cast.
template <class Entry> Entry Find(HMODULE dll, const char* name) {
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

struct Module {
    HMODULE dll = LoadLibraryW(L"Cinevane.dll");
    InitializeEntry Initialize = Find<InitializeEntry>(dll, "Initialize");
    FreeEntry Free = Find<FreeEntry>(dll, "Free");
    RunObjectInfosEntry GetRunObjectInfos = Find<RunObjectInfosEntry>(dll, "GetRunObjectInfos");
    CreateEntry CreateRunObject = Find<CreateEntry>(dll, "CreateRunObject");
    DestroyEntry DestroyRunObject = Find<DestroyEntry>(dll, "DestroyRunObject");
    FrameEntry HandleRunObject = Find<FrameEntry>(dll, "HandleRunObject");
    FrameEntry DisplayRunObject = Find<FrameEntry>(dll, "DisplayRunObject");
    bool Complete() const {
        return Initialize && Free && GetRunObjectInfos && CreateRunObject && DestroyRunObject &&
               HandleRunObject && DisplayRunObject;
    }
};

std::string TextAt(long address) {
    return winecheck::Narrow(reinterpret_cast<LPCWSTR>(static_cast<LONG_PTR>(address)));
}

void CheckLiveObject(Module& module, const std::string& clipPath) {
    EditHostRecord editHost;
    std::memset(&editHost, 0, sizeof editHost);
    CHECK_EQ(module.Initialize(&editHost, 1), 0);
    RunObjectInfos infos;
    std::memset(&infos, 0, sizeof infos);
    CHECK_EQ(module.GetRunObjectInfos(&editHost, &infos), 1);

    hoststandin::RunHost host(640, 480);
    WCHAR path[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, clipPath.c_str(), -1, path, MAX_PATH);
    ObjectSettings settings = hoststandin::MakeSettings(path, 320, 240, PlayAtStart);
    std::unique_ptr<RunObject> object = host.NewObject(20, 10);
    CHECK_EQ(module.CreateRunObject(object.get(), &settings, nullptr), 0);
    HWND window = object->hostWindow;
    WCHAR className[32] = {0};
    GetClassNameW(window, className, 32);
    CHECK_TEXT(className, "VidPlayer");
    CHECK(GetParent(window) == host.FrameWindow());
    CHECK(GetPropW(window, hoststandin::kRunObjectPropertyKey) == object.get());
    CHECK_EQ(GetWindowLongW(window, GWL_USERDATA), (LONG)(LONG_PTR)object.get());
    CHECK_EQ(object->cachedTotalMilliseconds, 1000L);
    CHECK_EQ(object->cachedTotalFrames, 25L);

    CHECK_EQ(module.DisplayRunObject(object.get()), 0);
    RECT placed = {};
    GetWindowRect(window, &placed);
    MapWindowPoints(nullptr, host.FrameWindow(), reinterpret_cast<POINT*>(&placed), 2);
    CHECK_EQ(placed.left, 20L);
    CHECK_EQ(placed.top, 10L);
    CHECK_EQ(placed.right - placed.left, 320L);
    CHECK_EQ(placed.bottom - placed.top, 240L);

    host.NextLoop();
    SendMessageW(window, WM_RBUTTONDBLCLK, 0, 0);
    CHECK_EQ(host.SignalCount(3), 1);
    CHECK_EQ(infos.conditions[3](object.get(), 258, 0), 1L);

    // Frames until the end is signalled: the graph's notification reaches the routine.
    DWORD start = GetTickCount();
    while (host.SignalCount(1) == 0 && GetTickCount() - start < 8000) {
        host.NextLoop();
        module.HandleRunObject(object.get());
        hoststandin::RunHost::PumpMessages();
        Sleep(20);
    }
    CHECK_EQ(host.SignalCount(1), 1);

    infos.actions[10](object.get(), 0, 0); // Goto beginning
    CHECK_EQ(infos.conditions[0](object.get(), 0, 0), 1L);
    CHECK_EQ(infos.expressions[3](object.get(), 0), 1L);
    CHECK_EQ(TextAt(infos.expressions[20](object.get(), 0)), std::string("00:00:01"));
    CHECK_EQ(object->resultTypeFlags & ResultIsText, (WORD)ResultIsText);

    CHECK_EQ(module.DestroyRunObject(object.get(), 0), 0);
    CHECK(!IsWindow(window));
    CHECK(object->player == nullptr);
    MSG quit;
    CHECK(!PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    CHECK_EQ(module.Free(&editHost), 0);
}

} // namespace

int main() {
    CheckGuard();

    Module module;
    CHECK(module.Complete());
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string clip = std::string(folder) + "runtime_wine_clip.avi";
    media::AviClip avi;
    avi.width = 64;
    avi.height = 48;
    CHECK(media::WriteAvi(clip, avi));
    if (module.Complete())
        CheckLiveObject(module, clip);
    DeleteFileA(clip.c_str());
    return WineCheckSummary();
}

// The frame editor's file-name change in the real Cinevane.dll under Wine: a generated 320 x 240
// clip is set as the object's file name through the property sheet entry points, measured by
// the hidden preview on Wine's DirectShow, and the settings record takes its size.
#include "wine/wine_check.h"

#include "edit/prop_value.h"
#include "host/host_records.h"
#include "host/object_settings.h"
#include "media_writer.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

typedef int(WINAPI* InitializeEntry)(EditHostRecord*, int);
typedef int(WINAPI* FreeEntry)(EditHostRecord*);
typedef int(WINAPI* CreateObjectEntry)(EditHostRecord*, LPVOID, ObjectSettings*);
typedef void(WINAPI* SetPropValueEntry)(EditHostRecord*, ObjectSettings*, UINT, CPropValue*);
typedef CPropValue*(WINAPI* GetPropValueEntry)(EditHostRecord*, ObjectSettings*, UINT);
typedef BOOL(WINAPI* GetPropCheckEntry)(EditHostRecord*, ObjectSettings*, UINT);
typedef void(WINAPI* GetObjectRectEntry)(EditHostRecord*, RECT*, LPVOID, ObjectSettings*);
typedef int(WINAPI* SetEditSizeEntry)(EditHostRecord*, ObjectSettings*, int, int);

const UINT kFileNameRow = 0x80002;
const UINT kDefaultSizeRow = 0x80006;

std::vector<int> requests;

DWORD WINAPI HostVersion() {
    return 0x02000000u | 0x0FFu;
}

int WINAPI RecordRequest(ObjectSettings*, int number, int, int, int) {
    requests.push_back(number);
    return 0;
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

struct Module {
    HMODULE handle = nullptr;
    template <typename Entry> Entry Get(const char* name) {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
    }
};

// Sets `path` as the file name the way the host's property sheet does: with a value object of
// its own, which the module reads through the value's virtual slots.
void SetFileName(Module& module, EditHostRecord* host, ObjectSettings* settings,
                 const std::wstring& path) {
    CPropWStringValue* value = CPropWStringValue::Create(path.c_str(), path.size());
    module.Get<SetPropValueEntry>("SetPropValue")(host, settings, kFileNameRow, value);
    value->Discard();
}

} // namespace

int main() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string clipPath = std::string(folder) + "editor_wine_320x240.avi";
    std::string soundPath = std::string(folder) + "editor_wine_sound.wav";
    media::AviClip clip; // 320 x 240
    clip.frames = 5;
    CHECK(media::WriteAvi(clipPath, clip));
    media::WavClip sound;
    sound.milliseconds = 200;
    CHECK(media::WriteWav(soundPath, sound));

    Module module;
    module.handle = LoadLibraryW(L"Cinevane.dll");
    CHECK(module.handle != nullptr);
    if (!module.handle)
        return WineCheckSummary();

    WNDCLASSW editorClass = {};
    editorClass.lpfnWndProc = EditorProc;
    editorClass.hInstance = GetModuleHandleW(nullptr);
    editorClass.lpszClassName = L"EditorWineHost";
    RegisterClassW(&editorClass);
    HWND editor = CreateWindowExW(0, L"EditorWineHost", L"frame editor", WS_OVERLAPPEDWINDOW, 0, 0,
                                  800, 600, nullptr, nullptr, editorClass.hInstance, nullptr);

    EditHostRecord host;
    std::memset(&host, 0, sizeof host);
    host.version = HostVersion;
    host.request = RecordRequest;
    host.editorMainWindow = editor;
    CHECK_EQ(module.Get<InitializeEntry>("Initialize")(&host, 1), 0);

    ObjectSettings settings;
    std::memset(&settings, 0, sizeof settings);
    CHECK_EQ(module.Get<CreateObjectEntry>("CreateObject")(&host, nullptr, &settings), 0);
    CHECK_EQ(settings.Width, 160);

    // With the client edge alone the measured client area is the video's native size.
    settings.Flags |= ClientBorder;
    SetFileName(module, &host, &settings, Wide(clipPath));
    CHECK_EQ(settings.Width, 320);
    CHECK_EQ(settings.Height, 240);
    CHECK_EQ(settings.NativeRect.left, 0l);
    CHECK_EQ(settings.NativeRect.top, 0l);
    CHECK_EQ(settings.NativeRect.right, 320l);
    CHECK_EQ(settings.NativeRect.bottom, 240l);
    CHECK(settings.AspectRatio > 1.3333 && settings.AspectRatio < 1.3334);
    CHECK_EQ(settings.NativeSizeTaken, 1ul);
    CHECK_EQ(module.Get<GetPropCheckEntry>("GetPropCheck")(&host, &settings, kDefaultSizeRow), 1);
    CHECK(!requests.empty() && requests.back() == 18);

    // The module's own value for the name, read and disposed of through its slots.
    CPropValue* name =
        module.Get<GetPropValueEntry>("GetPropValue")(&host, &settings, kFileNameRow);
    CHECK(name != nullptr);
    if (name) {
        CHECK_EQ(name->KindCode(), 0x53545257ul);
        CHECK_TEXT(PropValueText(name), clipPath);
        name->Discard();
    }

    // Without a border the 3-D edges (2 pixels each on Wine as on Windows) stay in the client.
    settings.Flags &= static_cast<WORD>(~ClientBorder);
    SetFileName(module, &host, &settings, Wide(clipPath));
    LONG edge = GetSystemMetrics(SM_CXEDGE);
    CHECK_EQ(settings.NativeRect.right, 320 + 2 * edge);
    CHECK_EQ(settings.NativeRect.bottom, 240 + 2 * GetSystemMetrics(SM_CYEDGE));
    CHECK_EQ(static_cast<LONG>(settings.Width), settings.NativeRect.right);

    // The object's rectangle and a resize locked to the measured ratio.
    RECT rect = {10, 20, 0, 0};
    module.Get<GetObjectRectEntry>("GetObjectRect")(&host, &rect, nullptr, &settings);
    CHECK_EQ(rect.right, 10 + settings.Width);
    settings.Flags |= KeepAspect;
    CHECK_EQ(module.Get<SetEditSizeEntry>("SetEditSize")(&host, &settings, 648, 0), 1);
    CHECK_EQ(settings.Width, 648);
    CHECK_EQ(static_cast<int>(settings.Height), static_cast<int>(648 / settings.AspectRatio));

    // A sound-only clip shows no picture: the preview becomes 32 x 32.
    SetFileName(module, &host, &settings, Wide(soundPath));
    CHECK_EQ(settings.NativeRect.right, 32l);
    CHECK_EQ(settings.NativeRect.bottom, 32l);
    CHECK_EQ(settings.Width, 32);

    // No preview window survives a measurement.
    CHECK(FindWindowExW(editor, nullptr, L"VidEdPlayer", nullptr) == nullptr);

    CHECK_EQ(module.Get<FreeEntry>("Free")(&host), 0);
    DestroyWindow(editor);
    FreeLibrary(module.handle);
    DeleteFileA(clipPath.c_str());
    DeleteFileA(soundPath.c_str());
    return WineCheckSummary();
}

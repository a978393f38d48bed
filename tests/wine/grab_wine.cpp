// The frame grab of the real Cinevane.dll under Wine, driven as the host drives it: handshake,
// CreateRunObject with a run header whose application record holds the filter manager of the
// stand-in HOSTRT.dll, then actions 36, 37 and 38 and condition 12 from the routine lists, on
// generated uncompressed AVIs. Where Wine differs from Windows the check names the difference
// and accepts what Wine does:
//  - WineRefusesSizeQuery: IBasicVideo::GetCurrentImage(size, NULL) answers E_POINTER instead of
//    the picture's size, with every renderer. The module then sizes the picture from the video
//    itself, so both grabs are saved and copied as on Windows.
//  - The module adds Wine's GDI "Video Renderer" before rendering (its own default renderer would
//    take a 24-bit clip as 12-bit YV12, and turn an RGB32 picture upside down): with a buffer the
//    picture comes as RGB24 or RGB32, bottom-up, as on Windows. WineRendererTakesYv12 and
//    WinePictureUpsideDown name what the default renderer did, and are off.
#include "wine/wine_check.h"

#include "host/host_image_services.h"
#include "host/host_records.h"
#include "host/run_object.h"
#include "player/video_player.h"
#include "run_host.h"
#include "support/image_files.h"
#include "media_writer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const bool WineRefusesSizeQuery = true;
const bool WineRendererTakesYv12 = false;
const bool WinePictureUpsideDown = false;
const DWORD kYv12 = 0x32315659u; // 'Y' 'V' '1' '2'

const int kWidth = 64;
const int kHeight = 48;
const char kClip24[] = "C:\\CinevaneGrab\\clip24.avi";
const char kClip32[] = "C:\\CinevaneGrab\\clip32.avi";
const WCHAR kBmpFile[] = L"C:\\CinevaneGrab\\frame.bmp";
const WCHAR kPngFile[] = L"C:\\CinevaneGrab\\frame.png";
const WCHAR kLogPath[] = L"C:\\Cinevane\\EventLog.txt";

typedef int(WINAPI* InitializeFunction)(EditHostRecord*, int);
typedef int(WINAPI* FreeFunction)(EditHostRecord*);
typedef int(WINAPI* GetRunObjectInfosFunction)(EditHostRecord*, RunObjectInfos*);
typedef int(WINAPI* CreateRunObjectFunction)(RunObject*, ObjectSettings*, LPVOID);
typedef int(WINAPI* DestroyRunObjectFunction)(RunObject*, LONG);
typedef void*(WINAPI* StandardFiltersFunction)();

template <typename Function> Function Find(HMODULE module, const char* name) {
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    CHECK(proc != nullptr);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

template <typename Service> Service FindOrdinal(HMODULE module, WORD ordinal) {
    FARPROC proc = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    CHECK(proc != nullptr);
    return reinterpret_cast<Service>(reinterpret_cast<void*>(proc));
}

std::string ReadFileBytes(LPCWSTR path) {
    std::string bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        hoststandin::RunHost::PumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

long Text(LPCWSTR text) {
    return static_cast<long>(reinterpret_cast<LONG_PTR>(text));
}

OAFilterState GraphState(RunObject* object) {
    OAFilterState state = -1;
    if (object->player && object->player->pMC)
        object->player->pMC->GetState(500, &state);
    return state;
}

// Every pixel against frame `frame` of the generated clip, or against it turned upside down.
void CheckFramePixels(const DecodedImage& image, int frame, bool upsideDown) {
    CHECK_EQ(image.width, kWidth);
    CHECK_EQ(image.height, kHeight);
    if (image.width != kWidth || image.height != kHeight)
        return;
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const media::Rgb p = media::DefaultPixel(frame, x, upsideDown ? kHeight - 1 - y : y);
            const uint32_t expected = (uint32_t(p.r) << 16) | (uint32_t(p.g) << 8) | p.b;
            if (image.At(x, y) != expected && wrong++ == 0)
                std::printf("first wrong pixel (%d, %d): 0x%06x, expected 0x%06x\n", x, y,
                            static_cast<unsigned>(image.At(x, y)), static_cast<unsigned>(expected));
        }
    CHECK_EQ(wrong, 0);
}

void PutTextOnClipboard() {
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 8);
    if (WCHAR* text = static_cast<WCHAR*>(GlobalLock(memory))) {
        std::memcpy(text, L"kept", 5 * sizeof(WCHAR));
        GlobalUnlock(memory);
    }
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

// Every pixel against whichever frame of the clip the picture shows (blue counts frames by 8):
// a running graph goes on between two grabs.
void CheckSomeFramePixels(const DecodedImage& image) {
    const int frame = image.width > 0 && image.height > 0 ? int(image.At(0, 0) & 0xff) / 8 : 0;
    CheckFramePixels(image, frame, false);
}

// Actions 36 and 37 on the object as the host calls them, and condition 12 after them; a grab
// of a stopped graph shows the first frame, one of a running graph the frame it had reached.
void CheckModuleGrabs(RunObject* object, const RunObjectInfos& infos, bool running) {
    const OAFilterState before = GraphState(object);
    object->lastError = 0;
    CHECK_EQ(infos.actions[36](object, Text(kBmpFile), 0), 0);
    CHECK_EQ(infos.actions[36](object, Text(kPngFile), 0), 0);
    DecodedImage image;
    std::string why;
    CHECK(DecodeBmp(ReadFileBytes(kBmpFile), &image, &why));
    running ? CheckSomeFramePixels(image) : CheckFramePixels(image, 0, false);
    CHECK(DecodePng(ReadFileBytes(kPngFile), &image, &why));
    running ? CheckSomeFramePixels(image) : CheckFramePixels(image, 0, false);
    CHECK_EQ(infos.conditions[12](object, 0, 0), 1l);
    CHECK_EQ(GraphState(object), before);

    PutTextOnClipboard();
    object->lastError = 0;
    CHECK_EQ(infos.actions[37](object, 0, 0), 0);
    CHECK_EQ(object->lastError, 0);
    CHECK(IsClipboardFormatAvailable(CF_DIB));
    CHECK(!IsClipboardFormatAvailable(CF_UNICODETEXT));
    CHECK_EQ(GraphState(object), before);

    CHECK_EQ(infos.actions[38](object, 0, 0), 0);
    CHECK_EQ(CountClipboardFormats(), 0);
}

// The picture Wine's renderer gives with a buffer (paused on frame 0): a packed DIB, or empty.
std::vector<BYTE> WinePicture(RunObject* object) {
    IBasicVideo* video = object->player ? object->player->pBV : nullptr;
    CHECK(video != nullptr);
    if (!video)
        return std::vector<BYTE>();
    long size = 0;
    CHECK_EQ(video->GetCurrentImage(&size, nullptr), WineRefusesSizeQuery ? E_POINTER : S_OK);
    long capacity = 40 + kWidth * kHeight * 4;
    std::vector<BYTE> dib(static_cast<size_t>(capacity) + sizeof(long), 0);
    HRESULT hr = video->GetCurrentImage(&capacity, reinterpret_cast<long*>(dib.data()));
    CHECK_EQ(hr, S_OK);
    return SUCCEEDED(hr) ? dib : std::vector<BYTE>();
}

DWORD HeaderField(const std::vector<BYTE>& dib, size_t at, size_t bytes) {
    DWORD value = 0;
    std::memcpy(&value, &dib[at], bytes);
    return value;
}

// A 24-bit clip: the renderer's picture is YV12, for which the host has no surface prototype.
void CheckYv12Picture(RunObject* object, HMODULE hostRuntime) {
    std::vector<BYTE> dib = WinePicture(object);
    if (dib.empty() || !WineRendererTakesYv12)
        return;
    CHECK_EQ(HeaderField(dib, 14, 2), 12ul);
    CHECK_EQ(HeaderField(dib, 16, 4), kYv12);
    auto prototypeOf = FindOrdinal<SurfacePrototypeService>(hostRuntime, OrdinalSurfacePrototype);
    void* prototype = reinterpret_cast<void*>(1);
    if (prototypeOf)
        prototypeOf(&prototype, 12, 1, 0);
    CHECK(prototype == nullptr);
}

// A 32-bit clip: the renderer's picture is RGB32 (upside down), carried through HOSTRT.dll's
// surface, filters and save to a .bmp and a .png as the grab carries its picture.
void CheckRgbPictureThroughHostRuntime(RunObject* object, HMODULE hostRuntime, void* manager) {
    std::vector<BYTE> dib = WinePicture(object);
    if (dib.empty())
        return;
    CHECK_EQ(HeaderField(dib, 14, 2), 32ul);
    CHECK_EQ(HeaderField(dib, 16, 4), 0ul);

    auto prototypeOf = FindOrdinal<SurfacePrototypeService>(hostRuntime, OrdinalSurfacePrototype);
    auto construct = FindOrdinal<SurfaceBlockService>(hostRuntime, OrdinalSurfaceConstruct);
    auto create = FindOrdinal<SurfaceCreateService>(hostRuntime, OrdinalSurfaceCreate);
    auto load = FindOrdinal<SurfaceLoadDibService>(hostRuntime, OrdinalSurfaceLoadDib);
    auto release = FindOrdinal<SurfaceBlockService>(hostRuntime, OrdinalSurfaceReleaseContent);
    auto destroy = FindOrdinal<SurfaceBlockService>(hostRuntime, OrdinalSurfaceDestroy);
    auto save = FindOrdinal<SaveSurfaceService>(hostRuntime, OrdinalSaveSurface);
    if (!prototypeOf || !construct || !create || !load || !release || !destroy || !save)
        return;

    void* prototype = nullptr;
    prototypeOf(&prototype, 32, 1, 0);
    CHECK(prototype != nullptr);
    HostSurfaceBlock surface = {};
    construct(&surface);
    create(&surface, kWidth, kHeight, prototype);
    CHECK(load(&surface, dib.data(), 0, 0) != FALSE);
    CHECK(save(manager, kBmpFile, &surface, kBmpFilterIdentifier) != FALSE);
    CHECK(save(manager, kPngFile, &surface, 0x30474E50u) != FALSE);
    release(&surface);
    destroy(&surface);

    DecodedImage image;
    std::string why;
    CHECK(DecodeBmp(ReadFileBytes(kBmpFile), &image, &why));
    CheckFramePixels(image, 0, WinePictureUpsideDown);
    CHECK(DecodePng(ReadFileBytes(kPngFile), &image, &why));
    CheckFramePixels(image, 0, WinePictureUpsideDown);
}

std::wstring WidePath(const char* path) {
    std::wstring wide;
    for (const char* c = path; *c; ++c)
        wide.push_back(static_cast<wchar_t>(*c));
    return wide;
}

// An object on `clip`, created as the host creates it, left stopped (the graph stopped too).
std::unique_ptr<RunObject> StartObject(hoststandin::RunHost& host, CreateRunObjectFunction create,
                                       const char* clip) {
    std::unique_ptr<RunObject> object = host.NewObject();
    ObjectSettings settings =
        hoststandin::MakeSettings(WidePath(clip).c_str(), kWidth, kHeight, LogMode);
    CHECK_EQ(create(object.get(), &settings, nullptr), 0);
    PumpFor(300);
    CHECK(object->player != nullptr);
    return object;
}

// Play, then stop: the player rewinds and leaves the graph paused on the first frame.
void PauseOnFirstFrame(RunObject* object, const RunObjectInfos& infos) {
    infos.actions[0](object, 0, 0);
    PumpFor(200);
    infos.actions[1](object, 0, 0);
    PumpFor(200);
    CHECK_EQ(GraphState(object), static_cast<OAFilterState>(State_Paused));
}

} // namespace

int main() {
    CreateDirectoryW(L"C:\\CinevaneGrab", nullptr);
    DeleteFileW(kBmpFile);
    DeleteFileW(kPngFile);
    media::AviClip clip;
    clip.width = kWidth;
    clip.height = kHeight;
    clip.frames = 50;
    CHECK(media::WriteAvi(kClip24, clip));
    clip.bitCount = 32;
    CHECK(media::WriteAvi(kClip32, clip));

    HMODULE module = LoadLibraryW(L"Cinevane.dll");
    HMODULE hostRuntime = LoadLibraryW(L"HOSTRT.dll");
    CHECK(module != nullptr);
    CHECK(hostRuntime != nullptr);
    auto initialize = Find<InitializeFunction>(module, "Initialize");
    auto release = Find<FreeFunction>(module, "Free");
    auto getRunObjectInfos = Find<GetRunObjectInfosFunction>(module, "GetRunObjectInfos");
    auto create = Find<CreateRunObjectFunction>(module, "CreateRunObject");
    auto destroy = Find<DestroyRunObjectFunction>(module, "DestroyRunObject");
    auto standardFilters = Find<StandardFiltersFunction>(hostRuntime, "HostRtStandardImageFilters");
    if (!initialize || !release || !getRunObjectInfos || !create || !destroy || !standardFilters)
        return WineCheckSummary();

    EditHostRecord edit;
    std::memset(&edit, 0, sizeof edit);
    CHECK_EQ(initialize(&edit, 1), 0);
    RunObjectInfos infos;
    std::memset(&infos, 0, sizeof infos);
    getRunObjectInfos(&edit, &infos);
    CHECK(infos.actions != nullptr && infos.conditions != nullptr);
    if (!infos.actions || !infos.conditions)
        return WineCheckSummary();

    {
        hoststandin::RunHost host;
        HostApplication application = {standardFilters()};
        host.Header()->application = &application;

        std::unique_ptr<RunObject> object = StartObject(host, create, kClip32);
        if (object->player) {
            CHECK_EQ(GraphState(object.get()), static_cast<OAFilterState>(State_Stopped));
            CheckModuleGrabs(object.get(), infos, false);

            // A playing graph: the grab pauses it for the copy and runs it again.
            CHECK_EQ(infos.actions[0](object.get(), 0, 0), 0);
            PumpFor(200);
            CHECK_EQ(GraphState(object.get()), static_cast<OAFilterState>(State_Running));
            CheckModuleGrabs(object.get(), infos, true);

            PauseOnFirstFrame(object.get(), infos);
            CheckRgbPictureThroughHostRuntime(object.get(), hostRuntime,
                                              application.imageFilterManager);
        }
        destroy(object.get(), 0);

        object = StartObject(host, create, kClip24);
        if (object->player) {
            PauseOnFirstFrame(object.get(), infos);
            CheckYv12Picture(object.get(), hostRuntime);
        }
        destroy(object.get(), 0);
    }
    release(&edit);
    return WineCheckSummary();
}

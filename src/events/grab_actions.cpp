// Frame grab and clipboard actions: the picture the graph shows becomes a host surface, which
// the host's image filters save to a file or which goes to the clipboard as a packed DIB.
#include "events/actions.h"

#include "diag/event_log.h"
#include "host/host_images.h"
#include "player/packed_dib.h"
#include "player/video_player.h"

#include <new>

namespace {

const SHORT NoNameOrPlayerError = 1;
const SHORT NoPictureError = 32;
const SHORT NotAnImageError = 64;

enum GrabOutcome {
    GrabReady,       // the surface holds the picture
    GrabNoPicture,   // the graph gave no picture
    GrabNoPrototype, // the host has no surface for the picture's depth: nothing to report
    GrabNotAnImage,  // the picture could not be turned into a host surface
};

// One grab's picture: the packed DIB the graph gave and the host surface made from it. Both are
// freed when the grab ends, whatever happened.
class GrabbedPicture {
  public:
    GrabbedPicture() : dib(NULL), dibBytes(0), surface(NULL) {}
    ~GrabbedPicture() {
        if (surface) {
            DestroyHostSurface(surface);
            delete surface;
        }
        delete[] dib;
    }

    GrabOutcome Take(VideoPlayer* player) {
        const LONG height = player->GetNativeVideoHeight();
        const LONG width = player->GetNativeVideoWidth();
        dib = player->GrabCurrentImage(&dibBytes);
        if (!dib)
            return GrabNoPicture;
        // The host reads as far as the header says: a block whose header claims more than
        // the block holds (or too short for a header at all) is refused before anyone reads it.
        if (!PackedDibFitsBlock(dib, dibBytes))
            return GrabNotAnImage;

        void* prototype = NULL;
        if (!LookUpSurfacePrototype(PackedDibBitCount(dib, dibBytes), &prototype))
            return GrabNoPrototype;

        surface = new (std::nothrow) HostSurfaceBlock();
        if (!surface)
            return GrabNotAnImage;
        ConstructHostSurface(surface);
        // The load gives the surface the picture's own size, so a failed creation is not final.
        CreateHostSurface(surface, width, height, prototype);
        if (!LoadHostSurfaceFromDib(surface, dib))
            return GrabNotAnImage;
        return GrabReady;
    }

    HostSurfaceBlock* Surface() const { return surface; }

  private:
    GrabbedPicture(const GrabbedPicture&);
    GrabbedPicture& operator=(const GrabbedPicture&);

    BYTE* dib;
    LONG dibBytes;
    HostSurfaceBlock* surface;
};

// The application's image-filter manager, reached through the run header; null without one.
void* ImageFilterManagerOf(const RunObject* object) {
    const RunHeader* header = object->runHeader;
    if (!header || !header->application)
        return NULL;
    return header->application->imageFilterManager;
}

// The filter the name's extension asks for, or the BMP filter when the host cannot use it.
DWORD ChooseFilter(void* manager, LPCWSTR fileName, HostFilterSelectorBlock* selector) {
    DWORD identifier = FindImageFilter(manager, fileName);
    ConstructHostFilterSelector(selector, manager);
    SelectImageFilter(selector, identifier);
    if (!IsSelectedImageFilterValid(selector))
        identifier = kBmpFilterIdentifier;
    return identifier;
}

void SaveToFile(RunObject* object, LPCWSTR fileName, HostSurfaceBlock* surface) {
    void* manager = ImageFilterManagerOf(object);
    HostFilterSelectorBlock selector = {};
    const DWORD identifier = ChooseFilter(manager, fileName, &selector);
    LogEvent(ModuleLog(), L"Grab Image exist");
    if (SaveHostSurface(manager, fileName, surface, identifier)) {
        object->grabDone = 1;
        LogEvent(ModuleLog(), L"Image saved...");
    }
    ReleaseHostSurfaceContent(surface);
    DestroyHostFilterSelector(&selector);
}

// Movable global memory of the surface's DIB size with the host's packed DIB of it written in,
// or null. What the writing service answers is not relied on: hosts differ (a byte count, a
// flag), and the size was taken from the size service before.
HGLOBAL SurfaceAsGlobalDib(HostSurfaceBlock* surface) {
    const DWORD bytes = HostSurfaceDibSize(surface);
    if (bytes == 0)
        return NULL; // no picture to hand over
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return NULL;
    void* data = GlobalLock(memory);
    if (!data) {
        GlobalFree(memory);
        return NULL;
    }
    WriteHostSurfaceDib(surface, data);
    GlobalUnlock(memory);
    return memory;
}

// A clipboard that cannot be opened is left alone.
void PutOnClipboard(HostSurfaceBlock* surface) {
    if (!OpenClipboard(NULL))
        return;
    EmptyClipboard();
    if (HGLOBAL memory = SurfaceAsGlobalDib(surface)) {
        // Handed over, the memory is the clipboard's; refused, it is still ours.
        if (!SetClipboardData(CF_DIB, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

} // namespace

long WINAPI GrabToFileAction(RunObject* object, long fileName, long) {
    if (!object)
        return 0;
    LPCWSTR name = reinterpret_cast<LPCWSTR>(static_cast<LONG_PTR>(fileName));
    VideoPlayer* player = object->player;
    if (!name || !name[0] || !player) {
        object->lastError = NoNameOrPlayerError;
        return 0;
    }

    GrabbedPicture picture;
    switch (picture.Take(player)) {
    case GrabNoPicture:
        object->lastError = NoPictureError;
        LogEvent(ModuleLog(), L"No Image get...");
        break;
    case GrabNoPrototype:
        break;
    case GrabNotAnImage:
        LogEvent(ModuleLog(), L"No Image created...");
        object->grabDone = 0;
        object->lastError = NotAnImageError;
        break;
    case GrabReady:
        SaveToFile(object, name, picture.Surface());
        break;
    }
    return 0;
}

long WINAPI GrabToClipboardAction(RunObject* object, long, long) {
    if (!object)
        return 0;
    VideoPlayer* player = object->player;
    if (!player) {
        object->lastError = NoNameOrPlayerError;
        return 0;
    }

    GrabbedPicture picture;
    switch (picture.Take(player)) {
    case GrabNoPicture:
        object->lastError = NoPictureError;
        break;
    case GrabNoPrototype:
        break;
    case GrabNotAnImage:
        object->grabDone = 0;
        object->lastError = NotAnImageError;
        break;
    case GrabReady:
        PutOnClipboard(picture.Surface());
        break;
    }
    return 0;
}

long WINAPI ResetClipboardAction(RunObject*, long, long) {
    if (OpenClipboard(NULL)) {
        EmptyClipboard();
        CloseClipboard();
    }
    return 0;
}

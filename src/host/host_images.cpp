#include "host/host_images.h"

#include "diag/text.h"
#include "host/hostrt.h"

namespace {

// The service at `ordinal` as the calling shape the caller expects, or null. The detour through
// the generic function-pointer type is how a procedure address changes shape without a warning.
template <typename Service> Service Bind(WORD ordinal) {
    typedef void (*AnyProcedure)();
    return reinterpret_cast<Service>(reinterpret_cast<AnyProcedure>(HostRuntimeProc(ordinal)));
}

// A filter's extension list is ended by an empty text; a list that never ends is cut here.
constexpr int kMaxExtensionsPerFilter = 64;

} // namespace

bool LookUpSurfacePrototype(int depth, void** prototype) {
    if (!prototype)
        return false;
    *prototype = nullptr;
    auto service = Bind<SurfacePrototypeService>(OrdinalSurfacePrototype);
    if (!service)
        return false;
    service(prototype, depth, kMemorySurfaceType, 0);
    return *prototype != nullptr;
}

void ConstructHostSurface(HostSurfaceBlock* surface) {
    if (auto service = Bind<SurfaceBlockService>(OrdinalSurfaceConstruct))
        service(surface);
}

void DestroyHostSurface(HostSurfaceBlock* surface) {
    if (auto service = Bind<SurfaceBlockService>(OrdinalSurfaceDestroy))
        service(surface);
}

bool CreateHostSurface(HostSurfaceBlock* surface, int width, int height, void* prototype) {
    auto service = Bind<SurfaceCreateService>(OrdinalSurfaceCreate);
    return service && service(surface, width, height, prototype) != FALSE;
}

bool LoadHostSurfaceFromDib(HostSurfaceBlock* surface, const void* packedDib) {
    auto service = Bind<SurfaceLoadDibService>(OrdinalSurfaceLoadDib);
    return service && service(surface, packedDib, 0, 0) != FALSE;
}

DWORD HostSurfaceDibSize(HostSurfaceBlock* surface) {
    auto service = Bind<SurfaceDibSizeService>(OrdinalSurfaceDibSize);
    return service ? service(surface) : 0;
}

DWORD WriteHostSurfaceDib(HostSurfaceBlock* surface, void* destination) {
    auto service = Bind<SurfaceWriteDibService>(OrdinalSurfaceWriteDib);
    return service ? service(surface, destination, 0, 0) : 0;
}

void ReleaseHostSurfaceContent(HostSurfaceBlock* surface) {
    if (auto service = Bind<SurfaceBlockService>(OrdinalSurfaceReleaseContent))
        service(surface);
}

int ImageFilterCount(void* manager) {
    auto service = Bind<FilterCountService>(OrdinalFilterCount);
    return service ? service(manager) : 0;
}

bool IsImageFilterUsable(void* manager, int index) {
    auto service = Bind<FilterUsableService>(OrdinalFilterUsable);
    return service && service(manager, index) != FALSE;
}

LPCWSTR* ImageFilterExtensions(void* manager, int index) {
    auto service = Bind<FilterExtensionsService>(OrdinalFilterExtensions);
    return service ? service(manager, index) : nullptr;
}

DWORD ImageFilterIdentifier(void* manager, int index) {
    auto service = Bind<FilterIdentifierService>(OrdinalFilterIdentifier);
    return service ? service(manager, index) : 0;
}

void ConstructHostFilterSelector(HostFilterSelectorBlock* selector, void* manager) {
    if (auto service = Bind<SelectorConstructService>(OrdinalSelectorConstruct))
        service(selector, manager);
}

bool SelectImageFilter(HostFilterSelectorBlock* selector, DWORD identifier) {
    auto service = Bind<SelectorSelectService>(OrdinalSelectorSelect);
    return service && service(selector, identifier) != FALSE;
}

bool IsSelectedImageFilterValid(HostFilterSelectorBlock* selector) {
    auto service = Bind<SelectorValidService>(OrdinalSelectorValid);
    return service && service(selector) != FALSE;
}

void DestroyHostFilterSelector(HostFilterSelectorBlock* selector) {
    if (auto service = Bind<SelectorDestroyService>(OrdinalSelectorDestroy))
        service(selector);
}

bool SaveHostSurface(void* manager, LPCWSTR fileName, HostSurfaceBlock* surface, DWORD identifier) {
    auto service = Bind<SaveSurfaceService>(OrdinalSaveSurface);
    return service && service(manager, fileName, surface, identifier) != FALSE;
}

DWORD FindImageFilter(void* manager, LPCWSTR fileName) {
    static const WCHAR kBmp[] = {L'b', L'm', L'p', 0};
    LPCWSTR name = fileName ? fileName : L"";
    LPCWSTR dot = TextFindLast(name, L'.');
    LPCWSTR extension = dot ? dot + 1 : name;

    const int count = ImageFilterCount(manager);
    int result = -1;
    int fallback = 0;
    for (int index = 0; index < count && result < 0; ++index) {
        if (!IsImageFilterUsable(manager, index))
            continue;
        LPCWSTR* extensions = ImageFilterExtensions(manager, index);
        for (int entry = 0; extensions && entry < kMaxExtensionsPerFilter; ++entry) {
            LPCWSTR text = extensions[entry];
            if (!text || !text[0])
                break;
            if (TextCompare(text, kBmp) == 0)
                fallback = index;
            if (TextCompare(text, extension) == 0) {
                result = index;
                break;
            }
        }
    }
    if (result < 0)
        result = fallback;
    return ImageFilterIdentifier(manager, result);
}

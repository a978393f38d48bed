#include "hostrt_exports.h"

#include "dib_codec.h"
#include "host_runtime.h"
#include "image_filters.h"
#include "surface.h"

// Each service answers its failure value for bad arguments and never lets an exception reach
// the module.

using namespace hoststandin;

extern "C" {

BOOL WINAPI HostRtSurfacePrototype(void** prototype, int depth, int surfaceType, int /*driver*/) {
    if (!prototype)
        return FALSE;
    const SurfacePrototype* found =
        surfaceType == kMemorySurfaceType ? FindSurfacePrototype(depth) : nullptr;
    *prototype = const_cast<SurfacePrototype*>(found);
    return found != nullptr;
}

void WINAPI HostRtSurfaceConstruct(HostSurfaceBlock* surface) {
    ConstructSurfaceBlock(surface);
}

// The prototype is a prototype for a depth, or another surface: the frame-editor display makes
// its scratch surface "like" the editor window's.
BOOL WINAPI HostRtSurfaceCreate(HostSurfaceBlock* block, int width, int height, void* prototype) {
    Surface* surface = SurfaceFromBlock(block);
    if (!surface)
        return FALSE;
    if (const SurfacePrototype* kind = PrototypeFromHandle(prototype))
        return surface->Create(width, height, StorageDepthFor(kind->depth));
    const Surface* model = SurfaceFromBlock(static_cast<HostSurfaceBlock*>(prototype));
    if (!model || model->Empty())
        return FALSE;
    return surface->Create(width, height, model->Depth());
}

BOOL WINAPI HostRtSurfaceLoadDib(HostSurfaceBlock* block, const void* packedDib, DWORD, DWORD) {
    Surface* surface = SurfaceFromBlock(block);
    if (!surface)
        return FALSE;
    try {
        return LoadSurfaceFromDib(*surface, packedDib);
    } catch (...) {
        return FALSE;
    }
}

DWORD WINAPI HostRtSurfaceDibSize(HostSurfaceBlock* block) {
    Surface* surface = SurfaceFromBlock(block);
    return surface ? PackedDibSize(*surface) : 0;
}

DWORD WINAPI HostRtSurfaceWriteDib(HostSurfaceBlock* block, void* destination, DWORD, DWORD) {
    Surface* surface = SurfaceFromBlock(block);
    return surface ? WritePackedDib(*surface, destination) : 0;
}

void WINAPI HostRtSurfaceReleaseContent(HostSurfaceBlock* block) {
    if (Surface* surface = SurfaceFromBlock(block))
        surface->Release();
}

void WINAPI HostRtSurfaceDestroy(HostSurfaceBlock* block) {
    DestroySurfaceBlock(block);
}

int WINAPI HostRtFilterCount(void* handle) {
    ImageFilterManager* manager = ImageFilterManager::FromHandle(handle);
    return manager ? manager->Count() : 0;
}

BOOL WINAPI HostRtFilterUsable(void* handle, int index) {
    ImageFilterManager* manager = ImageFilterManager::FromHandle(handle);
    return manager && manager->Usable(index);
}

LPCWSTR* WINAPI HostRtFilterExtensions(void* handle, int index) {
    ImageFilterManager* manager = ImageFilterManager::FromHandle(handle);
    static const WCHAR endOfList[1] = {0};
    static LPCWSTR none[1] = {endOfList};
    return manager ? manager->Extensions(index) : none;
}

DWORD WINAPI HostRtFilterIdentifier(void* handle, int index) {
    ImageFilterManager* manager = ImageFilterManager::FromHandle(handle);
    return manager ? manager->Identifier(index) : 0;
}

void WINAPI HostRtSelectorConstruct(HostFilterSelectorBlock* selector, void* manager) {
    ConstructFilterSelector(selector, manager);
}

BOOL WINAPI HostRtSelectorSelect(HostFilterSelectorBlock* selector, DWORD identifier) {
    return SelectFilter(selector, identifier);
}

BOOL WINAPI HostRtSelectorValid(HostFilterSelectorBlock* selector) {
    return SelectedFilterValid(selector);
}

void WINAPI HostRtSelectorDestroy(HostFilterSelectorBlock* selector) {
    DestroyFilterSelector(selector);
}

BOOL WINAPI HostRtSaveSurface(void* manager, LPCWSTR fileName, HostSurfaceBlock* block,
                              DWORD identifier) {
    try {
        return SaveSurfaceToFile(manager, fileName, SurfaceFromBlock(block), identifier);
    } catch (...) {
        return FALSE;
    }
}

int WINAPI HostRtFileExists(LPCWSTR path) {
    return HostRuntimeFileExists(path);
}

void* WINAPI HostRtStandardImageFilters() {
    return &StandardImageFilters();
}

} // extern "C"

namespace hoststandin {
namespace {

// The services keep the exact shapes the module calls them with.
constexpr SurfacePrototypeService kPrototype = HostRtSurfacePrototype;
constexpr SurfaceBlockService kConstruct = HostRtSurfaceConstruct;
constexpr SurfaceCreateService kCreate = HostRtSurfaceCreate;
constexpr SurfaceLoadDibService kLoad = HostRtSurfaceLoadDib;
constexpr SurfaceDibSizeService kDibSize = HostRtSurfaceDibSize;
constexpr SurfaceWriteDibService kWriteDib = HostRtSurfaceWriteDib;
constexpr SurfaceBlockService kRelease = HostRtSurfaceReleaseContent;
constexpr SurfaceBlockService kDestroy = HostRtSurfaceDestroy;
constexpr FilterCountService kCount = HostRtFilterCount;
constexpr FilterUsableService kUsable = HostRtFilterUsable;
constexpr FilterExtensionsService kExtensions = HostRtFilterExtensions;
constexpr FilterIdentifierService kIdentifier = HostRtFilterIdentifier;
constexpr SelectorConstructService kSelectorConstruct = HostRtSelectorConstruct;
constexpr SelectorSelectService kSelectorSelect = HostRtSelectorSelect;
constexpr SelectorValidService kSelectorValid = HostRtSelectorValid;
constexpr SelectorDestroyService kSelectorDestroy = HostRtSelectorDestroy;
constexpr SaveSurfaceService kSave = HostRtSaveSurface;

template <typename Service> HostRuntimeProcedure Procedure(Service service) {
    return reinterpret_cast<HostRuntimeProcedure>(service);
}

} // namespace

const HostRuntimeExport kImageServiceExports[] = {
    {OrdinalSurfacePrototype, Procedure(kPrototype)},
    {OrdinalSurfaceConstruct, Procedure(kConstruct)},
    {OrdinalSurfaceCreate, Procedure(kCreate)},
    {OrdinalSurfaceLoadDib, Procedure(kLoad)},
    {OrdinalSurfaceDibSize, Procedure(kDibSize)},
    {OrdinalSurfaceWriteDib, Procedure(kWriteDib)},
    {OrdinalSurfaceReleaseContent, Procedure(kRelease)},
    {OrdinalSurfaceDestroy, Procedure(kDestroy)},
    {OrdinalFilterCount, Procedure(kCount)},
    {OrdinalFilterUsable, Procedure(kUsable)},
    {OrdinalFilterExtensions, Procedure(kExtensions)},
    {OrdinalFilterIdentifier, Procedure(kIdentifier)},
    {OrdinalSelectorConstruct, Procedure(kSelectorConstruct)},
    {OrdinalSelectorSelect, Procedure(kSelectorSelect)},
    {OrdinalSelectorValid, Procedure(kSelectorValid)},
    {OrdinalSelectorDestroy, Procedure(kSelectorDestroy)},
    {OrdinalSaveSurface, Procedure(kSave)},
    {0, nullptr},
};

} // namespace hoststandin

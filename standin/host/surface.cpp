#include "surface.h"

#include <new>

namespace hoststandin {
namespace {

constexpr DWORD kSurfaceTag = 0x46535643u;   // "CVSF"
constexpr DWORD kPrototypeTag = 0x50535643u; // "CVSP"

// Layout of a constructed HostSurfaceBlock.
struct SurfaceBlockLayout {
    DWORD tag;
    Surface* surface;
    DWORD reserved[2];
};
static_assert(sizeof(SurfaceBlockLayout) == sizeof(HostSurfaceBlock), "fits the module's block");

const SurfacePrototype kPrototypes[] = {
    {kPrototypeTag, 8}, {kPrototypeTag, 16}, {kPrototypeTag, 24}, {kPrototypeTag, 32}};

} // namespace

unsigned long long AlignedRowBytes(unsigned long long width, int bitsPerPixel) {
    if (bitsPerPixel <= 0 || width > 0x7FFFFFFFull)
        return 0;
    return (width * static_cast<unsigned long long>(bitsPerPixel) + 31) / 32 * 4;
}

bool Surface::Create(int newWidth, int newHeight, int newDepth) {
    Release();
    if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxSurfaceSide ||
        newHeight > kMaxSurfaceSide || (newDepth != 24 && newDepth != 32))
        return false;
    unsigned long long rowBytes = AlignedRowBytes(static_cast<unsigned>(newWidth), newDepth);
    unsigned long long total = rowBytes * static_cast<unsigned>(newHeight);
    if (total > kMaxSurfaceBytes)
        return false;
    bits.reset(static_cast<BYTE*>(std::calloc(static_cast<size_t>(total), 1)));
    if (!bits)
        return false;
    bitsSize = static_cast<DWORD>(total);
    width = newWidth;
    height = newHeight;
    depth = newDepth;
    stride = static_cast<DWORD>(rowBytes);
    return true;
}

void Surface::Release() {
    bits.reset();
    bitsSize = 0;
    width = height = depth = 0;
    stride = 0;
}

Rgb Surface::Pixel(int x, int y) const {
    if (Empty() || x < 0 || y < 0 || x >= width || y >= height)
        return Rgb{0, 0, 0};
    const BYTE* pixel = RowFromTop(y) + static_cast<size_t>(x) * (depth / 8);
    return Rgb{pixel[2], pixel[1], pixel[0]};
}

void Surface::SetPixel(int x, int y, Rgb colour) {
    if (Empty() || x < 0 || y < 0 || x >= width || y >= height)
        return;
    BYTE* pixel = RowFromTop(y) + static_cast<size_t>(x) * (depth / 8);
    pixel[0] = colour.blue;
    pixel[1] = colour.green;
    pixel[2] = colour.red;
}

const SurfacePrototype* FindSurfacePrototype(int depth) {
    for (const SurfacePrototype& prototype : kPrototypes)
        if (prototype.depth == depth)
            return &prototype;
    return nullptr;
}

const SurfacePrototype* PrototypeFromHandle(const void* handle) {
    for (const SurfacePrototype& prototype : kPrototypes)
        if (handle == &prototype)
            return &prototype;
    return nullptr;
}

int StorageDepthFor(int depth) {
    return depth == 32 ? 32 : 24;
}

void ConstructSurfaceBlock(HostSurfaceBlock* block) {
    if (!block)
        return;
    auto* layout = reinterpret_cast<SurfaceBlockLayout*>(block);
    layout->tag = 0;
    layout->surface = new (std::nothrow) Surface();
    layout->reserved[0] = layout->reserved[1] = 0;
    if (layout->surface)
        layout->tag = kSurfaceTag;
}

void DestroySurfaceBlock(HostSurfaceBlock* block) {
    Surface* surface = SurfaceFromBlock(block);
    if (!surface)
        return;
    delete surface;
    auto* layout = reinterpret_cast<SurfaceBlockLayout*>(block);
    layout->tag = 0;
    layout->surface = nullptr;
}

Surface* SurfaceFromBlock(HostSurfaceBlock* block) {
    if (!block)
        return nullptr;
    auto* layout = reinterpret_cast<SurfaceBlockLayout*>(block);
    return layout->tag == kSurfaceTag ? layout->surface : nullptr;
}

} // namespace hoststandin

// In-memory surfaces of the host stand-in: 24 or 32 bits per pixel, rows kept bottom-up with
// 4-byte aligned strides (the packed-DIB row order), so converting to a DIB or a BMP file is a
// header plus one copy of the rows.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <memory>

#include "host/host_image_services.h"

namespace hoststandin {

// Largest side and largest pixel store a surface accepts; bigger requests fail cleanly.
constexpr int kMaxSurfaceSide = 16384;
constexpr unsigned long long kMaxSurfaceBytes = 256ull * 1024 * 1024;

// Bytes of one 4-byte aligned row, computed without overflow (0 when out of range).
unsigned long long AlignedRowBytes(unsigned long long width, int bitsPerPixel);

struct Rgb {
    BYTE red;
    BYTE green;
    BYTE blue;
};

class Surface {
  public:
    // Gives the surface width x height pixels at 24 or 32 bits, all black. False (and the
    // surface left empty) for a bad size or depth, or when memory runs out.
    bool Create(int width, int height, int depth);
    void Release();

    bool Empty() const { return !bits; }
    int Width() const { return width; }
    int Height() const { return height; }
    int Depth() const { return depth; }
    DWORD Stride() const { return stride; }

    // Row y counted from the top, in B, G, R(, X) order.
    BYTE* RowFromTop(int y) { return bits.get() + RowOffset(y); }
    const BYTE* RowFromTop(int y) const { return bits.get() + RowOffset(y); }
    // All rows, bottom row first: exactly the pixel part of a packed DIB.
    const BYTE* Bits() const { return bits.get(); }
    DWORD BitsSize() const { return bitsSize; }

    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb colour);

  private:
    size_t RowOffset(int y) const { return static_cast<size_t>(height - 1 - y) * stride; }

    int width = 0;
    int height = 0;
    int depth = 0;
    DWORD stride = 0;
    struct FreeBits {
        void operator()(BYTE* memory) const { std::free(memory); }
    };
    // calloc'd: a large block arrives as untouched zero pages, so creating a surface that a DIB
    // load fills at once costs no extra pass over the pixels.
    std::unique_ptr<BYTE, FreeBits> bits;
    DWORD bitsSize = 0;
};

// A prototype names the depth that surfaces created from it get. Depths 8, 16, 24 and 32 have
// one (surfaces from 8- and 16-bit prototypes hold 24 bits); other depths have none.
struct SurfacePrototype {
    DWORD tag;
    int depth;
};
const SurfacePrototype* FindSurfacePrototype(int depth);
// The prototype behind a pointer handed out by FindSurfacePrototype, or null for anything else.
const SurfacePrototype* PrototypeFromHandle(const void* handle);
// Storage depth of surfaces made from a prototype of `depth`.
int StorageDepthFor(int depth);

// The 16-byte surface object the module allocates: constructed in place by the host.
void ConstructSurfaceBlock(HostSurfaceBlock* block);
void DestroySurfaceBlock(HostSurfaceBlock* block);
// The surface in a constructed block, or null (null block, never constructed, destroyed).
Surface* SurfaceFromBlock(HostSurfaceBlock* block);

} // namespace hoststandin

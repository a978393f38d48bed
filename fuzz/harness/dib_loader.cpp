// The host stand-in's DIB loader (HOSTRT.dll's "load surface from DIB") on any packed DIB that
// passes the module's block-size check, as every grabbed picture must before the host sees it.
// Input: byte 0 the surface the DIB is loaded into (0 empty, 1 24-bit 2 x 2, 2 32-bit 2 x 2,
// 3 24-bit at the DIB's own size, as a grab creates it), then the DIB, in a block of exactly its
// length.
#include "harness/fuzz_targets.h"

#include "dib_codec.h"
#include "player/packed_dib.h"

#include <cstring>
#include <vector>

namespace fuzz {
namespace {

std::vector<BYTE> SurfaceBytes(const hoststandin::Surface& surface) {
    std::vector<BYTE> bytes(hoststandin::PackedDibSize(surface));
    hoststandin::WritePackedDib(surface, bytes.data());
    return bytes;
}

class DibLoader : public Harness {
  public:
    void Run(const uint8_t* data, size_t size) override {
        if (size < 1)
            return;
        const int surfaceKind = data[0] & 3;
        const size_t length = size - 1;
        std::unique_ptr<BYTE[]> dib(new BYTE[length]);
        std::memcpy(dib.get(), data + 1, length);
        if (!PackedDibFitsBlock(dib.get(), static_cast<LONG>(length)))
            return;

        hoststandin::Surface surface;
        const LONG width = static_cast<LONG>(ReadLe(data + 1, length, 4, 4));
        const LONG height = static_cast<LONG>(ReadLe(data + 1, length, 8, 4));
        if (surfaceKind == 1 || surfaceKind == 2)
            surface.Create(2, 2, surfaceKind == 1 ? 24 : 32);
        else if (surfaceKind == 3 && width > 0 && width <= 256 && height != 0 && height >= -256 &&
                 height <= 256)
            surface.Create(width, height < 0 ? -height : height, 24);
        const std::vector<BYTE> before = SurfaceBytes(surface);

        if (!hoststandin::LoadSurfaceFromDib(surface, dib.get())) {
            Expect(SurfaceBytes(surface) == before, "a refused DIB leaves the surface as it was");
            return;
        }
        hoststandin::DibLayout layout;
        Expect(hoststandin::ReadDibLayout(dib.get(), &layout), "a loaded DIB has a layout");
        Expect(surface.Width() == layout.width && surface.Height() == layout.height,
               "the surface takes the DIB's size");
        const std::vector<BYTE> written = SurfaceBytes(surface);
        hoststandin::DibLayout again;
        Expect(hoststandin::ReadDibLayout(written.data(), &again) &&
                   PackedDibFitsBlock(written.data(), static_cast<LONG>(written.size())),
               "the surface written back is a DIB the loader and the module accept");
    }
};

} // namespace

std::unique_ptr<Harness> MakeDibLoaderHarness() {
    return std::unique_ptr<Harness>(new DibLoader);
}

} // namespace fuzz

// The host's image services as the module reaches them: HOSTRT.dll bound by ordinal, surfaces
// loaded from packed DIBs of every depth and row order, bad DIBs refused without reading past
// their data, BMP and PNG files decoded back by an outside reader, the filter choice by extension,
// and the clean failure when the library or an ordinal is missing.
#include "host/host_images.h"
#include "host/hostrt.h"

#include "hostrt_exports.h"
#include "host_runtime.h"
#include "image_filters.h"
#include "bmp_writer.h"
#include "png_writer.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"
#include "support/image_files.h"
#include "support/wide.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

void PutLe32(Bytes& b, size_t at, DWORD v) {
    std::memcpy(&b[at], &v, 4);
}
DWORD ReadLe32(const Bytes& b, size_t at) {
    DWORD v;
    std::memcpy(&v, &b[at], 4);
    return v;
}
void PutLe16(Bytes& b, size_t at, WORD v) {
    std::memcpy(&b[at], &v, 2);
}

// The eight corners of the colour cube, 0xRRGGBB; pixel (x, y) of a test picture is
// kCorners[(x + 2y) % 8].
const uint32_t kCorners[8] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                              0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF};
uint32_t PictureColour(int x, int y) {
    return kCorners[(x + 2 * y) % 8];
}

struct DibFormat {
    const char* name;
    int bitCount;
    bool topDown;
    DWORD compression; // 0 BI_RGB, 3 BI_BITFIELDS
    DWORD headerSize;  // 40, or 108 with the masks inside the header
    DWORD coloursUsed; // the biClrUsed field
    DWORD masks[3];    // red, green, blue for bit fields
};

DWORD PackChannel(uint32_t value8, DWORD mask) {
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    DWORD top = mask >> shift;
    return ((value8 * top + 127) / 255) << shift;
}

// A packed DIB of `width` x `height` with colour(x, y) in the given format (masks default to
// 5-5-5 at 16 bits).
Bytes BuildDib(const DibFormat& f, int width, int height,
               const std::function<uint32_t(int, int)>& colour) {
    const DWORD stride = (DWORD(width) * f.bitCount + 31) / 32 * 4;
    const bool separateMasks = f.compression == 3 && f.headerSize == 40;
    const DWORD tableEntries = f.bitCount == 8 && f.coloursUsed == 0 ? 256 : f.coloursUsed;
    const size_t pixelsAt = f.headerSize + (separateMasks ? 12 : 0) + tableEntries * 4;
    Bytes dib(pixelsAt + size_t(stride) * height, 0);
    PutLe32(dib, 0, f.headerSize);
    PutLe32(dib, 4, DWORD(width));
    PutLe32(dib, 8, DWORD(f.topDown ? -height : height));
    PutLe16(dib, 12, 1);
    PutLe16(dib, 14, WORD(f.bitCount));
    PutLe32(dib, 16, f.compression);
    PutLe32(dib, 32, f.coloursUsed);
    DWORD masks[3] = {f.masks[0], f.masks[1], f.masks[2]};
    if (f.bitCount == 16 && f.compression == 0) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    if (f.compression == 3)
        for (int i = 0; i < 3; ++i)
            PutLe32(dib, 40 + 4 * i, masks[i]); // after a 40-byte header or inside a V4 one
    const size_t tableAt = f.headerSize + (separateMasks ? 12 : 0);
    for (int i = 0; i < 8 && DWORD(i) < tableEntries; ++i) {
        dib[tableAt + 4 * i] = BYTE(kCorners[i]);
        dib[tableAt + 4 * i + 1] = BYTE(kCorners[i] >> 8);
        dib[tableAt + 4 * i + 2] = BYTE(kCorners[i] >> 16);
    }
    for (int y = 0; y < height; ++y) {
        size_t row = pixelsAt + size_t(stride) * (f.topDown ? y : height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t c = colour(x, y);
            uint32_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
            BYTE* p = &dib[row + size_t(x) * f.bitCount / 8];
            switch (f.bitCount) {
            case 8:
                for (int i = 0; i < 8; ++i)
                    if (kCorners[i] == c)
                        p[0] = BYTE(i);
                break;
            case 16:
                PutLe16(dib, p - dib.data(),
                        WORD(PackChannel(r, masks[0]) | PackChannel(g, masks[1]) |
                             PackChannel(b, masks[2])));
                break;
            case 24:
                p[0] = BYTE(b), p[1] = BYTE(g), p[2] = BYTE(r);
                break;
            case 32:
                if (f.compression == 3)
                    PutLe32(dib, p - dib.data(),
                            PackChannel(r, masks[0]) | PackChannel(g, masks[1]) |
                                PackChannel(b, masks[2]));
                else
                    p[0] = BYTE(b), p[1] = BYTE(g), p[2] = BYTE(r), p[3] = 0x7F;
                break;
            }
        }
    }
    return dib;
}

// A copy of some bytes that ends exactly where an unreadable page begins, so reading one byte
// too many faults.
class GuardedCopy {
  public:
    explicit GuardedCopy(const Bytes& bytes) {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        span = (bytes.size() + page - 1) / page * page + page;
        base = static_cast<BYTE*>(
            mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        mprotect(base + span - page, page, PROT_NONE);
        data = base + span - page - bytes.size();
        std::memcpy(data, bytes.data(), bytes.size());
    }
    ~GuardedCopy() { munmap(base, span); }
    const BYTE* Data() const { return data; }

  private:
    BYTE* base;
    BYTE* data;
    size_t span;
};

std::string FileBytes(LPCWSTR windowsPath) {
    std::string bytes;
    standin::ReadSandboxFile(windowsPath, &bytes);
    return bytes;
}

// One surface object, as the module holds it: a 16-byte block the host constructs.
class ModuleSurface {
  public:
    ModuleSurface() { ConstructHostSurface(&block); }
    ~ModuleSurface() { DestroyHostSurface(&block); }
    HostSurfaceBlock* Block() { return &block; }

    // Creates from the prototype of `depth` and loads the DIB, as a frame grab does.
    bool Load(const BYTE* dib, int depth, int width, int height) {
        void* prototype = nullptr;
        return LookUpSurfacePrototype(depth, &prototype) &&
               CreateHostSurface(&block, width, height, prototype) &&
               LoadHostSurfaceFromDib(&block, dib);
    }
    std::string Dib() {
        std::string bytes(HostSurfaceDibSize(&block), '\0');
        EXPECT_EQ(WriteHostSurfaceDib(&block, bytes.data()), bytes.size());
        return bytes;
    }

  private:
    HostSurfaceBlock block = {};
};

// The decoded picture is width x height of PictureColour.
void ExpectPicture(const DecodedImage& image, int width = 7, int height = 5) {
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            EXPECT_EQ(image.At(x, y), PictureColour(x, y)) << "at " << x << "," << y;
}

void* StandardManager() {
    return &hoststandin::StandardImageFilters();
}

class HostImages : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::ResetPlatform();
        hoststandin::InstallHostRuntime();
        ForgetHostRuntime(); // bind afresh: earlier tests may have removed services
        CreateDirectoryW(L"C:\\Grabs", nullptr);
        CreateDirectoryW(L"C:\\Out", nullptr);
    }
};

// ---- Loading packed DIBs ----

const DibFormat kFormats[] = {
    {"8-bit, 8 colours, bottom-up", 8, false, 0, 40, 8, {}},
    {"8-bit, 8 colours, top-down", 8, true, 0, 40, 8, {}},
    {"8-bit, full table, bottom-up", 8, false, 0, 40, 0, {}},
    {"16-bit 5-5-5, bottom-up", 16, false, 0, 40, 0, {}},
    {"16-bit 5-5-5, top-down", 16, true, 0, 40, 0, {}},
    {"16-bit 5-6-5 bit fields, bottom-up", 16, false, 3, 40, 0, {0xF800, 0x07E0, 0x001F}},
    {"16-bit 5-6-5 bit fields, top-down", 16, true, 3, 40, 0, {0xF800, 0x07E0, 0x001F}},
    {"24-bit, bottom-up", 24, false, 0, 40, 0, {}},
    {"24-bit, top-down", 24, true, 0, 40, 0, {}},
    {"24-bit with an optional colour table", 24, false, 0, 40, 3, {}},
    {"32-bit, bottom-up", 32, false, 0, 40, 0, {}},
    {"32-bit, top-down", 32, true, 0, 40, 0, {}},
    {"32-bit bit fields in a V4 header", 32, true, 3, 108, 0, {0xFF00, 0xFF0000, 0xFF000000}},
};

TEST_F(HostImages, LoadsEveryDepthAndRowOrderWithoutReadingPastTheData) {
    for (const DibFormat& format : kFormats) {
        SCOPED_TRACE(format.name);
        // Width 5 pads every row; the guard page sits right after the last row's padding.
        GuardedCopy dib(BuildDib(format, 5, 3, PictureColour));
        ModuleSurface surface;
        ASSERT_TRUE(surface.Load(dib.Data(), format.bitCount, 5, 3));

        DecodedImage image;
        std::string why;
        ASSERT_TRUE(DecodePackedDib(surface.Dib(), &image, &why)) << why;
        ExpectPicture(image, 5, 3);
    }
}

TEST_F(HostImages, LoadGivesTheSurfaceTheDibsSize) {
    const Bytes dib24 = BuildDib(kFormats[7], 5, 3, PictureColour);
    const Bytes dib32 = BuildDib(kFormats[10], 5, 3, PictureColour);
    struct Case {
        const char* name;
        int createdDepth; // 0: never created
        int createdSide;
        const Bytes* dib;
        int storedBits;
    };
    const Case cases[] = {
        {"never created, 24-bit DIB", 0, 0, &dib24, 24},
        {"never created, 32-bit DIB", 0, 0, &dib32, 32},
        {"created smaller at 32 bits", 32, 2, &dib24, 32},
        {"created larger at 24 bits", 24, 9, &dib32, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModuleSurface surface;
        if (c.createdDepth) {
            void* prototype = nullptr;
            ASSERT_TRUE(LookUpSurfacePrototype(c.createdDepth, &prototype));
            ASSERT_TRUE(
                CreateHostSurface(surface.Block(), c.createdSide, c.createdSide, prototype));
        }
        ASSERT_TRUE(LoadHostSurfaceFromDib(surface.Block(), c.dib->data()));
        const std::string dib = surface.Dib();
        EXPECT_EQ(dib[14], char(c.storedBits));
        DecodedImage image;
        ASSERT_TRUE(DecodePackedDib(dib, &image, nullptr));
        ExpectPicture(image, 5, 3);
    }
}

TEST_F(HostImages, WidensNarrowChannelsAndBlackensIndexesPastTheTable) {
    struct Case {
        DibFormat format;
        uint32_t colour;   // what the DIB was built from (rounded to its channel widths)
        uint32_t expected; // what the surface holds
    };
    const Case cases[] = {
        // 5-bit 16 -> 132, 8 -> 66, 4 -> 33.
        {{"5-5-5", 16, false, 0, 40, 0, {}}, 0x844221, 0x844221},
        // 6-bit green 32 -> 130.
        {{"5-6-5", 16, false, 3, 40, 0, {0xF800, 0x07E0, 0x001F}}, 0x0082FF, 0x0082FF},
        // 10-bit channels keep their top 8 bits.
        {{"10-10-10", 32, false, 3, 40, 0, {0x3FF00000, 0x000FFC00, 0x000003FF}},
         0x123456,
         0x123456},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format.name);
        Bytes dib = BuildDib(c.format, 1, 1, [&](int, int) { return c.colour; });
        ModuleSurface surface;
        ASSERT_TRUE(surface.Load(dib.data(), 24, 1, 1));
        DecodedImage image;
        ASSERT_TRUE(DecodePackedDib(surface.Dib(), &image, nullptr));
        EXPECT_EQ(image.At(0, 0), c.expected);
    }

    // Two colours in the table; index 7 points past it and shows black.
    DibFormat twoColours = {"8-bit, 2 colours", 8, false, 0, 40, 2, {}};
    Bytes bytes = BuildDib(twoColours, 3, 1, [](int x, int) { return kCorners[x == 2 ? 7 : x]; });
    GuardedCopy dib(bytes);
    ModuleSurface surface;
    ASSERT_TRUE(surface.Load(dib.Data(), 8, 3, 1));
    DecodedImage image;
    ASSERT_TRUE(DecodePackedDib(surface.Dib(), &image, nullptr));
    EXPECT_EQ(image.At(0, 0), 0x000000u);
    EXPECT_EQ(image.At(1, 0), 0xFF0000u);
    EXPECT_EQ(image.At(2, 0), 0x000000u);
}

TEST_F(HostImages, RefusesMalformedDibsAndKeepsTheSurface) {
    const DibFormat base = {"24-bit", 24, false, 0, 40, 0, {}};
    struct Case {
        const char* name;
        std::function<void(Bytes&)> spoil;
    };
    const Case cases[] = {
        {"core header (12 bytes)", [](Bytes& d) { PutLe32(d, 0, 12); }},
        {"header size 0", [](Bytes& d) { PutLe32(d, 0, 0); }},
        {"header size 41", [](Bytes& d) { PutLe32(d, 0, 41); }},
        {"width 0", [](Bytes& d) { PutLe32(d, 4, 0); }},
        {"negative width", [](Bytes& d) { PutLe32(d, 4, DWORD(-4)); }},
        {"width 16385", [](Bytes& d) { PutLe32(d, 4, 16385); }},
        {"height 0", [](Bytes& d) { PutLe32(d, 8, 0); }},
        {"height INT_MIN", [](Bytes& d) { PutLe32(d, 8, DWORD(INT_MIN)); }},
        {"height -16385", [](Bytes& d) { PutLe32(d, 8, DWORD(-16385)); }},
        {"planes 0", [](Bytes& d) { PutLe16(d, 12, 0); }},
        {"planes 2", [](Bytes& d) { PutLe16(d, 12, 2); }},
        {"1 bit", [](Bytes& d) { PutLe16(d, 14, 1); }},
        {"4 bits", [](Bytes& d) { PutLe16(d, 14, 4); }},
        {"15 bits", [](Bytes& d) { PutLe16(d, 14, 15); }},
        {"48 bits", [](Bytes& d) { PutLe16(d, 14, 48); }},
        {"run-length 8", [](Bytes& d) { PutLe32(d, 16, 1); }},
        {"JPEG", [](Bytes& d) { PutLe32(d, 16, 4); }},
        {"bit fields at 24 bits", [](Bytes& d) { PutLe32(d, 16, 3); }},
        {"257 colours", [](Bytes& d) { PutLe32(d, 32, 257); }},
        {"image size one byte short", [](Bytes& d) { PutLe32(d, 20, 12 * 2 - 1); }},
        {"16384 x 16384 at 32 bits",
         [](Bytes& d) { PutLe32(d, 4, 16384), PutLe32(d, 8, 16384), PutLe16(d, 14, 32); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModuleSurface surface;
        Bytes good = BuildDib(base, 2, 2, PictureColour);
        ASSERT_TRUE(surface.Load(good.data(), 24, 2, 2));
        const std::string before = surface.Dib();

        Bytes bad = BuildDib(base, 4, 2, PictureColour);
        c.spoil(bad);
        GuardedCopy guarded(bad);
        EXPECT_FALSE(LoadHostSurfaceFromDib(surface.Block(), guarded.Data()));
        EXPECT_EQ(surface.Dib(), before);
    }

    struct MaskCase {
        const char* name;
        int bitCount;
        DWORD masks[3];
    };
    const MaskCase masks[] = {
        {"mask with a gap", 16, {0xF00F, 0x07E0, 0x001F}},
        {"zero mask", 32, {0xFF0000, 0, 0xFF}},
        {"16-bit mask beyond 16 bits", 16, {0x1F0000, 0x07E0, 0x001F}},
        {"16 bits, every mask zero", 16, {0, 0, 0}},
        {"32 bits, red mask zero", 32, {0, 0x00FF00, 0xFF}},
    };
    for (const MaskCase& c : masks) {
        SCOPED_TRACE(c.name);
        DibFormat format = {
            c.name, c.bitCount, false, 3, 40, 0, {c.masks[0], c.masks[1], c.masks[2]}};
        Bytes bad(40 + 12 + 16, 0);
        PutLe32(bad, 0, 40), PutLe32(bad, 4, 2), PutLe32(bad, 8, 2);
        PutLe16(bad, 12, 1), PutLe16(bad, 14, WORD(format.bitCount)), PutLe32(bad, 16, 3);
        for (int i = 0; i < 3; ++i)
            PutLe32(bad, 40 + 4 * i, format.masks[i]);
        ModuleSurface surface;
        EXPECT_FALSE(LoadHostSurfaceFromDib(surface.Block(), bad.data()));
        EXPECT_EQ(HostSurfaceDibSize(surface.Block()), 0u);
    }

    ModuleSurface surface;
    EXPECT_FALSE(LoadHostSurfaceFromDib(surface.Block(), nullptr));
}

// ---- Surfaces ----

TEST_F(HostImages, PrototypesGiveTheStorageDepth) {
    struct Case {
        int depth;
        int storedBits; // 0: no prototype
    };
    const Case cases[] = {{8, 24}, {16, 24}, {24, 24}, {32, 32}, {0, 0},
                          {1, 0},  {4, 0},   {15, 0},  {64, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        void* prototype = &prototype;
        EXPECT_EQ(LookUpSurfacePrototype(c.depth, &prototype), c.storedBits != 0);
        if (!c.storedBits) {
            EXPECT_EQ(prototype, nullptr);
            continue;
        }
        ModuleSurface surface;
        ASSERT_TRUE(CreateHostSurface(surface.Block(), 5, 3, prototype));
        std::string dib = surface.Dib();
        const DWORD stride = (5 * c.storedBits + 31) / 32 * 4;
        ASSERT_EQ(dib.size(), 40 + stride * 3);
        EXPECT_EQ(dib[14], char(c.storedBits));
    }
    void* prototype = nullptr;
    EXPECT_FALSE(HostRtSurfacePrototype(&prototype, 24, 2, 0)) << "only memory surfaces";
    EXPECT_FALSE(HostRtSurfacePrototype(nullptr, 24, kMemorySurfaceType, 0));
}

TEST_F(HostImages, SurfaceServicesRefuseBadSizesAndBadObjects) {
    void* prototype = nullptr;
    ASSERT_TRUE(LookUpSurfacePrototype(24, &prototype));
    const int sizes[][2] = {{0, 3}, {3, 0}, {-1, 3}, {3, -1}, {16385, 1}, {1, 16385}};
    for (const auto& size : sizes) {
        ModuleSurface surface;
        EXPECT_FALSE(CreateHostSurface(surface.Block(), size[0], size[1], prototype));
        EXPECT_EQ(HostSurfaceDibSize(surface.Block()), 0u);
    }
    int notAPrototype = 24;
    ModuleSurface surface;
    EXPECT_FALSE(CreateHostSurface(surface.Block(), 2, 2, &notAPrototype));

    // A block never constructed, one destroyed, and none at all: every service answers 0.
    HostSurfaceBlock raw = {};
    HostSurfaceBlock destroyed = {};
    ConstructHostSurface(&destroyed);
    DestroyHostSurface(&destroyed);
    Bytes dib = BuildDib(kFormats[7], 2, 2, PictureColour);
    BYTE sink[256];
    for (HostSurfaceBlock* block : {&raw, &destroyed, static_cast<HostSurfaceBlock*>(nullptr)}) {
        EXPECT_FALSE(CreateHostSurface(block, 2, 2, prototype));
        EXPECT_FALSE(LoadHostSurfaceFromDib(block, dib.data()));
        EXPECT_EQ(HostSurfaceDibSize(block), 0u);
        EXPECT_EQ(WriteHostSurfaceDib(block, sink), 0u);
        EXPECT_FALSE(
            SaveHostSurface(StandardManager(), L"C:\\never.bmp", block, kBmpFilterIdentifier));
        ReleaseHostSurfaceContent(block);
        DestroyHostSurface(block);
    }
    EXPECT_FALSE(standin::SandboxFileExists(L"C:\\never.bmp"));

    ModuleSurface loaded;
    ASSERT_TRUE(loaded.Load(dib.data(), 24, 2, 2));
    EXPECT_EQ(WriteHostSurfaceDib(loaded.Block(), nullptr), 0u);
    ReleaseHostSurfaceContent(loaded.Block());
    EXPECT_EQ(HostSurfaceDibSize(loaded.Block()), 0u);
}

// ---- Saving ----

// A surface loaded from a 7 x 5 picture (odd width: padded BMP rows, several PNG pixels per row).
void LoadPicture(ModuleSurface& surface, int depth) {
    DibFormat format = {"picture", depth, false, 0, 40, 0, {}};
    Bytes dib = BuildDib(format, 7, 5, PictureColour);
    ASSERT_TRUE(surface.Load(dib.data(), depth, 7, 5));
}

TEST_F(HostImages, SavesBmpFilesThatDecodeToTheSurface) {
    for (int depth : {24, 32}) {
        SCOPED_TRACE(depth);
        ModuleSurface surface;
        LoadPicture(surface, depth);
        ASSERT_TRUE(SaveHostSurface(StandardManager(), L"C:\\Grabs\\frame.bmp", surface.Block(),
                                    kBmpFilterIdentifier));
        std::string file = FileBytes(L"C:\\Grabs\\frame.bmp");
        const size_t stride = (7 * depth + 31) / 32 * 4;
        EXPECT_EQ(file.size(), 14 + 40 + stride * 5);
        EXPECT_EQ(file[28], char(depth));
        // The file header's own fields: the file size and where the pixels start.
        Bytes header(file.begin(), file.begin() + 14);
        EXPECT_EQ(ReadLe32(header, 2), file.size());
        EXPECT_EQ(ReadLe32(header, 10), 54u);
        DecodedImage image;
        std::string why;
        ASSERT_TRUE(DecodeBmp(file, &image, &why)) << why;
        ExpectPicture(image);
    }
}

TEST_F(HostImages, SavesPngFilesThatDecodeToTheSurface) {
    for (int depth : {24, 32}) {
        SCOPED_TRACE(depth);
        ModuleSurface surface;
        LoadPicture(surface, depth);
        ASSERT_TRUE(SaveHostSurface(StandardManager(), L"C:\\Grabs\\frame.png", surface.Block(),
                                    hoststandin::kPngFilterIdentifier));
        DecodedImage image;
        std::string why;
        ASSERT_TRUE(DecodePng(FileBytes(L"C:\\Grabs\\frame.png"), &image, &why)) << why;
        ExpectPicture(image);
    }

    // A 200 x 120 gradient: every row differs, and deflate still shrinks it well.
    DibFormat format = {"large", 24, true, 0, 40, 0, {}};
    auto gradient = [](int x, int y) { return uint32_t(x) << 16 | uint32_t(y) << 8 | 0x40; };
    Bytes dib = BuildDib(format, 200, 120, gradient);
    ModuleSurface surface;
    ASSERT_TRUE(surface.Load(dib.data(), 24, 200, 120));
    ASSERT_TRUE(SaveHostSurface(StandardManager(), L"C:\\Grabs\\large.png", surface.Block(),
                                hoststandin::kPngFilterIdentifier));
    DecodedImage image;
    std::string why;
    ASSERT_TRUE(DecodePng(FileBytes(L"C:\\Grabs\\large.png"), &image, &why)) << why;
    ASSERT_EQ(image.width, 200);
    ASSERT_EQ(image.height, 120);
    EXPECT_LT(FileBytes(L"C:\\Grabs\\large.png").size(), 200u * 120 * 3 / 10);
    EXPECT_EQ(image.At(0, 0), 0x000040u);
    EXPECT_EQ(image.At(199, 119), 0xC77740u);
    EXPECT_EQ(image.At(123, 45), 0x7B2D40u);

    // The same picture written for a person to look at is the same file.
    const std::string viewing = testing::TempDir() + "host_images_large.png";
    ASSERT_TRUE(hoststandin::WritePngFile(*hoststandin::SurfaceFromBlock(surface.Block()),
                                          viewing.c_str()));
    std::ifstream written(viewing, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}),
              FileBytes(L"C:\\Grabs\\large.png"));
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An outside codec on both sides: the tests' reader decodes a PNG ffmpeg wrote (written here with
// every row filter when ffmpeg is installed, else the one it wrote into tests/unit/data), and
// ffmpeg decodes the host's PNG.
TEST_F(HostImages, PngIsExchangedWithAnOutsideCodec) {
    const bool ffmpeg = std::system("ffmpeg -version >/dev/null 2>&1") == 0;
    const std::string stem = testing::TempDir() + "host_images_" + std::to_string(getpid());
    std::string outside = ReadHostFile(CINEVANE_TEST_DATA_DIR "/picture_by_ffmpeg.png");
    if (ffmpeg) {
        std::string raw;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                for (int shift : {16, 8, 0})
                    raw.push_back(char(PictureColour(x, y) >> shift));
        std::ofstream(stem + ".rgb", std::ios::binary) << raw;
        ASSERT_EQ(std::system(("ffmpeg -v error -y -f rawvideo -pixel_format rgb24 -video_size "
                               "40x30 -i " +
                               stem + ".rgb -pred mixed " + stem + "_in.png")
                                  .c_str()),
                  0);
        outside = ReadHostFile(stem + "_in.png");
    }
    DecodedImage image;
    std::string why;
    ASSERT_TRUE(DecodePng(outside, &image, &why)) << why;
    ExpectPicture(image, 40, 30);

    if (!ffmpeg)
        GTEST_SKIP() << "ffmpeg is not installed: nothing outside reads the host's PNG";
    ModuleSurface surface;
    LoadPicture(surface, 32);
    ASSERT_TRUE(SaveHostSurface(StandardManager(), L"C:\\Grabs\\viewer.png", surface.Block(),
                                hoststandin::kPngFilterIdentifier));
    const std::string path = standin::SandboxPath(L"C:\\Grabs\\viewer.png");
    ASSERT_EQ(std::system(("ffmpeg -v error -y -i '" + path + "' -f rawvideo -pix_fmt rgb24 " +
                           stem + "_out.rgb")
                              .c_str()),
              0);
    std::string decoded = ReadHostFile(stem + "_out.rgb");
    ASSERT_EQ(decoded.size(), 7u * 5 * 3);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const uint8_t* p = reinterpret_cast<const uint8_t*>(&decoded[(y * 7 + x) * 3]);
            EXPECT_EQ(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2], PictureColour(x, y))
                << "at " << x << "," << y;
        }
    for (const char* suffix : {".rgb", "_in.png", "_out.rgb"})
        std::remove((stem + suffix).c_str());
}

TEST_F(HostImages, FailedSavesLeaveNoFile) {
    hoststandin::ImageFilterManager unusablePng;
    unusablePng.AddFilter(kBmpFilterIdentifier, {"bmp"}, nullptr);
    unusablePng.AddFilter(hoststandin::kPngFilterIdentifier, {"png"}, hoststandin::WritePng, false);
    ModuleSurface empty;
    ModuleSurface surface;
    LoadPicture(surface, 24);
    struct Case {
        const char* name;
        void* manager;
        LPCWSTR file;
        HostSurfaceBlock* surface;
        DWORD identifier;
    };
    const Case cases[] = {
        {"unknown filter", StandardManager(), L"C:\\Out\\a.img", surface.Block(), 0x12345678},
        {"filter not usable", &unusablePng, L"C:\\Out\\b.png", surface.Block(),
         hoststandin::kPngFilterIdentifier},
        {"filter without encoder", &unusablePng, L"C:\\Out\\c.bmp", surface.Block(),
         kBmpFilterIdentifier},
        {"empty surface", StandardManager(), L"C:\\Out\\d.bmp", empty.Block(),
         kBmpFilterIdentifier},
        {"no manager", nullptr, L"C:\\Out\\e.bmp", surface.Block(), kBmpFilterIdentifier},
        {"not a manager", surface.Block(), L"C:\\Out\\f.bmp", surface.Block(),
         kBmpFilterIdentifier},
        {"empty name", StandardManager(), L"", surface.Block(), kBmpFilterIdentifier},
        {"no name", StandardManager(), nullptr, surface.Block(), kBmpFilterIdentifier},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(SaveHostSurface(c.manager, c.file, c.surface, c.identifier));
        if (c.file && c.file[0]) {
            EXPECT_FALSE(standin::SandboxFileExists(c.file));
        }
    }

    // A disk that fills up after the headers: the half-written file is removed.
    standin::InjectFault("WriteFile", ERROR_DISK_FULL, 2);
    EXPECT_FALSE(SaveHostSurface(StandardManager(), L"C:\\Out\\full.bmp", surface.Block(),
                                 kBmpFilterIdentifier));
    EXPECT_EQ(standin::CallCount("WriteFile"), 2);
    EXPECT_FALSE(standin::SandboxFileExists(L"C:\\Out\\full.bmp"));
    // A folder that does not exist.
    EXPECT_FALSE(SaveHostSurface(StandardManager(), L"C:\\Missing\\a.bmp", surface.Block(),
                                 kBmpFilterIdentifier));
}

// ---- Filter selector and filter choice ----

TEST_F(HostImages, SelectorIsValidOnlyForAUsableKnownFilter) {
    hoststandin::ImageFilterManager manager;
    manager.AddFilter(kBmpFilterIdentifier, {"bmp"}, hoststandin::WriteBmp);
    manager.AddFilter(hoststandin::kPngFilterIdentifier, {"png"}, hoststandin::WritePng, false);
    struct Case {
        void* manager;
        DWORD identifier;
        bool selected;
        bool valid;
    };
    const Case cases[] = {
        {&manager, kBmpFilterIdentifier, true, true},
        {&manager, hoststandin::kPngFilterIdentifier, true, false},
        {&manager, 0xDEADBEEF, false, false},
        {nullptr, kBmpFilterIdentifier, false, false},
    };
    for (const Case& c : cases) {
        HostFilterSelectorBlock selector = {};
        ConstructHostFilterSelector(&selector, c.manager);
        EXPECT_EQ(SelectImageFilter(&selector, c.identifier), c.selected);
        EXPECT_EQ(IsSelectedImageFilterValid(&selector), c.valid);
        DestroyHostFilterSelector(&selector);
        EXPECT_FALSE(IsSelectedImageFilterValid(&selector)) << "a destroyed selector";
    }
    HostFilterSelectorBlock never = {};
    EXPECT_FALSE(SelectImageFilter(&never, kBmpFilterIdentifier));
    EXPECT_FALSE(IsSelectedImageFilterValid(&never));
}

TEST_F(HostImages, FindImageFilterMatchesTheExtensionExactly) {
    const DWORD bmp = kBmpFilterIdentifier, png = hoststandin::kPngFilterIdentifier;
    struct Case {
        LPCWSTR name;
        DWORD expected;
    };
    const Case standard[] = {
        {L"C:\\Grabs\\shot.png", png},
        {L"C:\\Grabs\\shot.PNG", bmp}, // case-sensitive: falls back to the bmp filter
        {L"C:\\Grabs\\shot.bmp", bmp},
        {L"C:\\Grabs\\shot.dib", bmp},
        {L"C:\\Grabs\\shot.jpg", bmp},
        {L"C:\\Grabs\\shot", bmp},   // no dot: the whole name matches nothing
        {L"png", png},               // no dot: the whole name is the extension
        {L"archive.tar.png", png},   // the last dot counts
        {L"C:\\dir.png\\shot", bmp}, // ... even inside a folder name
        {L"shot.", bmp},
        {L"", bmp},
        {nullptr, bmp},
    };
    for (const Case& c : standard)
        EXPECT_EQ(FindImageFilter(StandardManager(), c.name), c.expected) << Utf8(c.name);

    // Unusable filters are skipped; the last usable filter listing "bmp" is the fallback; the
    // first exact match wins.
    hoststandin::ImageFilterManager manager;
    manager.AddFilter(0x11, {"png"}, hoststandin::WritePng, false);
    manager.AddFilter(0x22, {"bmp"}, hoststandin::WriteBmp);
    manager.AddFilter(0x33, {"gif", "bmp"}, hoststandin::WriteBmp);
    manager.AddFilter(0x44, {"tga", "png"}, hoststandin::WritePng);
    manager.AddFilter(0x55, {"png"}, hoststandin::WritePng);
    manager.AddFilter(0x66, {"bmp"}, hoststandin::WriteBmp, false);
    EXPECT_EQ(FindImageFilter(&manager, L"a.png"), 0x44u);
    EXPECT_EQ(FindImageFilter(&manager, L"a.gif"), 0x33u);
    EXPECT_EQ(FindImageFilter(&manager, L"a.jpg"), 0x33u);

    // Without any filter listing "bmp" the fallback is index 0, usable or not.
    hoststandin::ImageFilterManager noBmp;
    noBmp.AddFilter(0x77, {"tga"}, hoststandin::WriteBmp, false);
    noBmp.AddFilter(0x88, {"png"}, hoststandin::WritePng);
    EXPECT_EQ(FindImageFilter(&noBmp, L"a.jpg"), 0x77u);

    hoststandin::ImageFilterManager none;
    EXPECT_EQ(FindImageFilter(&none, L"a.png"), 0u);
    EXPECT_EQ(FindImageFilter(nullptr, L"a.png"), 0u);
}

// ---- Binding by ordinal ----

TEST_F(HostImages, MissingOrdinalsAnswerNone) {
    standin::RemoveModuleExport(L"HOSTRT.dll", OrdinalSurfacePrototype);
    ForgetHostRuntime();
    void* prototype = &prototype;
    EXPECT_FALSE(LookUpSurfacePrototype(24, &prototype));
    EXPECT_EQ(prototype, nullptr);

    // Without the filter count the search sees no filter and asks for index 0's identifier.
    standin::RemoveModuleExport(L"HOSTRT.dll", OrdinalFilterCount);
    ForgetHostRuntime();
    EXPECT_EQ(FindImageFilter(StandardManager(), L"a.png"), kBmpFilterIdentifier);
}

TEST_F(HostImages, MissingLibraryAnswersNoneEverywhere) {
    standin::UnregisterModule(L"HOSTRT.dll");
    ForgetHostRuntime();
    HostSurfaceBlock block = {};
    ConstructHostSurface(&block);
    void* prototype = &prototype;
    Bytes dib = BuildDib(kFormats[7], 2, 2, PictureColour);
    BYTE sink[64];
    EXPECT_FALSE(LookUpSurfacePrototype(24, &prototype));
    EXPECT_EQ(prototype, nullptr);
    EXPECT_FALSE(CreateHostSurface(&block, 2, 2, nullptr));
    EXPECT_FALSE(LoadHostSurfaceFromDib(&block, dib.data()));
    EXPECT_EQ(HostSurfaceDibSize(&block), 0u);
    EXPECT_EQ(WriteHostSurfaceDib(&block, sink), 0u);
    EXPECT_EQ(ImageFilterCount(StandardManager()), 0);
    EXPECT_FALSE(IsImageFilterUsable(StandardManager(), 0));
    EXPECT_EQ(ImageFilterExtensions(StandardManager(), 0), nullptr);
    EXPECT_EQ(FindImageFilter(StandardManager(), L"a.png"), 0u);
    HostFilterSelectorBlock selector = {};
    ConstructHostFilterSelector(&selector, StandardManager());
    EXPECT_FALSE(SelectImageFilter(&selector, kBmpFilterIdentifier));
    EXPECT_FALSE(IsSelectedImageFilterValid(&selector));
    DestroyHostFilterSelector(&selector);
    EXPECT_FALSE(SaveHostSurface(StandardManager(), L"C:\\a.bmp", &block, kBmpFilterIdentifier));
    ReleaseHostSurfaceContent(&block);
    DestroyHostSurface(&block);
    const HostSurfaceBlock untouched = {};
    EXPECT_EQ(std::memcmp(&block, &untouched, sizeof block), 0);
}

} // namespace

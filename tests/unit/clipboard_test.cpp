// The stand-in clipboard's own side: ownership of the global memory handed over, an injected busy
// clipboard, and a host surface copied to it as CF_DIB the way a clipboard grab does it. The
// opening rules Windows has are checked by the platform conformance cases in tests/conformance.
#include <windows.h>

#include "host/host_images.h"
#include "host/hostrt.h"
#include "host_runtime.h"
#include "standin/clipboard_control.h"
#include "standin/kernel_control.h"
#include "support/image_files.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

HGLOBAL GlobalWith(const char* text) {
    const size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    return memory;
}

class Clipboard : public ::testing::Test {
  protected:
    void SetUp() override { standin::ResetPlatform(); }
    // What a test left on the clipboard is freed with it, not at process exit.
    void TearDown() override { standin::ResetPlatform(); }
};

TEST_F(Clipboard, HoldsDataUntilEmptiedAndFreesWhatItOwns) {
    const int blocksBefore = standin::LiveGlobalBlocks();
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL first = GlobalWith("first");
    EXPECT_EQ(SetClipboardData(CF_TEXT, first), first);
    EXPECT_EQ(GetClipboardData(CF_TEXT), first);
    EXPECT_EQ(GetClipboardData(CF_DIB), nullptr);

    // Replacing a format frees the data it replaces.
    HGLOBAL second = GlobalWith("second");
    EXPECT_EQ(SetClipboardData(CF_TEXT, second), second);
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksBefore + 1);
    ASSERT_TRUE(CloseClipboard());

    // The data outlives the closing and is readable without opening.
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    std::string bytes;
    ASSERT_TRUE(standin::ClipboardBytes(CF_TEXT, &bytes));
    EXPECT_EQ(bytes, std::string("second", 7));

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksBefore);
    EXPECT_EQ(standin::ClipboardEmptyCount(), 2);

    // A reset frees what the clipboard still holds.
    ASSERT_TRUE(OpenClipboard(nullptr));
    SetClipboardData(CF_TEXT, GlobalWith("left over"));
    standin::ResetPlatform();
    EXPECT_FALSE(standin::ClipboardOpen());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(standin::LiveGlobalBlocks(), blocksBefore);
}

TEST_F(Clipboard, AnInjectedFaultFindsItBusyOnce) {
    standin::InjectFault("OpenClipboard", ERROR_ACCESS_DENIED);
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(standin::ClipboardOpen());
    EXPECT_TRUE(OpenClipboard(nullptr)) << "the fault fires once";
}

TEST_F(Clipboard, TakesAHostSurfaceAsAPackedDib) {
    hoststandin::InstallHostRuntime();
    ForgetHostRuntime();
    // A 3 x 2 top-down 24-bit DIB: red, green, blue over white, grey, black.
    const BYTE dib[40 + 2 * 12] = {40,   0,    0,    0,    3,    0,    0,    0, 0xFE, 0xFF,
                                   0xFF, 0xFF, 1,    0,    24,   0, // size, 3 x -2, 24 bits
                                   0,    0,    0,    0,    0,    0,    0,    0, 0,    0,
                                   0,    0,    0,    0,    0,    0,    0,    0, 0,    0,
                                   0,    0,    0,    0,    0,    0,    0xFF, 0, 0xFF, 0,
                                   0xFF, 0,    0,    0,    0,    0, // row 0 (B, G, R) + padding
                                   0xFF, 0xFF, 0xFF, 0x80, 0x80, 0x80, 0,    0, 0,    0,
                                   0,    0}; // row 1
    HostSurfaceBlock surface = {};
    ConstructHostSurface(&surface);
    void* prototype = nullptr;
    ASSERT_TRUE(LookUpSurfacePrototype(24, &prototype));
    ASSERT_TRUE(CreateHostSurface(&surface, 3, 2, prototype));
    ASSERT_TRUE(LoadHostSurfaceFromDib(&surface, dib));

    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    const DWORD size = HostSurfaceDibSize(&surface);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(WriteHostSurfaceDib(&surface, GlobalLock(memory)), size);
    GlobalUnlock(memory);
    EXPECT_EQ(SetClipboardData(CF_DIB, memory), memory);
    ASSERT_TRUE(CloseClipboard());
    DestroyHostSurface(&surface);

    std::string bytes;
    ASSERT_TRUE(standin::ClipboardBytes(CF_DIB, &bytes));
    DecodedImage image;
    std::string why;
    ASSERT_TRUE(DecodePackedDib(bytes, &image, &why)) << why;
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    const uint32_t expected[2][3] = {{0xFF0000, 0x00FF00, 0x0000FF},
                                     {0xFFFFFF, 0x808080, 0x000000}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.At(x, y), expected[y][x]) << x << "," << y;
    EXPECT_EQ(standin::GlobalLockCount(memory), 0);
}

} // namespace

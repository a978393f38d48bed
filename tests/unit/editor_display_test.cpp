// The frame-editor side of the object: its rectangle, the author's resizing with aspect locking,
// and its drawing through the host's drawing services.
#include "edit/editor_display.h"
#include "edit/object_rect.h"
#include "editor_drawing.h"
#include "edit_host.h"
#include "host/hostrt.h"
#include "host_runtime.h"
#include "hostrt_exports.h"
#include "res/resource_ids.h"
#include "standin/inspect_gdi.h"
#include "standin/inspect_user.h"
#include "standin/kernel_control.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

ObjectSettings NewSettings(SHORT width, SHORT height, WORD flags = 0, double aspect = 0.0) {
    ObjectSettings settings;
    std::memset(&settings, 0, sizeof settings);
    settings.Width = width;
    settings.Height = height;
    settings.Flags = flags;
    settings.AspectRatio = aspect;
    return settings;
}

TEST(GetObjectRect, ZeroSidesCountAs32AndNegativeSidesAreUsedAsTheyAre) {
    struct Case {
        SHORT width, height;
        LONG left, top;
        LONG right, bottom;
    } cases[] = {
        {0, 50, 10, 10, 42, 60},      {160, 0, 0, 0, 160, 32},    {0, 0, -5, 7, 27, 39},
        {-20, 30, 100, 100, 80, 130}, {320, 240, 3, 4, 323, 244},
    };
    for (const Case& c : cases) {
        ObjectSettings settings = NewSettings(c.width, c.height);
        RECT rect = {c.left, c.top, 999, 999};
        GetObjectRect(nullptr, &rect, nullptr, &settings);
        EXPECT_EQ(rect.left, c.left);
        EXPECT_EQ(rect.top, c.top);
        EXPECT_EQ(rect.right, c.right) << c.width << " x " << c.height;
        EXPECT_EQ(rect.bottom, c.bottom) << c.width << " x " << c.height;
    }
}

TEST(GetObjectRect, MissingArgumentsChangeNothing) {
    ObjectSettings settings = NewSettings(100, 100);
    RECT rect = {1, 2, 3, 4};
    GetObjectRect(nullptr, &rect, nullptr, nullptr);
    GetObjectRect(nullptr, nullptr, nullptr, &settings);
    EXPECT_EQ(rect.right, 3);
    EXPECT_EQ(rect.bottom, 4);
}

struct ResizeCase {
    const char* name;
    SHORT width, height;
    WORD flags;
    double aspect;
    int requestWidth, requestHeight;
    SHORT expectWidth, expectHeight;
};

TEST(SetEditSize, ToleranceWidthFirstAndAspectLocking) {
    const ResizeCase cases[] = {
        // Width moved less than its tolerance 10, height by 50 (above 5): height leads.
        {"height leads", 200, 100, KeepAspect, 2.0, 205, 150, 300, 150},
        {"width leads", 200, 100, KeepAspect, 2.0, 260, 100, 260, 130},
        {"both moved: width wins", 200, 100, KeepAspect, 2.0, 300, 300, 300, 150},
        {"exactly the tolerance counts", 200, 100, KeepAspect, 2.0, 210, 100, 210, 105},
        {"below both tolerances", 200, 100, KeepAspect, 2.0, 205, 103, 205, 103},
        {"height branch truncates", 200, 100, KeepAspect, 1.5, 200, 151, 226, 151},
        {"width branch truncates", 200, 100, KeepAspect, 1.5, 260, 100, 260, 173},
        {"negative truncates toward zero", 19, 100, KeepAspect, 2.0, -25, 5, -25, -12},
        {"tolerance 0 below width 20", 19, 100, KeepAspect, 2.0, 19, 300, 19, 9},
        {"tolerance 0 below width 20, other width", 19, 40, KeepAspect, 0.5, 25, 400, 25, 50},
        {"no KeepAspect: width move", 200, 100, 0, 2.0, 260, 100, 260, 100},
        {"no KeepAspect: height move", 200, 100, 0, 2.0, 205, 150, 205, 150},
        {"no KeepAspect: both", 200, 100, 0, 2.0, 300, 20, 300, 20},
        {"other flags do not lock", 200, 100, 0xFF7F, 2.0, 205, 150, 205, 150},
    };
    for (const ResizeCase& c : cases) {
        ObjectSettings settings = NewSettings(c.width, c.height, c.flags, c.aspect);
        EXPECT_EQ(SetEditSize(nullptr, &settings, c.requestWidth, c.requestHeight), 1) << c.name;
        EXPECT_EQ(settings.Width, c.expectWidth) << c.name;
        EXPECT_EQ(settings.Height, c.expectHeight) << c.name;
        EXPECT_EQ(settings.Flags, c.flags) << c.name;
    }
}

// With an aspect ratio that cannot lock anything (zero after an 8-bit upgrade, a failed
// measurement, or a corrupt record) the requested size is stored unchanged.
TEST(SetEditSize, UnusableAspectRatioStoresTheRequestedSize) {
    const double unusable[] = {0.0, -2.0, std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    for (double aspect : unusable) {
        for (auto request : {std::make_pair(260, 100), std::make_pair(205, 150)}) {
            ObjectSettings settings = NewSettings(200, 100, KeepAspect, aspect);
            EXPECT_EQ(SetEditSize(nullptr, &settings, request.first, request.second), 1);
            EXPECT_EQ(settings.Width, request.first) << aspect;
            EXPECT_EQ(settings.Height, request.second) << aspect;
        }
    }
}

TEST(SetEditSize, LockedSideOutsideSixteenBitsStoresTheRequestedSize) {
    ObjectSettings wide = NewSettings(200, 100, KeepAspect, 1e-9); // 260 / 1e-9
    SetEditSize(nullptr, &wide, 260, 100);
    EXPECT_EQ(wide.Width, 260);
    EXPECT_EQ(wide.Height, 100);
    ObjectSettings tall = NewSettings(200, 100, KeepAspect, 1e9); // 150 x 1e9
    SetEditSize(nullptr, &tall, 205, 150);
    EXPECT_EQ(tall.Width, 205);
    EXPECT_EQ(tall.Height, 150);
}

TEST(SetEditSize, WithoutSettingsFailsCleanly) {
    EXPECT_EQ(SetEditSize(nullptr, nullptr, 10, 10), 0);
}

// ---- The drawing, checked pixel by pixel on the host stand-in's editor window ----

using hoststandin::DrawingCalls;
using hoststandin::EditorWindow;
using hoststandin::Rgb;

constexpr DWORD kEditorWindowId = 7;
const std::string kWhite = "ffffff";
const std::string kBlack = "000000";
const std::string kGrey = "c8c8c8";

std::string Hex(const Rgb& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

// A pixel of bitmap 401 itself (a bottom-up 24-bit DIB), counted from the top.
std::string PicturePixel(int x, int y) {
    HRSRC bitmap = FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_OBJECT_PICTURE), RT_BITMAP);
    const BYTE* dib = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, bitmap)));
    LONG width = *reinterpret_cast<const LONG*>(dib + 4);
    LONG height = *reinterpret_cast<const LONG*>(dib + 8);
    DWORD stride = (width * 3 + 3) & ~3u;
    const BYTE* pixel = dib + 40 + (height - 1 - y) * stride + x * 3;
    return Hex(Rgb{pixel[2], pixel[1], pixel[0]});
}

// The drawing calls interleaved with the host's surface construction and destruction: the
// surface services are wrapped so that the journal shows when a scratch surface is made and
// released among the drawing calls.
std::vector<std::string> journal;
size_t drawingCallsSeen = 0;

void CatchUpWithDrawingCalls() {
    const std::vector<std::string> calls = DrawingCalls();
    for (; drawingCallsSeen < calls.size(); ++drawingCallsSeen)
        journal.push_back(calls[drawingCallsSeen]);
}

void WINAPI JournalledConstruct(HostSurfaceBlock* surface) {
    CatchUpWithDrawingCalls();
    journal.push_back("ConstructSurface");
    HostRtSurfaceConstruct(surface);
}

void WINAPI JournalledDestroy(HostSurfaceBlock* surface) {
    CatchUpWithDrawingCalls();
    journal.push_back("DestroySurface");
    HostRtSurfaceDestroy(surface);
}

std::vector<std::string> Journal() {
    CatchUpWithDrawingCalls();
    return journal;
}

class EditorDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartFreshModuleLog();
        hoststandin::InstallHostRuntime();
        host.Record()->frameEditorWindowId = kEditorWindowId;
        std::memset(&settings, 0, sizeof settings);
        journal.clear();
        drawingCallsSeen = 0;
        standin::RegisterModuleExport(
            HOSTRT_LIBRARY_NAME, OrdinalSurfaceConstruct,
            reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(JournalledConstruct)));
        standin::RegisterModuleExport(
            HOSTRT_LIBRARY_NAME, OrdinalSurfaceDestroy,
            reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(JournalledDestroy)));
        ForgetHostRuntime();
    }
    void TearDown() override {
        ForgetHostRuntime();
        EndModuleLog();
    }

    void SetFile(const wchar_t* name) {
        size_t i = 0;
        for (; name[i]; ++i)
            settings.FileName[i] = name[i];
        settings.FileName[i] = 0;
    }

    std::string Pixel(int x, int y) const { return Hex(window.Pixel(x, y)); }

    RECT Draw(RECT rect) {
        EditorDisplay(host.Record(), nullptr, nullptr, &settings, &rect);
        return rect;
    }

    // Every pixel of `area` (right and bottom excluded) is `expected(x, y)`; reports the first
    // that is not.
    template <typename Expected> void ExpectArea(const RECT& area, Expected expected) {
        for (LONG y = area.top; y < area.bottom; ++y)
            for (LONG x = area.left; x < area.right; ++x)
                if (!(Pixel(x, y) == expected(x, y))) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << Pixel(x, y)
                                  << ", expected " << expected(x, y);
                    return;
                }
    }

    hoststandin::EditHost host;
    EditorWindow window{kEditorWindowId, 200, 150};
    ObjectSettings settings;
};

TEST_F(EditorDisplayTest, PlaceholderIsAGreyBoxWithOutlineAndBothDiagonals) {
    RECT drawn = Draw(RECT{10, 10, 110, 60});
    EXPECT_EQ(drawn.bottom, 60);

    for (POINT grey : {POINT{60, 20}, POINT{11, 30}, POINT{109, 30}, POINT{60, 59}})
        EXPECT_EQ(Pixel(grey.x, grey.y), kGrey) << grey.x << "," << grey.y;
    // Outline through the four corners, right and bottom included.
    for (LONG x = 10; x <= 110; ++x) {
        EXPECT_EQ(Pixel(x, 10), kBlack) << x;
        EXPECT_EQ(Pixel(x, 60), kBlack) << x;
    }
    for (LONG y = 10; y <= 60; ++y) {
        EXPECT_EQ(Pixel(10, y), kBlack) << y;
        EXPECT_EQ(Pixel(110, y), kBlack) << y;
    }
    // The diagonals cross in the middle.
    for (POINT black : {POINT{60, 35}, POINT{30, 20}, POINT{90, 50}, POINT{90, 20}, POINT{30, 50}})
        EXPECT_EQ(Pixel(black.x, black.y), kBlack) << black.x << "," << black.y;
    for (POINT outside : {POINT{9, 30}, POINT{111, 30}, POINT{60, 9}, POINT{60, 61}})
        EXPECT_EQ(Pixel(outside.x, outside.y), kWhite) << outside.x << "," << outside.y;

    EXPECT_EQ(DrawingCalls(), (std::vector<std::string>{
                                  "WindowSurface 7",
                                  "FillColour 7 10,10,110,60 c8c8c8",
                                  "LineAttributes 7 0 000000 1",
                                  "Polyline 7 4: 10,10 110,10 110,60 10,60 10,10",
                                  "Polyline 7 1: 10,10 110,60",
                                  "Polyline 7 1: 110,10 10,60",
                              }));
    EXPECT_TRUE(window.WritePng("editor-placeholder.png"));
}

TEST_F(EditorDisplayTest, TrimEditorBottomEndsThePlaceholderTwentyPixelsHigher) {
    settings.Flags = TrimEditorBottom;
    RECT drawn = Draw(RECT{10, 10, 110, 60});
    EXPECT_EQ(drawn.left, 10);
    EXPECT_EQ(drawn.top, 10);
    EXPECT_EQ(drawn.right, 110);
    EXPECT_EQ(drawn.bottom, 40); // the caller's rectangle itself
    EXPECT_EQ(Pixel(10, 40), kBlack);
    EXPECT_EQ(Pixel(60, 39), kGrey);
    ExpectArea(RECT{10, 41, 111, 61}, [](LONG, LONG) { return kWhite; });
}

TEST_F(EditorDisplayTest, NoFileWithDefaultSizeDrawsOnlyTheStretchedPicture) {
    settings.Flags = DefaultSize | TrimEditorBottom; // the trim does not apply to the picture
    RECT drawn = Draw(RECT{20, 30, 84, 94});         // 64 x 64: the picture twice its size
    EXPECT_EQ(drawn.bottom, 94);
    ExpectArea(RECT{20, 30, 84, 94},
               [](LONG x, LONG y) { return PicturePixel((x - 20) / 2, (y - 30) / 2); });
    ExpectArea(RECT{84, 30, 85, 95}, [](LONG, LONG) { return kWhite; });
    ExpectArea(RECT{20, 94, 85, 95}, [](LONG, LONG) { return kWhite; });
    EXPECT_EQ(Journal(), (std::vector<std::string>{"WindowSurface 7", "ConstructSurface",
                                                   "LoadBitmapResource 401 mode 1",
                                                   "StretchCopy 20,30 64x64", "DestroySurface"}));
    EXPECT_TRUE(window.WritePng("editor-picture.png"));
}

TEST_F(EditorDisplayTest, WithAFileThePictureCoversRightAndBottomToo) {
    SetFile(L"C:\\clips\\a.avi");
    Draw(RECT{0, 0, 31, 63}); // 32 x 64 with the closing row and column
    ExpectArea(RECT{0, 0, 32, 64}, [](LONG x, LONG y) { return PicturePixel(x, y / 2); });
    ExpectArea(RECT{32, 0, 33, 65}, [](LONG, LONG) { return kWhite; });
    EXPECT_EQ(DrawingCalls().back(), "StretchCopy 0,0 32x64");
}

TEST_F(EditorDisplayTest, HideAtStartHatchesThePictureWithABlackDiagonalCross) {
    SetFile(L"C:\\clips\\a.avi");
    settings.Flags = HideAtStart;
    RECT drawn = Draw(RECT{4, 4, 67, 67});
    EXPECT_EQ(drawn.bottom, 67);
    ExpectArea(RECT{4, 4, 68, 68}, [](LONG x, LONG y) {
        return standin::HatchCovers(HS_DIAGCROSS, x, y) ? kBlack
                                                        : PicturePixel((x - 4) / 2, (y - 4) / 2);
    });
    // The scratch surface holding the picture is released after the hatch, not before it.
    EXPECT_EQ(Journal(), (std::vector<std::string>{
                             "WindowSurface 7",
                             "ConstructSurface",
                             "LoadBitmapResource 401 mode 1",
                             "StretchCopy 4,4 64x64",
                             "DrawingAttribute 7 1",
                             "BrushFill 7 4,4,68,68 hatch 5 000000",
                             "LineAttributes 7 0 000000 1",
                             "FinishHatch 7 4,4,67,67",
                             "DestroySurface",
                         }));
    EXPECT_EQ(standin::LiveCreatedBrushes(), 0);
    EXPECT_TRUE(window.WritePng("editor-hidden.png"));
}

TEST_F(EditorDisplayTest, TrimmedHiddenObjectIsHatchedOverTheShorterRectangle) {
    SetFile(L"C:\\clips\\a.avi");
    settings.Flags = HideAtStart | TrimEditorBottom;
    RECT drawn = Draw(RECT{0, 0, 63, 83});
    EXPECT_EQ(drawn.bottom, 63);
    EXPECT_EQ(DrawingCalls()[2], "StretchCopy 0,0 64x64");
    EXPECT_EQ(DrawingCalls()[4], "BrushFill 7 0,0,64,64 hatch 5 000000");
    ExpectArea(RECT{0, 64, 70, 90}, [](LONG, LONG) { return kWhite; });
}

TEST_F(EditorDisplayTest, WithoutAHatchBrushThePictureStaysUncovered) {
    SetFile(L"C:\\clips\\a.avi");
    settings.Flags = HideAtStart;
    standin::InjectFault("CreateHatchBrush", 0);
    Draw(RECT{0, 0, 31, 31});
    ExpectArea(RECT{0, 0, 32, 32}, [](LONG x, LONG y) { return PicturePixel(x, y); });
    EXPECT_EQ(DrawingCalls().size(), 3u);
    EXPECT_EQ(Journal().back(), "DestroySurface");
}

TEST_F(EditorDisplayTest, NothingIsDrawnWithoutTheEditorSurfaceOrTheServices) {
    host.Record()->frameEditorWindowId = 99; // no such window
    RECT rect = {10, 10, 110, 60};
    settings.Flags = TrimEditorBottom;
    EditorDisplay(host.Record(), nullptr, nullptr, &settings, &rect);
    EXPECT_EQ(rect.bottom, 60); // nothing drawn, nothing trimmed
    EXPECT_EQ(DrawingCalls(), std::vector<std::string>{"WindowSurface 99"});

    // A host run-time without the drawing services.
    for (WORD ordinal = OrdinalWindowSurface; ordinal <= OrdinalFinishHatch; ++ordinal)
        standin::RemoveModuleExport(L"HOSTRT.dll", ordinal);
    ForgetHostRuntime();
    host.Record()->frameEditorWindowId = kEditorWindowId;
    EditorDisplay(host.Record(), nullptr, nullptr, &settings, &rect);
    EXPECT_EQ(rect.bottom, 60);
    ExpectArea(RECT{0, 0, 200, 150}, [](LONG, LONG) { return kWhite; });

    EditorDisplay(nullptr, nullptr, nullptr, &settings, &rect);
    EditorDisplay(host.Record(), nullptr, nullptr, nullptr, &rect);
    EditorDisplay(host.Record(), nullptr, nullptr, &settings, nullptr);
}

} // namespace

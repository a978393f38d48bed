// The frame-editor side of the object: its rectangle, the author's resizing with aspect locking,
// and its drawing through the host's drawing services.
#include "edit/object_rect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

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

} // namespace

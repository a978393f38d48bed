// The platform stand-in's resources: compiled from src/res/cinevane.rc by rcgen and served the
// way Windows serves them.
#include <windows.h>

#include "res/resource_ids.h"
#include "standin/resource_data.h"
#include "support/wide.h"

#include <gtest/gtest.h>

namespace {

HINSTANCE ModuleInstance() {
    return reinterpret_cast<HINSTANCE>(0x10000000);
}

TEST(LoadStringW, CopiesCutsAndCounts) {
    WCHAR buffer[64];
    EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_OBJ_NAME, buffer, 64), 29);
    EXPECT_EQ(Utf8(buffer), "Cinevane Object 5.3 w/unicode");

    // Cut to the buffer, terminator included.
    WCHAR small[9];
    EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_OBJ_NAME, small, 9), 8);
    EXPECT_EQ(Utf8(small), "Cinevane");
    WCHAR one[1] = {L'x'};
    EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_OBJ_NAME, one, 1), 0);
    EXPECT_EQ(one[0], 0);
}

TEST(LoadStringW, MissingStringsAndBadArguments) {
    WCHAR buffer[8] = {L'x', L'y', 0};
    EXPECT_EQ(LoadStringW(ModuleInstance(), 9999, buffer, 8), 0);
    EXPECT_EQ(buffer[0], 0) << "a missing string leaves an empty text";

    buffer[0] = L'q';
    EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_OBJ_NAME, buffer, -5), 0);
    EXPECT_EQ(buffer[0], L'q') << "a negative size writes nothing";
    EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_OBJ_NAME, nullptr, 8), 0);

    // Windows ids are 16-bit: the high word is ignored.
    EXPECT_EQ(LoadStringW(ModuleInstance(), 0x10000 | IDS_HOST_NAME, buffer, 8), 7);
    EXPECT_EQ(Utf8(buffer), "Cinevan");
}

TEST(LoadStringW, ZeroSizeHandsOutReadOnlyPointer) {
    const WCHAR* text = nullptr;
    EXPECT_EQ(LoadStringW(ModuleInstance(), IDS_HOST_MF2, reinterpret_cast<LPWSTR>(&text), 0), 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(Utf8(text, 3), "MF2");
    // Like Windows, the units are counted, not terminated: the next string follows.
    EXPECT_NE(text[3], 0);
}

TEST(LoadStringW, EscapesAreReadLikeTheWindowsResourceCompiler) {
    WCHAR buffer[128];
    LoadStringW(ModuleInstance(), IDS_PROP_LOG_MODE_INFO, buffer, 128);
    EXPECT_EQ(Utf8(buffer), "Create a log file in C:\\Cinevane\\EventLog.txt");
}

TEST(DialogResource, SetupDialogTemplate) {
    // Values checked against windres' compilation of the same .rc.
    const standin::DialogResource* dialog = standin::FindDialogResource(IDD_SETUP);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->style, 0x80C000C0u); // popup, caption, modal frame, set font; no system menu
    EXPECT_EQ(dialog->exStyle, 0u);
    EXPECT_EQ((std::vector<int>{dialog->x, dialog->y, dialog->cx, dialog->cy}),
              (std::vector<int>{0, 4, 137, 59}));
    EXPECT_EQ(Utf8(dialog->caption), " Cinevane Object");
    EXPECT_TRUE(dialog->hasFont);
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ(Utf8(dialog->fontName), "Helv");
    ASSERT_EQ(dialog->controlCount, 3);

    struct Expected {
        WORD classAtom;
        bool textIsOrdinal;
        WORD ordinal;
        const char* text;
        DWORD id, style;
        int x, y, cx, cy;
    };
    const Expected expected[] = {
        {0x82, true, IDB_SETUP_LOGO, "", 0xFFFF, 0x5000100E, 7, 7, 121, 26},
        {0x80, false, 0, "OK", 1, 0x50010001, 11, 36, 50, 14},
        {0x80, false, 0, "&Help", IDC_SETUP_HELP, 0x50010000, 74, 36, 50, 14},
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const standin::DialogControlResource& control = dialog->controls[i];
        EXPECT_TRUE(control.className.isOrdinal);
        EXPECT_EQ(control.className.ordinal, expected[i].classAtom);
        EXPECT_EQ(control.text.isOrdinal, expected[i].textIsOrdinal);
        EXPECT_EQ(control.text.ordinal, expected[i].ordinal);
        EXPECT_EQ(Utf8(control.text.text), expected[i].text);
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(control.style, expected[i].style);
        EXPECT_EQ((std::vector<int>{control.x, control.y, control.cx, control.cy}),
                  (std::vector<int>{expected[i].x, expected[i].y, expected[i].cx, expected[i].cy}));
    }
}

DWORD Dword(const BYTE* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<DWORD>(p[3]) << 24;
}

TEST(BitmapResource, PicturesArePackedDibsOfTheAgreedSizes) {
    struct Expected {
        UINT id;
        int width, height;
    };
    // 102 fills the 121 x 26 unit picture control of the setup dialog at 8-point Helv.
    const Expected expected[] = {
        {IDB_SETUP_LOGO, 182, 42}, {IDB_OBJECT_SMALL, 32, 32}, {IDB_OBJECT_PICTURE, 32, 32}};
    for (const Expected& picture : expected) {
        SCOPED_TRACE(picture.id);
        const standin::BitmapResource* bitmap = standin::FindBitmapResource(picture.id);
        ASSERT_NE(bitmap, nullptr);
        ASSERT_GE(bitmap->size, 40u);
        EXPECT_EQ(Dword(bitmap->dib), 40u); // BITMAPINFOHEADER first: the file header is gone
        EXPECT_EQ(static_cast<int>(Dword(bitmap->dib + 4)), picture.width);
        EXPECT_EQ(static_cast<int>(Dword(bitmap->dib + 8)), picture.height);
        EXPECT_EQ(bitmap->dib[14], 24);
        DWORD stride = (picture.width * 3 + 3) & ~3u;
        EXPECT_EQ(bitmap->size, 40 + stride * picture.height);
    }
}

TEST(RawResources, BitmapsAreFoundLoadedAndSized) {
    HRSRC found = FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(IDB_OBJECT_PICTURE), RT_BITMAP);
    ASSERT_NE(found, nullptr);
    const BYTE* bits =
        static_cast<const BYTE*>(LockResource(LoadResource(ModuleInstance(), found)));
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(bits, standin::FindBitmapResource(IDB_OBJECT_PICTURE)->dib);
    EXPECT_EQ(SizeofResource(ModuleInstance(), found), 40u + 96u * 32u);

    EXPECT_EQ(FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(999), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(IDB_OBJECT_PICTURE), RT_DIALOG),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    HRSRC forged = reinterpret_cast<HRSRC>(0x1234);
    EXPECT_EQ(LoadResource(ModuleInstance(), forged), nullptr);
    EXPECT_EQ(SizeofResource(ModuleInstance(), forged), 0u);
}

} // namespace

// The platform stand-in's menus: resources loaded from cinevane.rc and the Win32 menu calls.
#include <windows.h>

#include "res/resource_ids.h"
#include "support/wide.h"

#include <gtest/gtest.h>

namespace {

class Menus : public ::testing::Test {
  protected:
    void SetUp() override { standin::ResetPlatform(); }
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(0x10000000);
};

std::string ItemText(HMENU menu, UINT item, UINT flags) {
    WCHAR text[128];
    GetMenuStringW(menu, item, text, 128, flags);
    return Utf8(text);
}

TEST_F(Menus, LoadedResourceHasOneUnnamedPopup) {
    HMENU bar = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_CONDITION_MENU));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 21);
    EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), (21u << 8) | MF_POPUP);

    EXPECT_EQ(GetMenuItemID(popup, 2), static_cast<UINT>(IDM_CONDITION_PAUSED));
    EXPECT_EQ(GetMenuItemID(popup, 3), 0u);
    EXPECT_EQ(GetMenuState(popup, 3, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(ItemText(popup, 3, MF_BYPOSITION), "");
    EXPECT_EQ(GetMenuState(popup, 2, MF_BYPOSITION), 0u);
    EXPECT_EQ(ItemText(bar, IDM_CONDITION_PAUSED, MF_BYCOMMAND), "Is Video paused?")
        << "a command id is searched through the popups";

    EXPECT_EQ(standin::LiveMenuCount(), 2);
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_EQ(standin::LiveMenuCount(), 0) << "destroying a menu destroys its popups";
    EXPECT_FALSE(IsMenu(popup));
}

TEST_F(Menus, MissingResourcesAndBadHandlesFailCleanly) {
    EXPECT_EQ(LoadMenuW(instance, MAKEINTRESOURCEW(20999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadMenuW(instance, L"ACTIONS"), nullptr);
    HMENU bogus = reinterpret_cast<HMENU>(0x1234);
    SetLastError(0);
    EXPECT_EQ(GetMenuItemCount(bogus), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    EXPECT_EQ(GetMenuItemID(bogus, 0), static_cast<UINT>(-1));
    EXPECT_EQ(GetSubMenu(bogus, 0), nullptr);
    EXPECT_EQ(GetMenuState(bogus, 0, MF_BYPOSITION), static_cast<UINT>(-1));
    WCHAR text[4] = {L'x', 0};
    EXPECT_EQ(GetMenuStringW(bogus, 0, text, 4, MF_BYPOSITION), 0);
    EXPECT_EQ(text[0], 0);
    EXPECT_FALSE(DestroyMenu(bogus));
    EXPECT_FALSE(AppendMenuW(bogus, MF_STRING, 1, L"x"));

    HMENU popup = CreatePopupMenu();
    EXPECT_EQ(GetMenuItemID(popup, -1), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(-1));
    EXPECT_FALSE(AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(bogus), L"sub"));
    EXPECT_FALSE(AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), L"self"));
    EXPECT_EQ(GetMenuItemCount(popup), 0);
}

TEST_F(Menus, AppendedItemsKeepStateAndTextIsCutToTheBuffer) {
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    ASSERT_TRUE(AppendMenuW(popup, MF_STRING | MF_CHECKED | MF_GRAYED, 42, L"Forty-two"));
    ASSERT_TRUE(AppendMenuW(popup, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenuW(popup, MF_STRING, 7, nullptr)); // no text: a separator
    ASSERT_TRUE(AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub"));
    ASSERT_TRUE(AppendMenuW(sub, MF_STRING, 43, L"Inner"));

    EXPECT_EQ(GetMenuState(popup, 42, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED | MF_GRAYED));
    EXPECT_EQ(GetMenuState(popup, 2, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(popup, 2), 0u);
    EXPECT_EQ(GetMenuState(popup, 3, MF_BYPOSITION), (1u << 8) | MF_POPUP);
    EXPECT_EQ(GetSubMenu(popup, 3), sub);
    EXPECT_EQ(ItemText(popup, 43, MF_BYCOMMAND), "Inner");

    WCHAR small[5];
    EXPECT_EQ(GetMenuStringW(popup, 0, small, 5, MF_BYPOSITION), 4);
    EXPECT_EQ(Utf8(small), "Fort");
    EXPECT_EQ(GetMenuStringW(popup, 0, nullptr, 0, MF_BYPOSITION), 9) << "length query";
    EXPECT_EQ(GetMenuState(popup, 99, MF_BYCOMMAND), static_cast<UINT>(-1));
    DestroyMenu(popup);
    EXPECT_EQ(standin::LiveMenuCount(), 0);
}

TEST_F(Menus, InjectedFaults) {
    standin::InjectFault("CreatePopupMenu", 0);
    EXPECT_EQ(CreatePopupMenu(), nullptr);
    EXPECT_NE(CreatePopupMenu(), nullptr);
    standin::InjectFault("LoadMenuW", 0);
    EXPECT_EQ(LoadMenuW(instance, MAKEINTRESOURCEW(IDR_ACTION_MENU)), nullptr);
    EXPECT_EQ(standin::CallCount("LoadMenuW"), 1);
}

} // namespace

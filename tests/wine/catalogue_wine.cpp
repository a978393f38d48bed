// The real Cinevane.dll under Wine answers the event editor's look-ups through real Win32 string
// and menu resources, and upgrades an 8-bit record with the platform's own code-page conversion.
#include "wine/wine_check.h"

#include "host/host_records.h"
#include "host/object_settings.h"

#include <cstring>

namespace {

typedef HMENU(WINAPI* MenuFunction)(EditHostRecord*, LPVOID, LPVOID);
typedef short(WINAPI* CodeFromMenuFunction)(EditHostRecord*, short);
typedef const short*(WINAPI* InfosFunction)(EditHostRecord*, short);
typedef int(WINAPI* StringFunction)(EditHostRecord*, short, LPWSTR, short);
typedef void(WINAPI* TitleFunction)(EditHostRecord*, short, short, LPWSTR, short);
typedef HGLOBAL(WINAPI* UpdateFunction)(EditHostRecord*, LPVOID);

DWORD WINAPI SupportedVersion() {
    return 0x02000000u | 300;
}
DWORD WINAPI OldVersion() {
    return 0x02000000u | 250;
}

// An 8-bit application with the ANSI code page.
int WINAPI AnswerRequest(ObjectSettings*, int number, int, int, int) {
    return number == RequestIsWideApplication ? 0 : number == RequestCodePage ? 1252 : 0;
}

template <typename Function> Function Find(HMODULE module, const char* name) {
    FARPROC proc = GetProcAddress(module, name);
    CHECK(proc != nullptr);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

std::string ItemText(HMENU menu, int position) {
    WCHAR text[128];
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return winecheck::Narrow(text);
}

void CheckActionMenu(HMENU menu) {
    CHECK(menu != nullptr);
    if (!menu)
        return;
    int count = GetMenuItemCount(menu);
    CHECK_EQ(count, 21);
    int popups = 0;
    for (int position = 0; position < count; ++position)
        popups += GetMenuItemID(menu, position) == static_cast<UINT>(-1);
    CHECK_EQ(popups, 9);
    CHECK_EQ(GetMenuItemID(menu, 0), 0u);
    CHECK_EQ(GetMenuItemID(menu, count - 1), 0u);
    CHECK_EQ(ItemText(menu, 1), "Play");
    HMENU play = GetSubMenu(menu, 1);
    CHECK(play != nullptr);
    CHECK_EQ(GetMenuItemCount(play), 3);
    CHECK_EQ(GetMenuItemID(play, 0), 25000u);
    CHECK_EQ(ItemText(play, 2), "A new file via a file selector");
    CHECK_EQ(ItemText(menu, 19), "Reset Clipboard");
    CHECK(DestroyMenu(menu));
}

} // namespace

int main() {
    HMODULE module = LoadLibraryW(L"Cinevane.dll");
    CHECK(module != nullptr);
    if (!module)
        return WineCheckSummary();

    EditHostRecord host;
    std::memset(&host, 0, sizeof host);
    host.version = SupportedVersion;
    host.request = AnswerRequest;

    auto actionString = Find<StringFunction>(module, "GetActionString");
    WCHAR text[128];
    if (actionString) {
        CHECK_EQ(actionString(&host, 28, text, 128), 24);
        CHECK_TEXT(text, "Set Indio Password to %0");
        CHECK_EQ(actionString(&host, 29, text, 10), 9);
        CHECK_TEXT(text, "Set Postp");
        CHECK_EQ(actionString(&host, 40, text, 128), 0);
        CHECK_TEXT(text, "");
    }
    auto conditionCode = Find<CodeFromMenuFunction>(module, "GetConditionCodeFromMenu");
    if (conditionCode) {
        CHECK_EQ(conditionCode(&host, 26011), static_cast<short>(2));
        CHECK_EQ(conditionCode(&host, 25000), static_cast<short>(-1));
    }
    auto expressionInfos = Find<InfosFunction>(module, "GetExpressionInfos");
    if (expressionInfos) {
        const short* infos = expressionInfos(&host, 16);
        CHECK(infos && infos[0] == 16 && infos[1] == 2 && infos[2] == 0);
        CHECK(expressionInfos(&host, 24) == nullptr);
    }
    auto conditionTitle = Find<TitleFunction>(module, "GetConditionTitle");
    if (conditionTitle) {
        conditionTitle(&host, 3, 0, text, 128); // the menu item's text, found through the menu
        CHECK_TEXT(text, "Mouse clicks within the Video window?");
    }
    auto actionTitle = Find<TitleFunction>(module, "GetActionTitle");
    if (actionTitle) {
        actionTitle(&host, 14, 1, text, 128);
        CHECK_TEXT(text, "Set vertical size");
        actionTitle(&host, 4, 0, text, 128); // an action without a menu item
        CHECK_TEXT(text, "");
    }
    auto actionMenu = Find<MenuFunction>(module, "GetActionMenu");
    if (actionMenu) {
        CheckActionMenu(actionMenu(&host, nullptr, nullptr));
        host.version = OldVersion;
        CHECK(actionMenu(&host, nullptr, nullptr) == nullptr);
        host.version = SupportedVersion;
    }

    auto update = Find<UpdateFunction>(module, "UpdateEditStructure");
    if (update) {
        BYTE old[kObjectSettingsSize] = {};
        const DWORD size = 184; // a version-1 record: bytes 0-183
        DWORD version = 1;
        std::memcpy(old, &size, 4);
        std::memcpy(old + 8, &version, 4);
        const char name[] = "C:\\Films\\\x80uro \xe9t\xe9.avi";
        std::memcpy(old + 26, name, sizeof name);
        HGLOBAL block = update(&host, old);
        CHECK(block != nullptr);
        if (block) {
            const ObjectSettings* settings = static_cast<const ObjectSettings*>(block);
            CHECK_EQ(settings->Header.Size, kObjectSettingsSize);
            CHECK_EQ(settings->Header.Version, kObjectSettingsVersion);
            CHECK_TEXT(settings->FileName, "C:\\Films\\\xe2\x82\xacuro \xc3\xa9t\xc3\xa9.avi");
            CHECK(GlobalFree(block) == nullptr);
        }
    }
    FreeLibrary(module);
    return WineCheckSummary();
}

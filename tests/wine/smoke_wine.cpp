// The real Cinevane.dll under Wine: it loads, answers the host's information queries, and an
// Initialize/Free pair creates the event log file C:\Cinevane\EventLog.txt.
#include "wine/wine_check.h"

#include "host/host_records.h"

#include <cstring>

namespace {

typedef DWORD(WINAPI* GetInfosFunction)(int);
typedef int(WINAPI* GetRunObjectInfosFunction)(EditHostRecord*, RunObjectInfos*);
typedef void(WINAPI* GetObjInfosFunction)(EditHostRecord*, void*, LPWSTR, LPWSTR, LPWSTR, LPWSTR,
                                          LPWSTR);
typedef LPCWSTR(WINAPI* GetHelpFileNameFunction)();
typedef int(WINAPI* InitializeFunction)(EditHostRecord*, int);
typedef int(WINAPI* FreeFunction)(EditHostRecord*);

DWORD WINAPI SupportedVersion() {
    return 0x02000000u | 300;
}

template <typename Function> Function Find(HMODULE module, const char* name) {
    FARPROC proc = GetProcAddress(module, name);
    CHECK(proc != nullptr);
    return reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
}

bool FileExistsAt(LPCWSTR path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

int main() {
    const WCHAR logPath[] = L"C:\\Cinevane\\EventLog.txt";
    DeleteFileW(logPath); // a log left by an earlier run would be kept and appended to

    HMODULE module = LoadLibraryW(L"Cinevane.dll");
    CHECK(module != nullptr);
    if (!module)
        return WineCheckSummary();

    auto getInfos = Find<GetInfosFunction>(module, "GetInfos");
    const int codes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 100};
    const DWORD answers[] = {768, 0, 256, 0, 0, 0, 2, 251, 1, 0, 0};
    for (int i = 0; getInfos && i < 11; ++i)
        CHECK_EQ(getInfos(codes[i]), answers[i]);

    auto getRunObjectInfos = Find<GetRunObjectInfosFunction>(module, "GetRunObjectInfos");
    if (getRunObjectInfos) {
        RunObjectInfos infos;
        std::memset(&infos, 0xCD, sizeof infos);
        CHECK_EQ(getRunObjectInfos(nullptr, &infos), 1);
        CHECK(infos.conditions != nullptr && infos.actions != nullptr &&
              infos.expressions != nullptr);
        CHECK(infos.conditions && infos.conditions[14] == nullptr);
        CHECK(infos.actions && infos.actions[40] == nullptr);
        CHECK(infos.expressions && infos.expressions[24] == nullptr);
        CHECK_EQ(infos.conditionCount, 14);
        CHECK_EQ(infos.actionCount, 40);
        CHECK_EQ(infos.expressionCount, 24);
        CHECK_EQ(infos.settingsSize, 576);
        CHECK_EQ(infos.options, 0x0315ul);
        CHECK_EQ(infos.windowProcPriority, 100);
        CHECK_EQ(infos.reserved25, 0xCD);
        CHECK_EQ(infos.options2, 0x01C3);
        CHECK_EQ(infos.identifier, 0x434E5632ul); // "CNV2"
        CHECK_EQ(infos.settingsVersion, 2);
    }

    auto getObjInfos = Find<GetObjInfosFunction>(module, "GetObjInfos");
    if (getObjInfos) {
        WCHAR name[255], author[255], rights[255], comment[1024], web[255];
        getObjInfos(nullptr, nullptr, name, author, rights, comment, web);
        CHECK_TEXT(name, "Cinevane Object 5.3 w/unicode");
        CHECK_TEXT(comment, "Video Object with professional setting.");
    }
    auto getHelpFileName = Find<GetHelpFileNameFunction>(module, "GetHelpFileName");
    if (getHelpFileName)
        CHECK_TEXT(getHelpFileName(), "Help\\Cinevane.chm");

    auto initialize = Find<InitializeFunction>(module, "Initialize");
    auto freeModule = Find<FreeFunction>(module, "Free");
    if (initialize && freeModule) {
        EditHostRecord host;
        std::memset(&host, 0, sizeof host);
        host.version = SupportedVersion;
        CHECK(!FileExistsAt(logPath));
        CHECK_EQ(initialize(&host, 0), 0);
        CHECK(FileExistsAt(logPath));
        CHECK_EQ(freeModule(&host), 0);
        CHECK(FileExistsAt(logPath)); // "Delete Log" is off by default
    }
    CHECK(FreeLibrary(module));
    return WineCheckSummary();
}

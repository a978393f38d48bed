// The host's information queries: module capabilities, the run-object description, the object's
// texts, the help file and the sizes the host allocates.
#include "host/lifecycle_exports.h"

#include "host/host_version.h"
#include "host/module_state.h"
#include "host/routine_tables.h"
#include "res/resource_ids.h"

namespace {

// Host option words and window-message priority reported for the object (their meaning is the
// host's).
constexpr DWORD kObjectOptions = 0x0315; // bits 0, 2, 4, 8, 9
constexpr WORD kObjectOptions2 = 0x01C3; // bits 0, 1, 6, 7, 8
constexpr BYTE kWindowRoutinePriority = 100;
// "CNV2", first character in the most significant byte.
constexpr DWORD kObjectIdentifier =
    (DWORD('C') << 24) | (DWORD('N') << 16) | (DWORD('V') << 8) | '2';

// No debug items: the list holds only its terminator.
const WORD kNoDebugItems[] = {0xFFFF};

void LoadInfoString(UINT id, LPWSTR buffer, int capacity) {
    if (buffer)
        LoadStringW(ModuleInstance(), id, buffer, capacity);
}

} // namespace

DWORD WINAPI GetInfos(int code) {
    switch (code) {
    case 0:
        return 0x0300;
    case 2:
        return 0x0100;
    case 6:
        return kLowestHostProduct >> 24; // the product level IsSupportedHost demands
    case 7:
        return kLowestHostBuild;
    case 8:
        return 1; // the module works in UTF-16
    default:
        return 0;
    }
}

int WINAPI GetRunObjectInfos(EditHostRecord*, RunObjectInfos* infos) {
    if (!infos)
        return 0;
    infos->conditions = ConditionRoutines;
    infos->actions = ActionRoutines;
    infos->expressions = ExpressionRoutines;
    infos->conditionCount = kConditionCount;
    infos->actionCount = kActionCount;
    infos->expressionCount = kExpressionCount;
    infos->settingsSize = static_cast<WORD>(kObjectSettingsSize);
    infos->options = kObjectOptions;
    infos->windowProcPriority = kWindowRoutinePriority;
    // Byte 25 is the host's: left as it is.
    infos->options2 = kObjectOptions2;
    infos->identifier = kObjectIdentifier;
    infos->settingsVersion = static_cast<WORD>(kObjectSettingsVersion);
    return 1;
}

void WINAPI GetObjInfos(EditHostRecord*, ObjectSettings*, LPWSTR name, LPWSTR author, LPWSTR rights,
                        LPWSTR comment, LPWSTR webAddress) {
    LoadInfoString(IDS_OBJ_NAME, name, 255);
    LoadInfoString(IDS_OBJ_AUTHOR, author, 255);
    LoadInfoString(IDS_OBJ_COPYRIGHT, rights, 255);
    LoadInfoString(IDS_OBJ_COMMENT, comment, 1024);
    LoadInfoString(IDS_OBJ_HTTP, webAddress, 255);
}

LPCWSTR WINAPI GetHelpFileName() {
    return L"Help\\Cinevane.chm";
}

DWORD WINAPI GetRunObjectDataSize(RunHeader*, ObjectSettings*) {
    return kRunObjectSize;
}

int WINAPI GetFilters(EditHostRecord*, ObjectSettings*, DWORD flags, LPVOID) {
    return (flags & 1) ? 1 : 0;
}

const WORD* WINAPI GetDebugTree(RunObject*) {
    return kNoDebugItems;
}

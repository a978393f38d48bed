#include "host/catalogue_exports.h"

#include "host/event_catalogue.h"
#include "host/host_version.h"
#include "host/module_state.h"

namespace {

HMENU MenuFor(EditHostRecord* host, const EventTable& table) {
    if (!IsSupportedHost(host))
        return nullptr;
    return CopyMenuTree(ModuleInstance(), table.menuResource);
}

int StringFor(EditHostRecord* host, const EventTable& table, short code, LPWSTR buffer,
              short size) {
    if (!IsSupportedHost(host))
        return 0;
    return GetEventString(ModuleInstance(), table, code, buffer, size);
}

const short* InfosFor(const EventTable& table, short code) {
    const short* entry = FindEventEntry(table, code);
    return entry ? entry + EntryCode : nullptr;
}

} // namespace

HMENU WINAPI GetConditionMenu(EditHostRecord* host, LPVOID, ObjectSettings*) {
    return MenuFor(host, ConditionEvents());
}
HMENU WINAPI GetActionMenu(EditHostRecord* host, LPVOID, ObjectSettings*) {
    return MenuFor(host, ActionEvents());
}
HMENU WINAPI GetExpressionMenu(EditHostRecord* host, LPVOID, ObjectSettings*) {
    return MenuFor(host, ExpressionEvents());
}

short WINAPI GetConditionCodeFromMenu(EditHostRecord*, short menuId) {
    return EventCodeFromMenu(ConditionEvents(), static_cast<WORD>(menuId));
}
short WINAPI GetActionCodeFromMenu(EditHostRecord*, short menuId) {
    return EventCodeFromMenu(ActionEvents(), static_cast<WORD>(menuId));
}
short WINAPI GetExpressionCodeFromMenu(EditHostRecord*, short menuId) {
    return EventCodeFromMenu(ExpressionEvents(), static_cast<WORD>(menuId));
}

const short* WINAPI GetConditionInfos(EditHostRecord*, short code) {
    return InfosFor(ConditionEvents(), code);
}
const short* WINAPI GetActionInfos(EditHostRecord*, short code) {
    return InfosFor(ActionEvents(), code);
}
const short* WINAPI GetExpressionInfos(EditHostRecord*, short code) {
    return InfosFor(ExpressionEvents(), code);
}

int WINAPI GetConditionString(EditHostRecord* host, short code, LPWSTR buffer, short size) {
    return StringFor(host, ConditionEvents(), code, buffer, size);
}
int WINAPI GetActionString(EditHostRecord* host, short code, LPWSTR buffer, short size) {
    return StringFor(host, ActionEvents(), code, buffer, size);
}
int WINAPI GetExpressionString(EditHostRecord* host, short code, LPWSTR buffer, short size) {
    return StringFor(host, ExpressionEvents(), code, buffer, size);
}

void WINAPI GetConditionTitle(EditHostRecord*, short code, short index, LPWSTR buffer, short size) {
    GetEventTitle(ModuleInstance(), ConditionEvents(), code, index, buffer, size);
}
void WINAPI GetActionTitle(EditHostRecord*, short code, short index, LPWSTR buffer, short size) {
    GetEventTitle(ModuleInstance(), ActionEvents(), code, index, buffer, size);
}
void WINAPI GetExpressionTitle(EditHostRecord*, short code, LPWSTR buffer, short size) {
    GetEventTitle(ModuleInstance(), ExpressionEvents(), code, 0, buffer, size);
}

void WINAPI GetExpressionParam(EditHostRecord*, short code, short index, LPWSTR buffer,
                               short size) {
    GetEventParameterTitle(ModuleInstance(), ExpressionEvents(), code, index, buffer, size);
}

void WINAPI GetParameterString(EditHostRecord*, LPVOID, LPVOID, LPVOID, LPVOID) {}

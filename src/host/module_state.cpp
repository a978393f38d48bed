#include "host/module_state.h"

namespace {
HINSTANCE moduleInstance = nullptr;
LONG moduleState = 0;
} // namespace

HINSTANCE ModuleInstance() {
    return moduleInstance;
}
LONG ModuleState() {
    return moduleState;
}
void SetModuleInstance(HINSTANCE instance) {
    moduleInstance = instance;
}
void SetModuleState(LONG state) {
    moduleState = state;
}

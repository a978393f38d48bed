#include "support/module_setup.h"

#include "diag/event_log.h"
#include "host/hostrt.h"
#include "host/lifecycle_exports.h"
#include "host/module_state.h"
#include "standin/faults.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"

void FreeModuleCompletely() {
    while (ModuleState() != 0 || ModuleLog())
        Free(nullptr);
}

HINSTANCE StartFreshModule() {
    FreeModuleCompletely();
    standin::ResetPlatform();
    standin::ClearSandbox();
    ForgetHostRuntime();
    HINSTANCE instance = standin::RegisterModule(L"Cinevane.dll");
    DllMain(instance, DLL_PROCESS_ATTACH, nullptr);
    return instance;
}

#include "hostrt_install.h"

#include <windows.h>

#include "hostrt_exports.h"
#include "standin/kernel_control.h"

namespace hoststandin {

void InstallHostRuntime() {
    for (const HostRuntimeExport* entry = kImageServiceExports; entry->ordinal; ++entry)
        standin::RegisterModuleExport(L"HOSTRT.dll", entry->ordinal,
                                      reinterpret_cast<FARPROC>(entry->procedure));
}

} // namespace hoststandin

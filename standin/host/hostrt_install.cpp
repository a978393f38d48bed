#include "hostrt_install.h"

#include <windows.h>

#include "host/hostrt.h"
#include "hostrt_exports.h"
#include "standin/kernel_control.h"

namespace hoststandin {

void InstallImageServices() {
    for (const HostRuntimeExport* entry = kImageServiceExports; entry->ordinal; ++entry)
        standin::RegisterModuleExport(HOSTRT_LIBRARY_NAME, entry->ordinal,
                                      reinterpret_cast<FARPROC>(entry->procedure));
}

} // namespace hoststandin

#include "host/hostrt.h"

#include "host/file_exists.h"

namespace {

struct Binding {
    WORD ordinal;
    FARPROC proc;
};

// The module uses fewer than twenty services; a small table keeps lookups allocation-free.
constexpr int kMaxBindings = 32;
Binding bindings[kMaxBindings];
int bindingCount = 0;
HMODULE library = nullptr;

HMODULE Library() {
    if (!library) {
        // The host has normally loaded its run-time already; otherwise load it (and keep it).
        library = GetModuleHandleW(HOSTRT_LIBRARY_NAME);
        if (!library)
            library = LoadLibraryW(HOSTRT_LIBRARY_NAME);
    }
    return library;
}

} // namespace

FARPROC HostRuntimeProc(WORD ordinal) {
    for (int i = 0; i < bindingCount; ++i)
        if (bindings[i].ordinal == ordinal)
            return bindings[i].proc;
    HMODULE module = Library();
    if (!module)
        return nullptr;
    FARPROC proc = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    if (!proc)
        library = nullptr; // the library may have gone: look it up again next time
    else if (bindingCount < kMaxBindings)
        bindings[bindingCount++] = Binding{ordinal, proc};
    return proc;
}

void ForgetHostRuntime() {
    bindingCount = 0;
    library = nullptr;
}

bool HostFileExists(LPCWSTR path) {
    HostFileExistsService service =
        HostRuntimeService<HostFileExistsService>(kHostFileExistsOrdinal);
    if (!service)
        return FileExists(path);
    return service(path) != 0;
}

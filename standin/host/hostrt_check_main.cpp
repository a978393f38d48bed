// Windows check of the stand-in HOSTRT.dll (run under Wine): every image service is found by
// ordinal, a packed DIB becomes a surface, and the surface is saved as BMP and PNG files whose
// first bytes and sizes are right. Prints one line per failure and exits non-zero on any.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "host/host_image_services.h"

namespace {

int failures = 0;

void Check(bool condition, const char* what) {
    if (!condition) {
        std::printf("FAILED: %s (last error %lu)\n", what, GetLastError());
        ++failures;
    }
}

template <typename Service> Service Find(HMODULE library, WORD ordinal) {
    typedef void (*AnyProcedure)();
    FARPROC procedure = GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
    if (!procedure)
        std::printf("FAILED: no export at ordinal %u\n", ordinal), ++failures;
    return reinterpret_cast<Service>(reinterpret_cast<AnyProcedure>(procedure));
}

// Reads a whole file; returns its size, or -1.
long ReadAll(LPCWSTR name, BYTE* buffer, DWORD capacity) {
    HANDLE file = CreateFileW(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DWORD read = 0;
    BOOL ok = ReadFile(file, buffer, capacity, &read, nullptr);
    CloseHandle(file);
    return ok ? long(read) : -1;
}

} // namespace

int main() {
    HMODULE library = LoadLibraryW(L"HOSTRT.dll");
    Check(library != nullptr, "LoadLibraryW(HOSTRT.dll)");
    if (!library)
        return 1;
    const WORD ordinals[] = {172, 264,  372, 1058, 491, 710, 401, 286, 502,
                             408, 1044, 506, 241,  769, 348, 272, 1030};
    for (WORD ordinal : ordinals)
        Find<FARPROC>(library, ordinal);
    if (failures)
        return 1;

    auto prototypeOf = Find<SurfacePrototypeService>(library, OrdinalSurfacePrototype);
    auto construct = Find<SurfaceBlockService>(library, OrdinalSurfaceConstruct);
    auto create = Find<SurfaceCreateService>(library, OrdinalSurfaceCreate);
    auto load = Find<SurfaceLoadDibService>(library, OrdinalSurfaceLoadDib);
    auto dibSize = Find<SurfaceDibSizeService>(library, OrdinalSurfaceDibSize);
    auto destroy = Find<SurfaceBlockService>(library, OrdinalSurfaceDestroy);
    auto save = Find<SaveSurfaceService>(library, OrdinalSaveSurface);
    auto count = Find<FilterCountService>(library, OrdinalFilterCount);

    // The filter manager is the host's; without a host program here, the check asks the DLL's
    // standard one through its documented test hook.
    typedef void*(WINAPI * StandardFilters)();
    auto standard = reinterpret_cast<StandardFilters>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "HostRtStandardImageFilters")));
    Check(standard != nullptr, "HostRtStandardImageFilters export");
    if (!standard)
        return 1;
    void* manager = standard();
    Check(count(manager) == 2, "two image filters");

    // A 3 x 2 bottom-up 24-bit DIB.
    BYTE dib[40 + 2 * 12] = {40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
    for (int i = 40; i < 64; ++i)
        dib[i] = BYTE(i * 9);
    void* prototype = nullptr;
    HostSurfaceBlock surface = {};
    Check(prototypeOf(&prototype, 24, kMemorySurfaceType, 0) && prototype, "prototype for 24 bits");
    construct(&surface);
    Check(create(&surface, 3, 2, prototype) != FALSE, "surface creation");
    Check(load(&surface, dib, 0, 0) != FALSE, "load from DIB");
    Check(dibSize(&surface) == 64, "DIB size 64");

    BYTE file[256];
    Check(save(manager, L"hostrt_check.bmp", &surface, kBmpFilterIdentifier) != FALSE, "BMP save");
    Check(ReadAll(L"hostrt_check.bmp", file, sizeof file) == 14 + 64 && file[0] == 'B' &&
              file[1] == 'M',
          "BMP file");
    Check(save(manager, L"hostrt_check.png", &surface, 0x30474E50u) != FALSE, "PNG save");
    long pngSize = ReadAll(L"hostrt_check.png", file, sizeof file);
    Check(pngSize > 8 && std::memcmp(file, "\x89PNG\r\n\x1a\n", 8) == 0, "PNG file");
    destroy(&surface);
    DeleteFileW(L"hostrt_check.bmp");
    DeleteFileW(L"hostrt_check.png");
    FreeLibrary(library);
    std::printf(failures ? "hostrt check: FAILED\n" : "hostrt check: passed\n");
    return failures ? 1 : 0;
}

// What both builds of the conformance cases share: the platform question, the run's folder, file
// writing and window classes, all through public Win32 calls.
#include "conformance/conformance.h"

#include <algorithm>
#include <cstdio>

namespace conformance {
namespace {

const char kFolder[] = "cinevane_conformance\\";

std::vector<std::string>& Differences() {
    static std::vector<std::string> differences;
    return differences;
}

void AppendAscii(WCHAR* path, size_t units, const char* text) {
    size_t length = 0;
    while (length < units && path[length])
        ++length;
    for (; text && *text && length + 1 < units; ++text)
        path[length++] = static_cast<WCHAR>(static_cast<unsigned char>(*text));
    if (length < units)
        path[length] = 0;
}

} // namespace

bool on_wine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool WineDiffers(bool wineAnswer, const char* file, int line, const char* what) {
    if (!wineAnswer || !on_wine())
        return false;
    std::printf("%s:%d: wine differs: %s\n", file, line, what);
    std::fflush(stdout);
    char place[512];
    std::snprintf(place, sizeof place, "%s:%d: %s", file, line, what);
    std::vector<std::string>& met = Differences();
    if (std::find(met.begin(), met.end(), place) == met.end())
        met.push_back(place);
    return true;
}

const std::vector<std::string>& DifferencesMet() {
    return Differences();
}

void TempPath(WCHAR* path, size_t units, const char* name) {
    path[0] = 0;
    DWORD length = GetTempPathW(static_cast<DWORD>(units), path);
    if (length == 0 || length >= units)
        path[0] = 0;
    AppendAscii(path, units, kFolder);
    CreateDirectoryW(path, nullptr); // already there from an earlier case: fine
    AppendAscii(path, units, name);
}

bool WriteFileBytes(const WCHAR* path, const void* bytes, DWORD size) {
    HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = size == 0 || WriteFile(file, bytes, size, &written, nullptr);
    return CloseHandle(file) && wrote && written == size;
}

LPCWSTR RegisterTestClass(LPCWSTR name, WNDPROC procedure) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW description = {};
    description.cbSize = sizeof description;
    if (GetClassInfoExW(instance, name, &description))
        return name;
    description = WNDCLASSEXW{};
    description.cbSize = sizeof description;
    description.lpfnWndProc = procedure;
    description.hInstance = instance;
    description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    description.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    description.lpszClassName = name;
    RegisterClassExW(&description);
    return name;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

} // namespace conformance

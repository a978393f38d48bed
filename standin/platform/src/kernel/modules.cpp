// Module handles: the process's own image, and modules that tests or the host stand-in make
// present with their exports (e.g. HOSTRT.dll's services by ordinal).
#include "kernel_internal.h"

#include "standin/kernel_control.h"

#include <map>

namespace standin {
namespace kernel {
namespace {

struct Module {
    bool present = false;
    int loads = 0;
    std::map<WORD, FARPROC> byOrdinal;
    std::map<std::string, FARPROC> byName;
};

// "C:\dir\HostRT.DLL" and "hostrt" both become "hostrt.dll".
std::string Key(LPCWSTR name) {
    size_t length = 0;
    while (name && name[length])
        ++length;
    size_t start = length;
    while (start > 0 && name[start - 1] != L'\\' && name[start - 1] != L'/')
        --start;
    std::string key = ToUtf8(name + start, length - start);
    for (char& c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    if (key.find('.') == std::string::npos)
        key += ".dll";
    return key;
}

std::map<std::string, Module>& Modules() {
    static std::map<std::string, Module> modules;
    return modules;
}

// Handles stay fixed per name for the whole process, like image bases.
std::map<std::string, ULONG_PTR>& Handles() {
    static std::map<std::string, ULONG_PTR> handles;
    return handles;
}

HMODULE const kProcessImage = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0x00400000));

HMODULE HandleFor(const std::string& key) {
    ULONG_PTR& handle = Handles()[key];
    if (!handle)
        handle = 0x10000000 + 0x00100000 * Handles().size();
    return reinterpret_cast<HMODULE>(handle);
}

Module* FindPresent(HMODULE handle, std::string* key = nullptr) {
    for (auto& entry : Handles()) {
        if (reinterpret_cast<HMODULE>(entry.second) != handle)
            continue;
        auto found = Modules().find(entry.first);
        if (found == Modules().end() || !found->second.present)
            return nullptr;
        if (key)
            *key = entry.first;
        return &found->second;
    }
    return nullptr;
}

} // namespace

void ResetModules() {
    Modules().clear();
}

} // namespace kernel

HMODULE RegisterModule(LPCWSTR name) {
    kernel::EnsureRegistered();
    std::string key = kernel::Key(name);
    kernel::Modules()[key].present = true;
    return kernel::HandleFor(key);
}

void RegisterModuleExport(LPCWSTR name, WORD ordinal, FARPROC proc) {
    RegisterModule(name);
    kernel::Modules()[kernel::Key(name)].byOrdinal[ordinal] = proc;
}

void RegisterModuleExport(LPCWSTR name, const char* procName, FARPROC proc) {
    RegisterModule(name);
    kernel::Modules()[kernel::Key(name)].byName[procName ? procName : ""] = proc;
}

void RemoveModuleExport(LPCWSTR name, WORD ordinal) {
    auto found = kernel::Modules().find(kernel::Key(name));
    if (found != kernel::Modules().end())
        found->second.byOrdinal.erase(ordinal);
}

void UnregisterModule(LPCWSTR name) {
    kernel::Modules().erase(kernel::Key(name));
}

namespace {
// Answers the version text, as Wine's export does; declared with FARPROC's own type.
INT_PTR WINAPI WineVersion() {
    static const char version[] = "8.0";
    return reinterpret_cast<INT_PTR>(version);
}
} // namespace

void PretendToBeWine(bool wine) {
    if (wine)
        RegisterModuleExport(L"ntdll.dll", "wine_get_version", &WineVersion);
    else
        UnregisterModule(L"ntdll.dll");
}

int ModuleLoadCount(LPCWSTR name) {
    auto found = kernel::Modules().find(kernel::Key(name));
    return found == kernel::Modules().end() ? 0 : found->second.loads;
}

} // namespace standin

using namespace standin::kernel;

HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName) {
    EnsureRegistered();
    if (!moduleName)
        return kProcessImage;
    std::string key = Key(moduleName);
    auto found = Modules().find(key);
    if (found == Modules().end() || !found->second.present)
        return Fail(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), HMODULE(nullptr));
    return HandleFor(key);
}

HMODULE WINAPI LoadLibraryW(LPCWSTR fileName) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("LoadLibraryW", &code))
        return Fail(static_cast<DWORD>(code), HMODULE(nullptr));
    if (!fileName || !fileName[0])
        return Fail(static_cast<DWORD>(ERROR_INVALID_PARAMETER), HMODULE(nullptr));
    std::string key = Key(fileName);
    auto found = Modules().find(key);
    if (found == Modules().end() || !found->second.present)
        return Fail(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), HMODULE(nullptr));
    ++found->second.loads;
    return HandleFor(key);
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR procName) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("GetProcAddress", &code))
        return Fail(static_cast<DWORD>(code), FARPROC(nullptr));
    Module* present = FindPresent(module);
    if (!present || !procName)
        return Fail(static_cast<DWORD>(present ? ERROR_PROC_NOT_FOUND : ERROR_INVALID_HANDLE),
                    FARPROC(nullptr));
    if (IS_INTRESOURCE(procName)) {
        auto found =
            present->byOrdinal.find(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(procName)));
        if (found != present->byOrdinal.end() && found->second)
            return found->second;
    } else {
        auto found = present->byName.find(procName);
        if (found != present->byName.end() && found->second)
            return found->second;
    }
    return Fail(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), FARPROC(nullptr));
}

BOOL WINAPI FreeLibrary(HMODULE module) {
    EnsureRegistered();
    std::string key;
    Module* present = FindPresent(module, &key);
    if (!present)
        return Fail(static_cast<DWORD>(ERROR_INVALID_HANDLE), FALSE);
    if (present->loads > 0)
        --present->loads;
    return TRUE;
}

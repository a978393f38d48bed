// The kernel handle table (open files and searches) and the area's reset registration.
#include "kernel_internal.h"

#include "standin/kernel_control.h"

#include <map>
#include <unistd.h>

namespace standin {
namespace kernel {
namespace {

struct KernelObject {
    bool isFile = false;
    OpenFile file;
    Search search;
};

std::map<ULONG_PTR, KernelObject>& Objects() {
    static std::map<ULONG_PTR, KernelObject> objects;
    return objects;
}

// Handle values look like Windows' (multiples of 4) and are never reused within a process.
ULONG_PTR nextHandle = 0x100;

HANDLE Add(KernelObject object) {
    nextHandle += 4;
    Objects()[nextHandle] = std::move(object);
    return reinterpret_cast<HANDLE>(nextHandle);
}

KernelObject* Find(HANDLE handle) {
    auto found = Objects().find(reinterpret_cast<ULONG_PTR>(handle));
    return found == Objects().end() ? nullptr : &found->second;
}

void ResetKernel() {
    ResetFiles();
    ResetConsole();
    ResetTimeAndProcess();
    ResetModules();
    SetLastError(0);
}

} // namespace

void EnsureRegistered() {
    static bool registered = (RegisterReset(&ResetKernel), true);
    (void)registered;
}

HANDLE AddFile(const OpenFile& file) {
    KernelObject object;
    object.isFile = true;
    object.file = file;
    return Add(std::move(object));
}

HANDLE AddSearch(const Search& search) {
    KernelObject object;
    object.search = search;
    return Add(std::move(object));
}

OpenFile* FindFile(HANDLE handle) {
    KernelObject* object = Find(handle);
    return object && object->isFile ? &object->file : nullptr;
}

Search* FindSearch(HANDLE handle) {
    KernelObject* object = Find(handle);
    return object && !object->isFile ? &object->search : nullptr;
}

bool RemoveObject(HANDLE handle) {
    auto found = Objects().find(reinterpret_cast<ULONG_PTR>(handle));
    if (found == Objects().end())
        return false;
    if (found->second.isFile && found->second.file.fd >= 0)
        close(found->second.file.fd);
    Objects().erase(found);
    return true;
}

std::vector<const OpenFile*> FilesOpenAt(const std::string& linuxPath) {
    std::vector<const OpenFile*> files;
    for (auto& entry : Objects())
        if (entry.second.isFile && entry.second.file.linuxPath == linuxPath)
            files.push_back(&entry.second.file);
    return files;
}

int ObjectCount() {
    return static_cast<int>(Objects().size());
}

void CloseAllObjects() {
    for (auto& entry : Objects())
        if (entry.second.isFile && entry.second.file.fd >= 0)
            close(entry.second.file.fd);
    Objects().clear();
}

} // namespace kernel

int OpenKernelHandles() {
    return kernel::ObjectCount();
}

} // namespace standin

namespace {
thread_local DWORD lastError = 0;
}

DWORD WINAPI GetLastError() {
    return lastError;
}

void WINAPI SetLastError(DWORD error) {
    lastError = error;
}

// FindResourceW / LoadResource / LockResource / SizeofResource over the module's .res entries.
#include <windows.h>

#include "standin/resource_data.h"

namespace {

// An HRSRC is the address of an entry of the module's .res; anything else is refused.
const standin::ResourceEntry* EntryOf(HRSRC resource) {
    for (const standin::ResourceEntry& entry : standin::ModuleResources())
        if (reinterpret_cast<HRSRC>(const_cast<standin::ResourceEntry*>(&entry)) == resource)
            return &entry;
    return nullptr;
}

} // namespace

HRSRC WINAPI FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
    return reinterpret_cast<HRSRC>(
        const_cast<standin::ResourceEntry*>(standin::FindModuleResource(type, name)));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    const standin::ResourceEntry* entry = EntryOf(resource);
    return entry ? const_cast<BYTE*>(entry->data) : nullptr;
}

LPVOID WINAPI LockResource(HGLOBAL data) {
    return data;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    const standin::ResourceEntry* entry = EntryOf(resource);
    return entry ? entry->size : 0;
}

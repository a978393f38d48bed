// FindResourceW / LoadResource / LockResource / SizeofResource for bitmap resources.
#include <windows.h>

#include "standin/resource_data.h"

namespace {

// An HRSRC is the address of the bitmap's entry in the compiled table; anything else is refused.
const standin::BitmapResource* EntryOf(HRSRC resource) {
    const standin::ResourceCatalog& catalog = standin::CompiledResources();
    for (int i = 0; i < catalog.bitmapCount; ++i)
        if (reinterpret_cast<HRSRC>(const_cast<standin::BitmapResource*>(&catalog.bitmaps[i])) ==
            resource)
            return &catalog.bitmaps[i];
    return nullptr;
}

} // namespace

HRSRC WINAPI FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
    if (!IS_INTRESOURCE(type) || type != RT_BITMAP) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    const standin::BitmapResource* found =
        IS_INTRESOURCE(name) ? standin::FindBitmapResource(LOWORD(name)) : nullptr;
    if (!found) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<standin::BitmapResource*>(found));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
    const standin::BitmapResource* entry = EntryOf(resource);
    return entry ? const_cast<BYTE*>(entry->dib) : nullptr;
}

LPVOID WINAPI LockResource(HGLOBAL data) {
    return data;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource) {
    const standin::BitmapResource* entry = EntryOf(resource);
    return entry ? entry->size : 0;
}

// Look-ups into the tables rcgen compiled from cinevane.rc.
#include "standin/resource_data.h"

namespace standin {

const StringResource* FindStringResource(UINT id) {
    const ResourceCatalog& catalog = CompiledResources();
    for (int i = 0; i < catalog.stringCount; ++i)
        if (catalog.strings[i].id == id)
            return &catalog.strings[i];
    return nullptr;
}

const MenuResource* FindMenuResource(UINT id) {
    const ResourceCatalog& catalog = CompiledResources();
    for (int i = 0; i < catalog.menuCount; ++i)
        if (catalog.menus[i].id == id)
            return &catalog.menus[i];
    return nullptr;
}

const DialogResource* FindDialogResource(UINT id) {
    const ResourceCatalog& catalog = CompiledResources();
    for (int i = 0; i < catalog.dialogCount; ++i)
        if (catalog.dialogs[i].id == id)
            return &catalog.dialogs[i];
    return nullptr;
}

const BitmapResource* FindBitmapResource(UINT id) {
    const ResourceCatalog& catalog = CompiledResources();
    for (int i = 0; i < catalog.bitmapCount; ++i)
        if (catalog.bitmaps[i].id == id)
            return &catalog.bitmaps[i];
    return nullptr;
}

} // namespace standin

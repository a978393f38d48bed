#include "module_api.h"

#ifndef _WIN32
#include "edit/property_sheet.h"
#include "edit/settings_record.h"
#include "edit/setup_dialog.h"
#include "host/catalogue_exports.h"
#include "host/lifecycle_exports.h"
#include "runtime/run_object_entry.h"
#include "standin/kernel_control.h"
#endif

namespace hoststandin {

#ifdef _WIN32

namespace {

template <typename Function>
void Find(HMODULE library, const char* name, Function* slot, bool required, std::string* missing) {
    FARPROC proc = GetProcAddress(library, name);
    *slot = reinterpret_cast<Function>(reinterpret_cast<void*>(proc));
    if (!proc && required)
        *missing += std::string(missing->empty() ? "" : ", ") + name;
}

} // namespace

bool BindModule(LPCWSTR path, ModuleApi* api, std::string* error) {
    *api = ModuleApi();
    HMODULE library = LoadLibraryW(path);
    if (!library) {
        *error = "cannot load the module (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    std::string missing;
    Find(library, "Initialize", &api->Initialize, true, &missing);
    Find(library, "Free", &api->Free, true, &missing);
    Find(library, "GetInfos", &api->GetInfos, true, &missing);
    Find(library, "GetRunObjectInfos", &api->GetRunObjectInfos, true, &missing);
    Find(library, "GetRunObjectDataSize", &api->GetRunObjectDataSize, true, &missing);
    Find(library, "GetObjInfos", &api->GetObjInfos, false, &missing);
    Find(library, "CreateObject", &api->CreateObject, false, &missing);
    Find(library, "SetPropValue", &api->SetPropValue, false, &missing);
    Find(library, "SetPropCheck", &api->SetPropCheck, false, &missing);
    Find(library, "EditObject", &api->EditObject, false, &missing);
    Find(library, "GetConditionString", &api->GetConditionString, false, &missing);
    Find(library, "GetActionString", &api->GetActionString, false, &missing);
    Find(library, "GetExpressionString", &api->GetExpressionString, false, &missing);
    Find(library, "CreateRunObject", &api->CreateRunObject, true, &missing);
    Find(library, "DestroyRunObject", &api->DestroyRunObject, true, &missing);
    Find(library, "HandleRunObject", &api->HandleRunObject, true, &missing);
    Find(library, "DisplayRunObject", &api->DisplayRunObject, true, &missing);
    if (!missing.empty()) {
        *error = "the module lacks " + missing;
        FreeLibrary(library);
        *api = ModuleApi();
        return false;
    }
    api->library = library;
    return true;
}

void ReleaseModule(ModuleApi* api) {
    if (api->library)
        FreeLibrary(api->library);
    *api = ModuleApi();
}

#else

bool BindModule(LPCWSTR, ModuleApi* api, std::string*) {
    *api = ModuleApi();
    // The loader's notification: the module keeps its instance from it.
    HMODULE instance = standin::RegisterModule(L"Cinevane.dll");
    DllMain(instance, DLL_PROCESS_ATTACH, nullptr);
    api->library = instance;
    api->Initialize = Initialize;
    api->Free = Free;
    api->GetInfos = GetInfos;
    api->GetRunObjectInfos = GetRunObjectInfos;
    api->GetRunObjectDataSize = GetRunObjectDataSize;
    api->GetObjInfos = GetObjInfos;
    api->CreateObject = CreateObject;
    api->SetPropValue = SetPropValue;
    api->SetPropCheck = SetPropCheck;
    api->EditObject = EditObject;
    api->GetConditionString = GetConditionString;
    api->GetActionString = GetActionString;
    api->GetExpressionString = GetExpressionString;
    api->CreateRunObject = CreateRunObject;
    api->DestroyRunObject = DestroyRunObject;
    api->HandleRunObject = HandleRunObject;
    api->DisplayRunObject = DisplayRunObject;
    return true;
}

void ReleaseModule(ModuleApi* api) {
    if (api->library)
        DllMain(api->library, DLL_PROCESS_DETACH, nullptr);
    *api = ModuleApi();
}

#endif

} // namespace hoststandin

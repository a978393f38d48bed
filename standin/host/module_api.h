// The module's entry points as the host program reaches them: on Windows from Cinevane.dll
// through LoadLibraryW and GetProcAddress; on the native build from the linked module library,
// after the process-attach notification the loader would have sent.
#pragma once

#include <windows.h>

#include <string>

#include "host/host_records.h"
#include "host/object_settings.h"
#include "host/run_object.h"

class CPropValue;

namespace hoststandin {

struct ModuleApi {
    HMODULE library = nullptr;

    // Handshake and lifecycle (required).
    int(WINAPI* Initialize)(EditHostRecord*, int) = nullptr;
    int(WINAPI* Free)(EditHostRecord*) = nullptr;
    DWORD(WINAPI* GetInfos)(int) = nullptr;
    int(WINAPI* GetRunObjectInfos)(EditHostRecord*, RunObjectInfos*) = nullptr;
    DWORD(WINAPI* GetRunObjectDataSize)(RunHeader*, ObjectSettings*) = nullptr;
    void(WINAPI* GetObjInfos)(EditHostRecord*, ObjectSettings*, LPWSTR, LPWSTR, LPWSTR, LPWSTR,
                              LPWSTR) = nullptr;

    // Editor (optional: the host copes without them and says so).
    int(WINAPI* CreateObject)(EditHostRecord*, LPVOID, ObjectSettings*) = nullptr;
    void(WINAPI* SetPropValue)(EditHostRecord*, ObjectSettings*, UINT, CPropValue*) = nullptr;
    void(WINAPI* SetPropCheck)(EditHostRecord*, ObjectSettings*, UINT, BOOL) = nullptr;
    BOOL(WINAPI* EditObject)(EditHostRecord*, void*, void*, LPARAM) = nullptr;
    int(WINAPI* GetConditionString)(EditHostRecord*, short, LPWSTR, short) = nullptr;
    int(WINAPI* GetActionString)(EditHostRecord*, short, LPWSTR, short) = nullptr;
    int(WINAPI* GetExpressionString)(EditHostRecord*, short, LPWSTR, short) = nullptr;

    // Run time (required).
    int(WINAPI* CreateRunObject)(RunObject*, ObjectSettings*, LPVOID) = nullptr;
    int(WINAPI* DestroyRunObject)(RunObject*, LONG) = nullptr;
    int(WINAPI* HandleRunObject)(RunObject*) = nullptr;
    int(WINAPI* DisplayRunObject)(RunObject*) = nullptr;
};

// Binds every entry point. `path` names the DLL on Windows and is not used on the native build.
// False, with the missing names in `error`, when the library or a required entry point is
// missing (the library is then released again).
bool BindModule(LPCWSTR path, ModuleApi* api, std::string* error);
// Releases the library (Windows); the api is emptied.
void ReleaseModule(ModuleApi* api);

} // namespace hoststandin

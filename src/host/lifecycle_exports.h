// Entry points of the module's lifecycle and information queries, and those the host interface
// requires but this module answers with a fixed value. All are exported undecorated (Cinevane.def).
#pragma once

#include "host/host_records.h"
#include "host/object_settings.h"
#include "host/run_object.h"

extern "C" {

// ---- Loading, set-up and release ----
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
// cursorFlag 0: show the wait cursor (capturing the mouse to the host window) while working.
int WINAPI Initialize(EditHostRecord* host, int cursorFlag);
int WINAPI Free(EditHostRecord* host);

// ---- Information ----
DWORD WINAPI GetInfos(int code);
int WINAPI GetRunObjectInfos(EditHostRecord* host, RunObjectInfos* infos);
void WINAPI GetObjInfos(EditHostRecord* host, ObjectSettings* settings, LPWSTR name, LPWSTR author,
                        LPWSTR rights, LPWSTR comment, LPWSTR webAddress);
LPCWSTR WINAPI GetHelpFileName();
DWORD WINAPI GetRunObjectDataSize(RunHeader* runHeader, ObjectSettings* settings);
int WINAPI GetFilters(EditHostRecord* host, ObjectSettings* settings, DWORD flags, LPVOID reserved);
const WORD* WINAPI GetDebugTree(RunObject* object);

// ---- Fixed answers ----
BOOL WINAPI IsTransparent(EditHostRecord* host, LPVOID levelObject, ObjectSettings* settings, int x,
                          int y);
BOOL WINAPI IsPropEnabled(ObjectSettings* settings, UINT propertyId, LPVOID reserved);
BOOL WINAPI GetTextFont(EditHostRecord* host, ObjectSettings* settings, LPVOID logFont,
                        LPWSTR styleName, int styleCapacity);
BOOL WINAPI SetTextFont(EditHostRecord* host, ObjectSettings* settings, LPVOID logFont,
                        LPCWSTR styleName);
BOOL WINAPI UsesFile(EditHostRecord* host, LPWSTR fileName);
DWORD WINAPI GetTextAlignment(EditHostRecord* host, ObjectSettings* settings);
DWORD WINAPI GetTextCaps(EditHostRecord* host, ObjectSettings* settings);
COLORREF WINAPI GetTextClr(EditHostRecord* host, ObjectSettings* settings);
LPVOID WINAPI GetDependencies();
int WINAPI LoadObject(EditHostRecord* host, ObjectSettings* settings, HGLOBAL data, int version);
int WINAPI PauseRunObject(RunObject* object);
int WINAPI ContinueRunObject(RunObject* object);
BOOL WINAPI SaveRunObject(RunObject* object, HANDLE file);
BOOL WINAPI LoadRunObject(RunObject* object, HANDLE file);
void WINAPI PutObject(EditHostRecord* host, LPVOID levelObject, ObjectSettings* settings,
                      WORD instanceCount);
void WINAPI RemoveObject(EditHostRecord* host, LPVOID levelObject, ObjectSettings* settings,
                         WORD instanceCount);
void WINAPI UpdateFileNames(EditHostRecord* host, LPWSTR applicationName, ObjectSettings* settings,
                            LPVOID updateFileName);
void WINAPI ReleasePropCreateParam(EditHostRecord* host, ObjectSettings* settings, UINT propertyId,
                                   LPARAM parameter);
void WINAPI UnloadObject(EditHostRecord* host, ObjectSettings* settings, int reserved);
void WINAPI CreateFromFile(EditHostRecord* host, LPWSTR fileName, LPVOID createInfo);
void WINAPI DuplicateObject(EditHostRecord* host, LPVOID objectInfo, ObjectSettings* settings);
void WINAPI PrepareToWriteObject(EditHostRecord* host, ObjectSettings* settings, LPVOID objectInfo);
void WINAPI StartFrame(EditHostRecord* host, DWORD reserved, int frameIndex);
void WINAPI EndFrame(EditHostRecord* host, DWORD reserved, int frameIndex);
void WINAPI InitParameter(EditHostRecord* host, int code, LPVOID parameterInfo);
void WINAPI EditParameter(EditHostRecord* host, int code, LPVOID parameterInfo);
void WINAPI SetTextAlignment(EditHostRecord* host, ObjectSettings* settings, DWORD alignment);
void WINAPI SetTextClr(EditHostRecord* host, ObjectSettings* settings, COLORREF colour);
void WINAPI GetDebugItem(LPWSTR buffer, RunObject* object, int id);
void WINAPI ReleaseProperties(EditHostRecord* host, ObjectSettings* settings, BOOL masterItem);
void WINAPI StartApp(EditHostRecord* host, int reserved);
void WINAPI EndApp(EditHostRecord* host, int reserved);
void WINAPI EditDebugItem(RunObject* object, int id);

} // extern "C"

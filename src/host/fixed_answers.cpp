// Entry points the host requires but this object has no use for: each answers a fixed value.
#include "host/lifecycle_exports.h"

BOOL WINAPI IsTransparent(EditHostRecord*, LPVOID, ObjectSettings*, int, int) {
    return 0;
}
BOOL WINAPI IsPropEnabled(ObjectSettings*, UINT, LPVOID) {
    return 1;
}
BOOL WINAPI GetTextFont(EditHostRecord*, ObjectSettings*, LPVOID, LPWSTR, int) {
    return 1;
}
BOOL WINAPI SetTextFont(EditHostRecord*, ObjectSettings*, LPVOID, LPCWSTR) {
    return 1;
}
BOOL WINAPI UsesFile(EditHostRecord*, LPWSTR) {
    return 0;
}
DWORD WINAPI GetTextAlignment(EditHostRecord*, ObjectSettings*) {
    return 0;
}
DWORD WINAPI GetTextCaps(EditHostRecord*, ObjectSettings*) {
    return 0;
}
COLORREF WINAPI GetTextClr(EditHostRecord*, ObjectSettings*) {
    return 0;
}
LPVOID WINAPI GetDependencies() {
    return nullptr;
}
int WINAPI LoadObject(EditHostRecord*, ObjectSettings*, HGLOBAL, int) {
    return 0;
}
int WINAPI PauseRunObject(RunObject*) {
    return 0;
}
int WINAPI ContinueRunObject(RunObject*) {
    return 0;
}
BOOL WINAPI SaveRunObject(RunObject*, HANDLE) {
    return 1;
}
BOOL WINAPI LoadRunObject(RunObject*, HANDLE) {
    return 1;
}
void WINAPI PutObject(EditHostRecord*, LPVOID, ObjectSettings*, WORD) {}
void WINAPI RemoveObject(EditHostRecord*, LPVOID, ObjectSettings*, WORD) {}
void WINAPI UpdateFileNames(EditHostRecord*, LPWSTR, ObjectSettings*, LPVOID) {}
void WINAPI ReleasePropCreateParam(EditHostRecord*, ObjectSettings*, UINT, LPARAM) {}
void WINAPI UnloadObject(EditHostRecord*, ObjectSettings*, int) {}
void WINAPI CreateFromFile(EditHostRecord*, LPWSTR, LPVOID) {}
void WINAPI DuplicateObject(EditHostRecord*, LPVOID, ObjectSettings*) {}
void WINAPI PrepareToWriteObject(EditHostRecord*, ObjectSettings*, LPVOID) {}
void WINAPI StartFrame(EditHostRecord*, DWORD, int) {}
void WINAPI EndFrame(EditHostRecord*, DWORD, int) {}
void WINAPI InitParameter(EditHostRecord*, int, LPVOID) {}
void WINAPI EditParameter(EditHostRecord*, int, LPVOID) {}
void WINAPI SetTextAlignment(EditHostRecord*, ObjectSettings*, DWORD) {}
void WINAPI SetTextClr(EditHostRecord*, ObjectSettings*, COLORREF) {}
void WINAPI GetDebugItem(LPWSTR, RunObject*, int) {}
void WINAPI ReleaseProperties(EditHostRecord*, ObjectSettings*, BOOL) {}
void WINAPI StartApp(EditHostRecord*, int) {}
void WINAPI EndApp(EditHostRecord*, int) {}
void WINAPI EditDebugItem(RunObject*, int) {}

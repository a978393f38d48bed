// The host's records the module reads: the edit-time host record, the run header of a running
// frame, and the run-object information record filled in the handshake. Positions are fixed by
// the host interface (and, where it leaves them open, by this project's host stand-in).
#pragma once

#include <windows.h>

#include <cstddef>

struct ObjectSettings;
struct RunObject;
struct RunHeader;

// Edit-time services.
typedef DWORD(WINAPI* HostVersionService)();
typedef int(WINAPI* HostRequestService)(ObjectSettings* settings, int number, int v1, int v2,
                                        int v3);
typedef int(WINAPI* HostHelpService)(LPCWSTR path, int reserved1, int reserved2);

// Edit-time host record (first argument of Initialize and the edit-time entry points).
struct EditHostRecord {
    BYTE hostOwned0[20];        // 0
    HWND hostWindow;            // 20: mouse capture target while Initialize shows the wait cursor
    HWND editorMainWindow;      // 24: owner of the setup dialog, parent of the preview window
    DWORD frameEditorWindowId;  // 28: frame-editor window for the editor drawing services
    BYTE hostOwned32[304];      // 32
    HostVersionService version; // 336: may be null
    HostRequestService request; // 340: numbered requests 1, 4, 18, 114, 115
    HostHelpService help;       // 344
};
static_assert(offsetof(EditHostRecord, hostWindow) == 20, "host window");
static_assert(offsetof(EditHostRecord, editorMainWindow) == 24, "editor main window");
static_assert(offsetof(EditHostRecord, frameEditorWindowId) == 28, "frame-editor window");
static_assert(offsetof(EditHostRecord, version) == 336, "version service");
static_assert(offsetof(EditHostRecord, request) == 340, "request service");
static_assert(offsetof(EditHostRecord, help) == 344, "help service");

// Host requests made through EditHostRecord::request.
enum HostRequest : int {
    RequestInsertProperties = 1,
    RequestRefreshProperty = 4,
    RequestRedrawObject = 18,
    RequestIsWideApplication = 114,
    RequestCodePage = 115,
};

// Run-time services: none of their results is used except the parameter and text services'.
typedef int(WINAPI* HostSignalService)(RunObject* object, int code, int parameter);
typedef int(WINAPI* HostSuspendService)(RunObject* object, int reserved1, int reserved2);
// The host calls the registered routine for each message of the object's window.
typedef LRESULT(WINAPI* RunObjectWindowRoutine)(RunHeader* header, HWND window, UINT message,
                                                WPARAM wParam, LPARAM lParam);
typedef int(WINAPI* HostRoutineRegistration)(RunObject* object, int reserved,
                                             RunObjectWindowRoutine routine);
typedef DWORD(WINAPI* HostParameterService)(RunObject* object, int kind, int reserved);
typedef LPVOID(WINAPI* HostTemporaryTextService)(RunObject* object, int reserved, int bytes);

// The application record: its first member is the image-filter manager.
struct HostApplication {
    void* imageFilterManager; // 0
};
static_assert(offsetof(HostApplication, imageFilterManager) == 0, "filter manager");

// Run header: the host's record of the running frame.
struct RunHeader {
    BYTE hostOwned0[12];                     // 0
    HWND frameWindow;                        // 12: parent of object windows
    HostApplication* application;            // 16
    HWND applicationMainWindow;              // 20: owner of the open-file dialog
    BYTE hostOwned24[152];                   // 24
    LONG displayOriginX;                     // 176
    LONG displayOriginY;                     // 180
    BYTE hostOwned184[192];                  // 184
    DWORD clickBlock;                        // 376: clicks are not signalled while non-zero
    BYTE hostOwned380[484];                  // 380
    HostSignalService signal;                // 864
    HostParameterService parameter;          // 868: (object, 2, 0) -> float bits
    HostTemporaryTextService temporaryText;  // 872: (object, 0, bytes) -> buffer
    BYTE hostOwned876[12];                   // 876
    HostSuspendService suspend;              // 888
    HostSuspendService resume;               // 892
    BYTE hostOwned896[8];                    // 896
    HostRoutineRegistration registerRoutine; // 904
    BYTE hostOwned908[340];                  // 908
    DWORD loopCounter;                       // 1248: changes every loop
    BYTE hostOwned1252[60];                  // 1252
    LPCWSTR windowPropertyKey;               // 1312: the RunObject is stored on the window under it
};
static_assert(offsetof(RunHeader, frameWindow) == 12, "frame window");
static_assert(offsetof(RunHeader, application) == 16, "application");
static_assert(offsetof(RunHeader, applicationMainWindow) == 20, "application main window");
static_assert(offsetof(RunHeader, displayOriginX) == 176, "display origin x");
static_assert(offsetof(RunHeader, displayOriginY) == 180, "display origin y");
static_assert(offsetof(RunHeader, clickBlock) == 376, "click block");
static_assert(offsetof(RunHeader, signal) == 864, "event signal");
static_assert(offsetof(RunHeader, parameter) == 868, "parameter service");
static_assert(offsetof(RunHeader, temporaryText) == 872, "temporary text");
static_assert(offsetof(RunHeader, suspend) == 888, "suspend");
static_assert(offsetof(RunHeader, resume) == 892, "resume");
static_assert(offsetof(RunHeader, registerRoutine) == 904, "routine registration");
static_assert(offsetof(RunHeader, loopCounter) == 1248, "loop counter");
static_assert(offsetof(RunHeader, windowPropertyKey) == 1312, "window property key");

// Event routines as the host calls them.
typedef long(WINAPI* ConditionRoutine)(RunObject* object, long param1, long param2);
typedef long(WINAPI* ActionRoutine)(RunObject* object, long param1, long param2);
typedef long(WINAPI* ExpressionRoutine)(RunObject* object, long param);

constexpr int kConditionCount = 14;
constexpr int kActionCount = 40;
constexpr int kExpressionCount = 24;

// Run-object information record filled by GetRunObjectInfos.
struct RunObjectInfos {
    ConditionRoutine* conditions;   // 0: 14 routines and a null entry
    ActionRoutine* actions;         // 4: 40 routines and a null entry
    ExpressionRoutine* expressions; // 8: 24 routines and a null entry
    WORD conditionCount;            // 12
    WORD actionCount;               // 14
    WORD expressionCount;           // 16
    WORD settingsSize;              // 18
    DWORD options;                  // 20
    BYTE windowProcPriority;        // 24
    BYTE reserved25;                // 25: never written
    WORD options2;                  // 26
    DWORD identifier;               // 28
    WORD settingsVersion;           // 32
};
static_assert(offsetof(RunObjectInfos, actions) == 4, "actions");
static_assert(offsetof(RunObjectInfos, expressions) == 8, "expressions");
static_assert(offsetof(RunObjectInfos, conditionCount) == 12, "condition count");
static_assert(offsetof(RunObjectInfos, actionCount) == 14, "action count");
static_assert(offsetof(RunObjectInfos, expressionCount) == 16, "expression count");
static_assert(offsetof(RunObjectInfos, settingsSize) == 18, "settings size");
static_assert(offsetof(RunObjectInfos, options) == 20, "options");
static_assert(offsetof(RunObjectInfos, windowProcPriority) == 24, "priority");
static_assert(offsetof(RunObjectInfos, reserved25) == 25, "reserved");
static_assert(offsetof(RunObjectInfos, options2) == 26, "options2");
static_assert(offsetof(RunObjectInfos, identifier) == 28, "identifier");
static_assert(offsetof(RunObjectInfos, settingsVersion) == 32, "settings version");

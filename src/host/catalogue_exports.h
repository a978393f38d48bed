// The event editor's look-ups, exported to the host. The host record matters only to the menu
// and display-string look-ups, which serve a supported host alone (IsSupportedHost).
// Codes the tables do not hold give a null info pointer, an empty text and 0 characters.
#pragma once

#include "host/host_records.h"

extern "C" {

// A new popup menu (the host owns it), or null for an unsupported host or a missing resource.
HMENU WINAPI GetConditionMenu(EditHostRecord* host, LPVOID levelObject, ObjectSettings* settings);
HMENU WINAPI GetActionMenu(EditHostRecord* host, LPVOID levelObject, ObjectSettings* settings);
HMENU WINAPI GetExpressionMenu(EditHostRecord* host, LPVOID levelObject, ObjectSettings* settings);

// The code of the event whose menu item is `menuId`, or -1.
short WINAPI GetConditionCodeFromMenu(EditHostRecord* host, short menuId);
short WINAPI GetActionCodeFromMenu(EditHostRecord* host, short menuId);
short WINAPI GetExpressionCodeFromMenu(EditHostRecord* host, short menuId);

// The entry of `code` from its code on (code, flags, count, types, titles); read-only.
const short* WINAPI GetConditionInfos(EditHostRecord* host, short code);
const short* WINAPI GetActionInfos(EditHostRecord* host, short code);
const short* WINAPI GetExpressionInfos(EditHostRecord* host, short code);

// The display string in `buffer` (cut to `size` units); the units loaded.
int WINAPI GetConditionString(EditHostRecord* host, short code, LPWSTR buffer, short size);
int WINAPI GetActionString(EditHostRecord* host, short code, LPWSTR buffer, short size);
int WINAPI GetExpressionString(EditHostRecord* host, short code, LPWSTR buffer, short size);

// The title of a parameter: its title string, else the event's menu text.
void WINAPI GetConditionTitle(EditHostRecord* host, short code, short index, LPWSTR buffer,
                              short size);
void WINAPI GetActionTitle(EditHostRecord* host, short code, short index, LPWSTR buffer,
                           short size);
void WINAPI GetExpressionTitle(EditHostRecord* host, short code, LPWSTR buffer, short size);

// The parameter's title string, or an empty text.
void WINAPI GetExpressionParam(EditHostRecord* host, short code, short index, LPWSTR buffer,
                               short size);
void WINAPI GetParameterString(EditHostRecord* host, LPVOID, LPVOID, LPVOID, LPVOID);

} // extern "C"

// The object's property sheet: the host asks for each row's value and check state and hands
// back the author's changes, which are written to the settings record at once.
#pragma once

#include <windows.h>

#include "edit/prop_value.h"
#include "host/host_records.h"
#include "host/object_settings.h"

// The longest file name the property sheet stores, in characters (a terminator follows).
constexpr size_t kPropertyFileNameLimit = 256;

// Size of an object whose file name is cleared while "Default size" is checked.
constexpr SHORT kDefaultObjectWidth = 160;
constexpr SHORT kDefaultObjectHeight = 120;

// ReleaseProperties and ReleasePropCreateParam do nothing; they live with the other fixed answers
// (host/lifecycle_exports.h).
extern "C" {
int WINAPI GetProperties(EditHostRecord* host, ObjectSettings* settings, BOOL master);
LPARAM WINAPI GetPropCreateParam(EditHostRecord* host, ObjectSettings* settings, UINT id);
CPropValue* WINAPI GetPropValue(EditHostRecord* host, ObjectSettings* settings, UINT id);
void WINAPI SetPropValue(EditHostRecord* host, ObjectSettings* settings, UINT id,
                         CPropValue* value);
BOOL WINAPI GetPropCheck(EditHostRecord* host, ObjectSettings* settings, UINT id);
void WINAPI SetPropCheck(EditHostRecord* host, ObjectSettings* settings, UINT id, BOOL checked);
BOOL WINAPI EditProp(EditHostRecord* host, ObjectSettings* settings, UINT id);
}

// Measures the settings' file with the hidden preview and sizes the object from it.
void ApplyFileName(ObjectSettings* settings, EditHostRecord* host);

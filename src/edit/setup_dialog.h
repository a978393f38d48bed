// The object's setup dialog (dialog resource 20003): the object's picture, OK and Help.
#pragma once

#include <windows.h>

#include "host/host_records.h"

// What the dialog keeps with its window from initialisation on.
struct SetupDialogStart {
    EditHostRecord* host;
    LPARAM kept; // EditObject's fourth argument
};

INT_PTR CALLBACK SetupDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the setup dialog; 1 when it was closed with OK, 0 otherwise or on an unsupported host.
extern "C" BOOL WINAPI EditObject(EditHostRecord* host, void* unused1, void* unused2, LPARAM kept);

// Platform stand-in: strings and raw resources from the .res windres compiles from
// src/res/cinevane.rc (menus are in user_menu.h; the .res itself in standin/resource_data.h).
// Every module instance serves the one embedded resource set.
#pragma once

#include "standin/base_types.h"

#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_MENU MAKEINTRESOURCEW(4)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)

#define ERROR_RESOURCE_DATA_NOT_FOUND 1812L
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813L
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814L

// Copies string `id` into `buffer`, cut to bufferMax - 1 units and terminated; returns the units
// copied (0 for a missing or empty string, the buffer then holding an empty text). bufferMax 0:
// `buffer` receives a read-only pointer to the string's units (not terminated) and the result
// is its length.
int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);

// Raw resource access to every entry of the .res (a bitmap is a packed DIB).
HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
LPVOID WINAPI LockResource(HGLOBAL data);
DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);

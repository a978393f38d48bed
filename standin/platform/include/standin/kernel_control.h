// Test controls and inspection for the kernel area of the stand-in (see standin/kernel.h).
// Everything here is reset by standin::ResetPlatform().
#pragma once

#include "standin/kernel.h"

#include <string>

namespace standin {

// ---- Modules ----
// Makes a module present (LoadLibraryW/GetModuleHandleW find it) and returns its handle. A name
// keeps the same handle for the whole test process. Names match without case, path or ".dll".
HMODULE RegisterModule(LPCWSTR name);
// Offers `proc` from module `name` (registering the module) by ordinal or by name.
void RegisterModuleExport(LPCWSTR name, WORD ordinal, FARPROC proc);
void RegisterModuleExport(LPCWSTR name, const char* procName, FARPROC proc);
void RemoveModuleExport(LPCWSTR name, WORD ordinal);
// Makes a module absent again (its handle stops working).
void UnregisterModule(LPCWSTR name);
// LoadLibraryW calls minus FreeLibrary calls still outstanding.
int ModuleLoadCount(LPCWSTR name);

// Makes the platform look like Wine to a program that asks ntdll for wine_get_version (or stops
// it looking so). Only the question changes: every other call behaves as before.
void PretendToBeWine(bool wine);

// ---- Files ----
// Kernel handles (files and searches) currently open.
int OpenKernelHandles();

// ---- Console ----
bool ConsoleAllocated();
std::u16string ConsoleTitle();
COORD ConsoleBufferSize();
std::u16string ConsoleOutput(); // everything written with WriteConsoleW since the reset
int ConsoleAllocations();       // successful AllocConsole calls

// ---- Time ----
// Fixes the local (and system) time that GetLocalTime/GetSystemTime answer.
void SetLocalTime(const SYSTEMTIME& time);
void SetLocalTime(int year, int month, int day, int hour, int minute, int second);
void UseRealLocalTime();

// ---- Process ----
bool ProcessExitRequested();
UINT ProcessExitCode();

// ---- Memory ----
// Global and heap blocks allocated and not yet freed (blocks survive resets; compare counts).
int LiveGlobalBlocks();
int LiveHeapBlocks();
// Lock count of a moveable global block, -1 for an unknown handle.
int GlobalLockCount(HGLOBAL memory);

} // namespace standin

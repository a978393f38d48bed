// The vocabulary of the platform conformance cases. One source describes how the Win32, COM and
// DirectShow calls the module relies on answer, and it builds twice: natively each case is a
// GoogleTest case of the suite PlatformConformance run against the stand-in, and for Windows the
// same cases make the program conformance_wine, run under Wine against its real DirectShow.
//
// In the manner of Wine's own conformance tests every step's exact result is checked, with a
// printf-style message saying what came back:
//
//     ok(hr == VFW_E_INVALID_FILE_FORMAT, "RenderFile of a cut AVI: got %#lx\n", hr);
//
// The expectation is always what Windows does; the stand-in models Windows, so natively it must
// meet every one. Where Wine is known to answer differently the check accepts Wine's answer only
// when the run is on Wine (asked of ntdll at run time, as the player's detours ask) and prints a
// "wine differs:" line each time, so the log of a Wine run lists every difference it met:
//
//     ok(hr == S_OK || wine_differs(hr == E_INVALIDARG, "no frame time format"), "...", hr);
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <gtest/gtest.h>
#endif

namespace conformance {

// True when ntdll exports wine_get_version: the run is on Wine.
bool on_wine();

// Counts the check and reports a failure with its message.
void check(bool passed, const char* file, int line, const char* format, ...)
#ifdef __GNUC__
    __attribute__((format(printf, 4, 5)))
#endif
    ;

// True only on Wine when `wineAnswer` holds; then prints "wine differs: <what>" with the place.
bool WineDiffers(bool wineAnswer, const char* file, int line, const char* what);
// Each difference met so far ("file:line: what"), once, in the order first met.
const std::vector<std::string>& DifferencesMet();

// ---- shared helpers of the cases ----

// The path of `name` in the run's own folder under the temporary folder (GetTempPathW), the
// folder created when missing; without a name, the folder with its closing backslash.
void TempPath(WCHAR* path, size_t units, const char* name = nullptr);

// Writes `size` bytes to `path` with CreateFileW/WriteFile; false when that fails.
bool WriteFileBytes(const WCHAR* path, const void* bytes, DWORD size);

// Registers a window class of this program's instance unless it is there, and answers its name.
LPCWSTR RegisterTestClass(LPCWSTR name, WNDPROC procedure);

// Drains the thread's queue, dispatching what it holds.
void PumpMessages();

} // namespace conformance

#define ok(condition, ...) conformance::check((condition), __FILE__, __LINE__, __VA_ARGS__)
#define wine_differs(wineAnswer, what)                                                             \
    conformance::WineDiffers((wineAnswer), __FILE__, __LINE__, what)

#ifdef _WIN32

namespace conformance {
typedef void (*CaseFunction)();
// Adds a case to the program's list, which main() runs in the order of registration.
struct Registration {
    Registration(const char* name, CaseFunction function);
};
} // namespace conformance

#define CONFORMANCE_CASE(name)                                                                     \
    static void name();                                                                            \
    static const conformance::Registration name##Registration(#name, name);                        \
    static void name()

#else

// Natively each case starts from a freshly reset stand-in running on its real clock.
class PlatformConformance : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

#define CONFORMANCE_CASE(name) TEST_F(PlatformConformance, name)

#endif

// The debug console: one per process, its title, buffer size and everything written to it.
#include "kernel_internal.h"

#include "standin/kernel_control.h"

namespace standin {
namespace kernel {
namespace {

struct Console {
    bool allocated = false;
    int allocations = 0;
    std::u16string title;
    COORD bufferSize = {80, 300};
    std::u16string output;
};

Console& State() {
    static Console console;
    return console;
}

// The console's output handle: a fixed value, as a process has one console at a time.
HANDLE const kConsoleOutput = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x54));

} // namespace

HANDLE ConsoleHandleValue() {
    return State().allocated ? kConsoleOutput : nullptr;
}

void ResetConsole() {
    State() = Console();
}

} // namespace kernel

bool ConsoleAllocated() {
    return kernel::State().allocated;
}
std::u16string ConsoleTitle() {
    return kernel::State().title;
}
COORD ConsoleBufferSize() {
    return kernel::State().bufferSize;
}
std::u16string ConsoleOutput() {
    return kernel::State().output;
}
int ConsoleAllocations() {
    return kernel::State().allocations;
}

} // namespace standin

using namespace standin::kernel;

BOOL WINAPI AllocConsole() {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("AllocConsole", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    if (State().allocated)
        return Fail(ERROR_ACCESS_DENIED, FALSE); // a process has at most one console
    State().allocated = true;
    ++State().allocations;
    State().title.clear();
    State().bufferSize = {80, 300};
    return TRUE;
}

BOOL WINAPI SetConsoleTitleW(LPCWSTR title) {
    EnsureRegistered();
    if (!State().allocated)
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    State().title.clear();
    for (size_t i = 0; title && title[i]; ++i)
        State().title.push_back(static_cast<char16_t>(title[i]));
    return TRUE;
}

HANDLE WINAPI GetStdHandle(DWORD stdHandle) {
    EnsureRegistered();
    if (stdHandle != STD_INPUT_HANDLE && stdHandle != STD_OUTPUT_HANDLE &&
        stdHandle != STD_ERROR_HANDLE)
        return Fail(ERROR_INVALID_HANDLE, INVALID_HANDLE_VALUE);
    // A windowed process without a console has no standard handles.
    return stdHandle == STD_INPUT_HANDLE ? nullptr : ConsoleHandleValue();
}

BOOL WINAPI SetConsoleScreenBufferSize(HANDLE console, COORD size) {
    EnsureRegistered();
    long code = 0;
    if (standin::TakeFault("SetConsoleScreenBufferSize", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    if (!console || console != ConsoleHandleValue())
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (size.X < 1 || size.Y < 1)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    State().bufferSize = size;
    return TRUE;
}

BOOL WINAPI WriteConsoleW(HANDLE console, const void* buffer, DWORD charsToWrite,
                          LPDWORD charsWritten, LPVOID) {
    EnsureRegistered();
    if (charsWritten)
        *charsWritten = 0;
    long code = 0;
    if (standin::TakeFault("WriteConsoleW", &code))
        return Fail(static_cast<DWORD>(code), FALSE);
    if (!console || console != ConsoleHandleValue())
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    if (!buffer && charsToWrite)
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    const WCHAR* units = static_cast<const WCHAR*>(buffer);
    for (DWORD i = 0; i < charsToWrite; ++i)
        State().output.push_back(static_cast<char16_t>(units[i]));
    if (charsWritten)
        *charsWritten = charsToWrite;
    return TRUE;
}

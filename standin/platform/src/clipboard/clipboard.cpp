#include "standin/clipboard_control.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace {

struct Clipboard {
    bool open = false;
    HWND openWindow = nullptr;
    HWND owner = nullptr;
    std::vector<std::pair<UINT, HANDLE>> formats; // in the order they were set
    int emptyCount = 0;
};

void FreeContent(Clipboard& clipboard) {
    for (auto& entry : clipboard.formats)
        if (entry.second)
            GlobalFree(entry.second);
    clipboard.formats.clear();
}

void ResetClipboard();

// The one clipboard; the first use registers its reset.
Clipboard& State() {
    static Clipboard clipboard;
    static bool registered = false;
    if (!registered) {
        registered = true;
        standin::RegisterReset(ResetClipboard);
    }
    return clipboard;
}

void ResetClipboard() {
    Clipboard& clipboard = State();
    FreeContent(clipboard);
    clipboard = Clipboard();
}

// True (with the last error set) when a fault is armed for `call`.
bool Faulted(const char* call) {
    long code = 0;
    if (!standin::TakeFault(call, &code))
        return false;
    SetLastError(static_cast<DWORD>(code));
    return true;
}

bool RequireOpen(const Clipboard& clipboard) {
    if (clipboard.open)
        return true;
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return false;
}

std::pair<UINT, HANDLE>* Find(Clipboard& clipboard, UINT format) {
    for (auto& entry : clipboard.formats)
        if (entry.first == format)
            return &entry;
    return nullptr;
}

} // namespace

BOOL WINAPI OpenClipboard(HWND newOwner) {
    Clipboard& clipboard = State();
    if (Faulted("OpenClipboard"))
        return FALSE;
    // Opening again from the window that holds it open succeeds; any other window is refused.
    if (clipboard.open && clipboard.openWindow != newOwner) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    clipboard.open = true;
    clipboard.openWindow = newOwner;
    return TRUE;
}

BOOL WINAPI CloseClipboard() {
    Clipboard& clipboard = State();
    if (Faulted("CloseClipboard") || !RequireOpen(clipboard))
        return FALSE;
    clipboard.open = false;
    clipboard.openWindow = nullptr;
    return TRUE;
}

BOOL WINAPI EmptyClipboard() {
    Clipboard& clipboard = State();
    if (Faulted("EmptyClipboard") || !RequireOpen(clipboard))
        return FALSE;
    FreeContent(clipboard);
    clipboard.owner = clipboard.openWindow;
    ++clipboard.emptyCount;
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE memory) {
    Clipboard& clipboard = State();
    if (Faulted("SetClipboardData") || !RequireOpen(clipboard))
        return nullptr;
    if (format == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // From here on the clipboard owns `memory`; data it replaces is freed.
    if (auto* entry = Find(clipboard, format)) {
        if (entry->second && entry->second != memory)
            GlobalFree(entry->second);
        entry->second = memory;
    } else {
        clipboard.formats.emplace_back(format, memory);
    }
    return memory;
}

HANDLE WINAPI GetClipboardData(UINT format) {
    Clipboard& clipboard = State();
    if (!RequireOpen(clipboard))
        return nullptr;
    auto* entry = Find(clipboard, format);
    return entry ? entry->second : nullptr;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    return Find(State(), format) != nullptr;
}

HWND WINAPI GetClipboardOwner() {
    return State().owner;
}

HWND WINAPI GetOpenClipboardWindow() {
    return State().open ? State().openWindow : nullptr;
}

namespace standin {

bool ClipboardOpen() {
    return State().open;
}

HANDLE PeekClipboardData(UINT format) {
    auto* entry = Find(State(), format);
    return entry ? entry->second : nullptr;
}

bool ClipboardBytes(UINT format, std::string* bytes) {
    HANDLE memory = PeekClipboardData(format);
    if (!memory || !bytes)
        return false;
    SIZE_T size = GlobalSize(memory);
    const void* data = GlobalLock(memory);
    if (!data)
        return false;
    bytes->assign(static_cast<const char*>(data), size);
    GlobalUnlock(memory);
    return true;
}

int ClipboardEmptyCount() {
    return State().emptyCount;
}

} // namespace standin

#include "user_state.h"

namespace standin {
namespace user {
namespace {

char16_t FoldCase(char16_t unit) {
    if (unit >= u'a' && unit <= u'z')
        return static_cast<char16_t>(unit - 0x20);
    if (unit >= 0xE0 && unit <= 0xFE && unit != 0xF7)
        return static_cast<char16_t>(unit - 0x20);
    return unit;
}

const HWND kDesktopHandle = reinterpret_cast<HWND>(0x00010010);

void CreateDesktop(State& state) {
    auto desktop = std::make_unique<WindowRecord>();
    desktop->handle = kDesktopHandle;
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    desktop->rect = RECT{0, 0, 1280, 1024};
    state.desktop = kDesktopHandle;
    state.windows[kDesktopHandle] = std::move(desktop);
}

State* current = nullptr;

void ResetUserState() {
    // Windows vanish without messages: their procedures may belong to state already reset.
    delete current;
    current = new State;
    CreateDesktop(*current);
    current->cursor = StandardCursorHandle(IDC_ARROW);
}

} // namespace

std::u16string ToU16(LPCWSTR text) {
    if (!text)
        return std::u16string();
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

LPCWSTR AsWide(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

bool SameTextNoCase(const std::u16string& a, const std::u16string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

int CopyOut(const std::u16string& text, LPWSTR buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    size_t count = text.size();
    if (count > static_cast<size_t>(capacity - 1))
        count = static_cast<size_t>(capacity - 1);
    for (size_t i = 0; i < count; ++i)
        buffer[i] = static_cast<WCHAR>(text[i]);
    buffer[count] = 0;
    return static_cast<int>(count);
}

NameOrAtom ReadNameOrAtom(LPCWSTR name) {
    NameOrAtom result;
    if (IS_INTRESOURCE(name)) {
        result.isAtom = true;
        result.atom = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name));
    } else {
        result.text = ToU16(name);
    }
    return result;
}

State& UserState() {
    if (!current) {
        RegisterReset(&ResetUserState);
        ResetUserState();
    }
    return *current;
}

WindowRecord* FindWindowRecord(HWND window) {
    if (!window)
        return nullptr;
    auto& windows = UserState().windows;
    auto found = windows.find(window);
    return found == windows.end() ? nullptr : found->second.get();
}

WindowRecord* WindowOrError(HWND window) {
    WindowRecord* record = FindWindowRecord(window);
    if (!record)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return record;
}

HWND RootWindow(HWND window) {
    State& state = UserState();
    WindowRecord* record = FindWindowRecord(window);
    while (record && (record->style & WS_CHILD) && record->parent &&
           record->parent != state.desktop) {
        record = FindWindowRecord(record->parent);
    }
    return record ? record->handle : nullptr;
}

bool IsDescendant(HWND window, HWND ancestor) {
    State& state = UserState();
    for (WindowRecord* record = FindWindowRecord(window); record;
         record = FindWindowRecord(record->parent)) {
        if (record->handle == ancestor)
            return true;
        if (record->parent == state.desktop)
            break;
    }
    return false;
}

} // namespace user
} // namespace standin

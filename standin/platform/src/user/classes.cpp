// Window classes: registration, look-up and removal.
#include "user_state.h"

using namespace standin;
using namespace standin::user;

namespace {

// Windows accepts class names of up to 256 units.
const size_t kMaxClassName = 256;

bool Matches(const ClassRecord& record, const NameOrAtom& name) {
    return name.isAtom ? record.atom == name.atom : SameTextNoCase(record.name, name.text);
}

ClassRecord* FindExact(const NameOrAtom& name, HINSTANCE instance) {
    for (auto& record : UserState().classes)
        if (Matches(*record, name) && record->description.hInstance == instance)
            return record.get();
    return nullptr;
}

ATOM Register(const WNDCLASSEXW& description) {
    if (!description.lpszClassName || IS_INTRESOURCE(description.lpszClassName)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    NameOrAtom name = ReadNameOrAtom(description.lpszClassName);
    if (name.text.empty() || name.text.size() > kMaxClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (FindExact(name, description.hInstance)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    if (description.cbClsExtra < 0 || description.cbWndExtra < 0 || description.cbClsExtra > 40 ||
        description.cbWndExtra > 40) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    State& state = UserState();
    auto record = std::make_unique<ClassRecord>();
    record->name = name.text;
    record->atom = state.nextAtom++;
    record->description = description;
    record->description.cbSize = sizeof(WNDCLASSEXW);
    if (description.lpszMenuName && !IS_INTRESOURCE(description.lpszMenuName)) {
        record->menuName = ToU16(description.lpszMenuName);
        record->description.lpszMenuName = AsWide(record->menuName);
    }
    record->description.lpszClassName = AsWide(record->name);
    ATOM atom = record->atom;
    state.classes.push_back(std::move(record));
    return atom;
}

} // namespace

namespace standin {
namespace user {

ClassRecord* FindClass(LPCWSTR className, HINSTANCE instance) {
    if (!className)
        return nullptr;
    NameOrAtom name = ReadNameOrAtom(className);
    if (ClassRecord* local = FindExact(name, instance))
        return local;
    for (auto& record : UserState().classes)
        if (Matches(*record, name) && (record->description.style & CS_GLOBALCLASS))
            return record.get();
    return nullptr;
}

} // namespace user
} // namespace standin

// Fault injection: "RegisterClassExW" / "RegisterClassW" for the entry point used; the injected
// code becomes the last error.
ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* description) {
    long fault = 0;
    if (TakeFault("RegisterClassExW", &fault)) {
        SetLastError(static_cast<DWORD>(fault));
        return 0;
    }
    if (!description || description->cbSize != sizeof(WNDCLASSEXW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(*description);
}

ATOM WINAPI RegisterClassW(const WNDCLASSW* description) {
    long fault = 0;
    if (TakeFault("RegisterClassW", &fault)) {
        SetLastError(static_cast<DWORD>(fault));
        return 0;
    }
    if (!description) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXW extended = {};
    extended.cbSize = sizeof(extended);
    extended.style = description->style;
    extended.lpfnWndProc = description->lpfnWndProc;
    extended.cbClsExtra = description->cbClsExtra;
    extended.cbWndExtra = description->cbWndExtra;
    extended.hInstance = description->hInstance;
    extended.hIcon = description->hIcon;
    extended.hCursor = description->hCursor;
    extended.hbrBackground = description->hbrBackground;
    extended.lpszMenuName = description->lpszMenuName;
    extended.lpszClassName = description->lpszClassName;
    return Register(extended);
}

BOOL WINAPI UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
    long fault = 0;
    if (TakeFault("UnregisterClassW", &fault)) {
        SetLastError(static_cast<DWORD>(fault));
        return FALSE;
    }
    if (!className) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    NameOrAtom name = ReadNameOrAtom(className);
    auto& classes = UserState().classes;
    for (auto it = classes.begin(); it != classes.end(); ++it) {
        if (!Matches(**it, name) || (*it)->description.hInstance != instance)
            continue;
        if ((*it)->liveWindows > 0) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
        classes.erase(it);
        return TRUE;
    }
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
}

BOOL WINAPI GetClassInfoExW(HINSTANCE instance, LPCWSTR className, LPWNDCLASSEXW description) {
    ClassRecord* record = FindClass(className, instance);
    if (!record || !description) {
        SetLastError(record ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    UINT callerSize = description->cbSize;
    *description = record->description;
    description->cbSize = callerSize;
    return record->atom;
}

int WINAPI GetClassNameW(HWND window, LPWSTR name, int capacity) {
    WindowRecord* record = WindowOrError(window);
    if (!record)
        return 0;
    if (!record->windowClass) { // the desktop
        static const std::u16string desktopClass = u"#32769";
        return CopyOut(desktopClass, name, capacity);
    }
    return CopyOut(record->windowClass->name, name, capacity);
}

// Message boxes: recorded for tests and answered from their script.
#include "user_state.h"

using namespace standin;
using namespace standin::user;

namespace {

// The box's default button: the first one, or the second or third with MB_DEFBUTTON2/3.
int DefaultAnswer(UINT type) {
    static const int buttons[][3] = {
        {IDOK, 0, 0},                 // MB_OK
        {IDOK, IDCANCEL, 0},          // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE}, // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},      // MB_YESNOCANCEL
        {IDYES, IDNO, 0},             // MB_YESNO
        {IDRETRY, IDCANCEL, 0},       // MB_RETRYCANCEL
    };
    UINT kind = type & MB_TYPEMASK;
    if (kind >= sizeof(buttons) / sizeof(buttons[0]))
        return IDOK;
    UINT choice = (type & MB_DEFMASK) >> 8;
    if (choice > 2 || buttons[kind][choice] == 0)
        choice = 0;
    return buttons[kind][choice];
}

} // namespace

// Modal: returns only once "dismissed", which here is at once. A null caption shows "Error", as
// on Windows. An owner that is not a window fails with ERROR_INVALID_WINDOW_HANDLE, and a fault
// injected into "MessageBoxW" fails with its code; both answer 0 and record nothing.
int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    long fault = 0;
    if (TakeFault("MessageBoxW", &fault)) {
        SetLastError(static_cast<DWORD>(fault));
        return 0;
    }
    if (owner && !WindowOrError(owner))
        return 0;
    State& state = UserState();
    int answer = DefaultAnswer(type);
    if (!state.messageBoxScript.empty()) {
        answer = state.messageBoxScript.front();
        state.messageBoxScript.pop_front();
    }
    state.messageBoxes.push_back(MessageBoxRecord{
        owner, ToU16(text), caption ? ToU16(caption) : std::u16string(u"Error"), type, answer});
    return answer;
}

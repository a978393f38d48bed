// Modal dialogs from the module's dialog templates, with scripted input in place of a person.
#include <windows.h>

#include "standin/dialog_control.h"
#include "standin/inspect_user.h"
#include "standin/resource_data.h"

#include <map>

using namespace standin;

namespace {

// The system dialog class, and the predefined control classes by template ordinal.
const WCHAR kDialogClass[] = L"#32770";

// Dialog units to pixels for the templates' 8-point font: a character cell of 6 x 13 pixels
// is 4 x 8 dialog units.
const int kBaseUnitX = 6;
const int kBaseUnitY = 13;

int ToPixelsX(int units) {
    return units * kBaseUnitX / 4;
}
int ToPixelsY(int units) {
    return units * kBaseUnitY / 8;
}

struct OpenDialog {
    DLGPROC procedure = nullptr;
    bool ended = false;
    INT_PTR result = 0;
};

struct DialogState {
    std::vector<DialogStep> script;
    size_t nextStep = 0;
    void (*observer)(HWND) = nullptr;
    std::vector<DialogRun> runs;
    std::map<HWND, OpenDialog> open;
};

void ResetDialogs();

DialogState& Dialogs() {
    static DialogState* state = nullptr;
    if (!state) {
        state = new DialogState;
        RegisterReset(&ResetDialogs);
    }
    return *state;
}

void ResetDialogs() {
    Dialogs() = DialogState();
}

OpenDialog* FindOpenDialog(HWND dialog) {
    auto found = Dialogs().open.find(dialog);
    return found == Dialogs().open.end() ? nullptr : &found->second;
}

LRESULT CALLBACK DialogWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    OpenDialog* open = FindOpenDialog(dialog);
    DLGPROC procedure = open ? open->procedure : nullptr;
    if (procedure) {
        INT_PTR handled = procedure(dialog, message, wParam, lParam);
        if (message == WM_INITDIALOG || handled)
            return handled;
    }
    return DefDlgProcW(dialog, message, wParam, lParam);
}

// Registers a global class once per platform reset (the class table goes with the reset).
bool EnsureClass(LPCWSTR name, WNDPROC procedure) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(nullptr, name, &existing))
        return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = procedure;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

// A predefined class by its registered name, whatever case the template spells it in.
LPCWSTR ClassNameOf(const ResourceName& name) {
    if (LPCWSTR predefined = PredefinedControlClass(name))
        return predefined;
    return name.text && name.text[0] ? name.text : L"Static";
}

std::u16string ToU16(LPCWSTR text) {
    std::u16string result;
    for (; text && *text; ++text)
        result.push_back(static_cast<char16_t>(*text));
    return result;
}

HWND FindControl(HWND dialog, int id) {
    for (HWND child = FindWindowExW(dialog, nullptr, nullptr, nullptr); child;
         child = FindWindowExW(dialog, child, nullptr, nullptr))
        if (GetWindowLongW(child, GWL_ID) == id)
            return child;
    return nullptr;
}

// Sends what the dialog manager sends for a command of control `id`.
void SendCommand(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(FindControl(dialog, id)));
}

void Deliver(HWND dialog, const DialogStep& step) {
    switch (step.input) {
    case DialogInput::Button: {
        // Only a button that is there and enabled can be pressed.
        HWND button = FindControl(dialog, step.id);
        if (button && IsWindowEnabled(button))
            SendCommand(dialog, step.id);
        break;
    }
    case DialogInput::Escape:
        SendCommand(dialog, IDCANCEL);
        break;
    case DialogInput::Enter: {
        LRESULT defaultId = SendMessageW(dialog, DM_GETDEFID, 0, 0);
        SendCommand(dialog, HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK);
        break;
    }
    case DialogInput::CloseBox:
        if (GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU)
            SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

HWND CreateControls(HWND dialog, HINSTANCE instance, const DialogTemplate& resource,
                    DialogRun* run) {
    HWND firstTabStop = nullptr;
    for (const DialogControlTemplate& control : resource.controls) {
        LPCWSTR className = ClassNameOf(control.className);
        EnsureClass(className, DefWindowProcW);
        LPCWSTR text = control.text.isOrdinal ? L"" : control.text.text;
        RECT rect = {ToPixelsX(control.x), ToPixelsY(control.y),
                     ToPixelsX(control.x) + ToPixelsX(control.cx),
                     ToPixelsY(control.y) + ToPixelsY(control.cy)};
        HWND window = CreateWindowExW(
            control.exStyle, className, text, control.style | WS_CHILD, rect.left, rect.top,
            rect.right - rect.left, rect.bottom - rect.top, dialog,
            reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(control.id)), instance, nullptr);
        if (window && !firstTabStop && (control.style & WS_TABSTOP))
            firstTabStop = window;
        run->controls.push_back(DialogControlInfo{static_cast<int>(control.id), ToU16(className),
                                                  ToU16(text), control.style, rect});
    }
    return firstTabStop;
}

} // namespace

namespace standin {

void ScriptDialogInput(const std::vector<DialogStep>& steps) {
    Dialogs().script = steps;
    Dialogs().nextStep = 0;
}

void OnDialogShown(void (*observer)(HWND dialog)) {
    Dialogs().observer = observer;
}

std::vector<DialogRun> DialogRuns() {
    return Dialogs().runs;
}

} // namespace standin

INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                               DLGPROC procedure, LPARAM initParam) {
    long fault = 0;
    if (TakeFault("DialogBoxParamW", &fault)) {
        SetLastError(static_cast<DWORD>(fault));
        return -1;
    }
    const ResourceEntry* entry = FindModuleResource(RT_DIALOG, templateName);
    DialogTemplate resource;
    if (!entry)
        return -1;
    if (!ReadDialogTemplate(entry->data, entry->size, &resource)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return -1;
    }
    if (!EnsureClass(kDialogClass, DialogWindowProc))
        return -1;

    DWORD style = static_cast<DWORD>(resource.style) & ~static_cast<DWORD>(WS_VISIBLE);
    RECT frame = {0, 0, ToPixelsX(resource.cx), ToPixelsY(resource.cy)};
    AdjustWindowRectEx(&frame, style, FALSE, resource.exStyle);
    HWND dialog =
        CreateWindowExW(resource.exStyle, kDialogClass, resource.caption, style,
                        ToPixelsX(resource.x), ToPixelsY(resource.y), frame.right - frame.left,
                        frame.bottom - frame.top, owner, nullptr, instance, nullptr);
    if (!dialog)
        return -1;

    DialogState& state = Dialogs();
    state.open[dialog].procedure = procedure;
    DialogRun run = {};
    run.templateId = IS_INTRESOURCE(templateName) ? LOWORD(templateName) : 0;
    run.owner = owner;
    run.initParam = initParam;
    run.caption = ToU16(resource.caption);
    run.style = style;
    HWND firstTabStop = CreateControls(dialog, instance, resource, &run);

    SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), initParam);
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (!FindOpenDialog(dialog)->ended) {
        ShowWindow(dialog, SW_SHOW);
        if (owner)
            EnableWindow(owner, FALSE);
        run.ownerDisabledWhileShown = owner && !IsWindowEnabled(owner);
        if (state.observer)
            state.observer(dialog);
    }
    while (!FindOpenDialog(dialog)->ended) {
        if (state.nextStep >= state.script.size()) {
            run.abandoned = true;
            break;
        }
        Deliver(dialog, state.script[state.nextStep++]);
        ++run.stepsDelivered;
        PumpMessages();
    }

    OpenDialog* open = FindOpenDialog(dialog);
    run.ended = open->ended;
    run.result = open->ended ? open->result : -1;
    if (owner && ownerWasEnabled)
        EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    state.open.erase(dialog);
    state.runs.push_back(run);
    return run.result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    OpenDialog* open = FindOpenDialog(dialog);
    if (!open) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    open->ended = true;
    open->result = result;
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    HWND control = FindControl(dialog, id);
    if (!control)
        SetLastError(IsWindow(dialog) ? ERROR_CONTROL_ID_NOT_FOUND : ERROR_INVALID_WINDOW_HANDLE);
    return control;
}

LRESULT WINAPI DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case DM_GETDEFID:
        for (HWND child = FindWindowExW(dialog, nullptr, L"Button", nullptr); child;
             child = FindWindowExW(dialog, child, L"Button", nullptr))
            if ((GetWindowLongW(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
                return MAKELRESULT(GetWindowLongW(child, GWL_ID), DC_HASDEFID);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            SendMessageW(dialog, WM_CLOSE, 0, 0);
            return 0;
        }
        return DefWindowProcW(dialog, message, wParam, lParam);
    case WM_CLOSE:
        // The dialog manager turns closing into the Cancel command; it never ends a dialog itself.
        SendCommand(dialog, IDCANCEL);
        return 0;
    default:
        return DefWindowProcW(dialog, message, wParam, lParam);
    }
}

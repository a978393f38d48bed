// Test control of the modal dialog stand-in: the input a person would give the next dialogs,
// and what each dialog run showed and how it ended. Cleared by standin::ResetPlatform().
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace standin {

enum class DialogInput {
    Button,   // a click on the button with control id `id`: WM_COMMAND(id, BN_CLICKED)
    Escape,   // the Escape key: WM_COMMAND(IDCANCEL), as the dialog manager sends it
    Enter,    // the Enter key: WM_COMMAND of the default push button (IDOK without one)
    CloseBox, // the caption's close box: WM_SYSCOMMAND(SC_CLOSE), ignored without WS_SYSMENU
};

struct DialogStep {
    DialogInput input;
    int id; // Button only
};
inline DialogStep PressButton(int id) {
    return DialogStep{DialogInput::Button, id};
}
inline DialogStep PressEscape() {
    return DialogStep{DialogInput::Escape, 0};
}
inline DialogStep PressEnter() {
    return DialogStep{DialogInput::Enter, 0};
}
inline DialogStep PressCloseBox() {
    return DialogStep{DialogInput::CloseBox, 0};
}

// The input of the next dialogs, taken in order across runs.
void ScriptDialogInput(const std::vector<DialogStep>& steps);
// Called with each shown dialog before any scripted input is delivered (null: none).
void OnDialogShown(void (*observer)(HWND dialog));

struct DialogControlInfo {
    int id;
    std::u16string className;
    std::u16string text;
    DWORD style;
    RECT rect; // in the dialog's client coordinates, pixels
};

struct DialogRun {
    UINT templateId;
    HWND owner;
    LPARAM initParam;
    std::u16string caption;
    DWORD style;
    std::vector<DialogControlInfo> controls;
    bool ownerDisabledWhileShown; // a modal dialog disables its owner
    int stepsDelivered;
    bool ended;     // EndDialog was called
    bool abandoned; // the script ran out while the dialog was open
    INT_PTR result;
};
std::vector<DialogRun> DialogRuns();

} // namespace standin

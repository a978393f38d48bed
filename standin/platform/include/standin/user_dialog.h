// Platform stand-in: modal dialogs built from the dialog templates compiled from cinevane.rc.
// Nobody sits at the keyboard, so DialogBoxParamW plays the person from a script the test sets
// (standin/dialog_control.h): button presses, Escape, Enter, the close box.
#pragma once

#include "standin/base_types.h"

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// Dialog styles.
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_CENTER 0x0800L

// Button and static control styles and notifications the module's dialog uses.
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define SS_BITMAP 0x0000000EL
#define SS_SUNKEN 0x00001000L
#define BN_CLICKED 0

// Dialog manager messages and answers.
#define DM_GETDEFID (WM_USER + 0)
#define DC_HASDEFID 0x534B
#define DWL_MSGRESULT 0
#define SC_CLOSE 0xF060

// Creates the dialog of template `templateName` (an integer resource id) owned by `owner`, sends
// WM_INITDIALOG with `initParam` to `procedure`, then delivers the scripted input until the
// procedure calls EndDialog; answers EndDialog's result. -1 when the template is missing, the
// window cannot be made, or the script runs out while the dialog is still open (a person would
// still be looking at it).
// Fault injection "DialogBoxParamW": answers -1 with the injected code as the last error.
INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                               DLGPROC procedure, LPARAM initParam);
#define DialogBoxParam DialogBoxParamW
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
// The child of `dialog` with control id `id`, or null (ERROR_CONTROL_ID_NOT_FOUND).
HWND WINAPI GetDlgItem(HWND dialog, int id);
// The default handling of dialog windows (what a dialog procedure answering FALSE gets).
LRESULT WINAPI DefDlgProcW(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#define ERROR_CONTROL_ID_NOT_FOUND 1421L

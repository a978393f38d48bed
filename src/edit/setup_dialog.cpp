#include "edit/setup_dialog.h"

#include "host/host_version.h"
#include "host/lifecycle_exports.h"
#include "host/module_state.h"
#include "res/resource_ids.h"

namespace {

void ShowHelp(HWND dialog) {
    const SetupDialogStart* start =
        reinterpret_cast<const SetupDialogStart*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (start && start->host && start->host->help)
        start->host->help(GetHelpFileName(), 0, 0);
}

} // namespace

// OK is the only way out: the dialog has no Cancel command, so Escape and the close box, which
// the dialog manager turns into IDCANCEL, change nothing.
INT_PTR CALLBACK SetupDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_SETUP_HELP:
            ShowHelp(dialog);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

extern "C" BOOL WINAPI EditObject(EditHostRecord* host, void*, void*, LPARAM kept) {
    if (!host || !IsSupportedHost(host))
        return FALSE;
    SetupDialogStart start = {host, kept};
    INT_PTR result =
        DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_SETUP), host->editorMainWindow,
                        SetupDialog, reinterpret_cast<LPARAM>(&start));
    return result == 1 ? TRUE : FALSE;
}

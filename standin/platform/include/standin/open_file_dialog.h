// Test control of the scripted open-file dialog (not included by <windows.h>).
#pragma once

#include <commdlg.h>

#include <string>
#include <vector>

namespace standin {

// What one GetOpenFileNameW call was shown, copied out of the request record.
struct OpenFileDialogRecord {
    DWORD structSize = 0;
    HWND owner = nullptr;
    std::vector<std::u16string>
        filter; // display text and pattern alternately, up to the empty entry
    LPCWSTR filterPointer = nullptr;
    DWORD filterIndex = 0;
    LPWSTR customFilter = nullptr;
    DWORD maxFile = 0;
    std::u16string fileOnEntry;   // the caller's file buffer when the dialog opened
    LPWSTR fileTitle = nullptr;   // the request's file-title pointer, as given
    std::u16string fileTitleText; // the text it pointed at, if any
    DWORD maxFileTitle = 0;
    bool hasInitialDir = false;
    std::u16string initialDir;
    std::u16string title;
    std::u16string defaultExtension;
    DWORD flags = 0;
};

// Queues the next answers, used in order; with the queue empty the user cancels.
void ScriptOpenFileChoice(const std::u16string& path);
void ScriptOpenFileCancel();
// The dialog fails: GetOpenFileNameW returns FALSE and CommDlgExtendedError gives `error`.
void ScriptOpenFileFailure(DWORD error);

// Every dialog shown since the last reset, oldest first.
const std::vector<OpenFileDialogRecord>& OpenFileDialogs();

} // namespace standin

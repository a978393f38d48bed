// The open-file dialog of the action "New file from selector".
#include "player/video_player.h"

#include <commdlg.h>

#include <cstring>

namespace {

// Pairs of display text and pattern, ended by an empty entry.
const WCHAR MediaFileFilters[] =
    L"Video Files (*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4)\0"
    L"*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4\0"
    L"Audio files (*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; *.snd)\0"
    L"*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; *.snd\0"
    L"WMT Files (*.asf; *.wma; *.wmv)\0"
    L"*.asf; *.wma; *.wmv\0"
    L"MIDI Files (*.mid, *.midi, *.rmi)\0"
    L"*.mid; *.midi; *.rmi\0"
    L"Image Files (*.jpg, *.bmp, *.gif, *.tga)\0"
    L"*.jpg; *.bmp; *.gif; *.tga\0"
    L"All Files (*.*)\0"
    L"*.*;\0";

// The module's one request record, rebuilt on every call, and whether a dialog has run yet.
OPENFILENAMEW OpenFileRequest;
bool OpenFileDialogShown = false;

} // namespace

static_assert(sizeof(OPENFILENAMEW) == 88, "the full open-file request record");

int VideoPlayer::ChooseFile(LPWSTR pathBuffer, HWND ownerWindow) {
    if (!pathBuffer)
        return 0;
    pathBuffer[0] = 0;

    std::memset(&OpenFileRequest, 0, sizeof(OpenFileRequest));
    OpenFileRequest.lStructSize = sizeof(OpenFileRequest);
    OpenFileRequest.hwndOwner = ownerWindow;
    OpenFileRequest.lpstrFilter = MediaFileFilters;
    OpenFileRequest.lpstrCustomFilter = NULL;
    OpenFileRequest.nFilterIndex = 1;
    OpenFileRequest.lpstrFile = pathBuffer;
    OpenFileRequest.nMaxFile = MediaFileCapacity;
    OpenFileRequest.lpstrTitle = L"Media";
    // No file-title buffer: its capacity is 0, so the dialog never writes through this pointer.
    OpenFileRequest.lpstrFileTitle = const_cast<LPWSTR>(L"Video Filename");
    OpenFileRequest.nMaxFileTitle = 0;
    OpenFileRequest.lpstrDefExt = L"*";
    OpenFileRequest.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

    if (!OpenFileDialogShown) {
        OpenFileRequest.lpstrInitialDir = L"\\";
        OpenFileDialogShown = true;
    } else {
        OpenFileRequest.lpstrInitialDir = NULL;
    }
    BOOL chosen = GetOpenFileNameW(&OpenFileRequest);
    if (!chosen)
        pathBuffer[0] = 0; // a cancelled or failed dialog leaves no partial path behind
    return chosen;
}

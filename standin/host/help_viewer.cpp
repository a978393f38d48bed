#include "help_viewer.h"

#include "host_text.h"
#include "res/resource_ids.h"

#ifdef _WIN32
#include <shellapi.h>
#else
#include <sys/stat.h>
#include <unistd.h>

#include "standin/dialog_control.h"
#endif

namespace hoststandin {

#ifdef _WIN32

namespace {

// HtmlHelpW from hhctrl.ocx (htmlhelp.h): display the file's default topic.
typedef HWND(WINAPI* HtmlHelpFunction)(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data);
constexpr UINT kDisplayTopic = 0x0000;

constexpr char kSeparator = '\\';

std::string ProgramPath() {
    WCHAR program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    return Utf8FromWide(program);
}

// The setup dialog's buttons to press, and the timer that waits for the dialog.
bool pressHelpNext = false;
UINT_PTR dialogTimer = 0;
int dialogTimerTicks = 0;

BOOL CALLBACK FindModalDialog(HWND window, LPARAM found) {
    WCHAR className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void Press(HWND dialog, int id, bool wait) {
    const WPARAM command = MAKEWPARAM(id, BN_CLICKED);
    const LPARAM button = reinterpret_cast<LPARAM>(GetDlgItem(dialog, id));
    if (wait)
        SendMessageW(dialog, WM_COMMAND, command, button);
    else
        PostMessageW(dialog, WM_COMMAND, command, button);
}

// Runs in the dialog's modal message loop, which dispatches this thread's timers.
VOID CALLBACK PressWhenShown(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindModalDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog && ++dialogTimerTicks < 50)
        return;
    KillTimer(nullptr, dialogTimer);
    dialogTimer = 0;
    if (!dialog)
        return;
    if (pressHelpNext)
        Press(dialog, IDC_SETUP_HELP, true);
    Press(dialog, IDOK, false);
}

} // namespace

BOOL AnswerSetupDialog(const std::function<BOOL()>& show, bool pressHelp) {
    pressHelpNext = pressHelp;
    dialogTimerTicks = 0;
    dialogTimer = SetTimer(nullptr, 0, 100, PressWhenShown);
    const BOOL result = show();
    if (dialogTimer) // no dialog was shown
        KillTimer(nullptr, dialogTimer);
    dialogTimer = 0;
    return result;
}

std::string ShowHelpFile(const std::string& path, HWND owner) {
    const std::u16string wide = WideFromUtf8(path);
    if (GetFileAttributesW(AsWide(wide)) == INVALID_FILE_ATTRIBUTES)
        return "missing, nothing opened";
    // The library stays loaded: the viewer's window lives in it.
    HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
    HtmlHelpFunction htmlHelp = viewer ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(
                                             GetProcAddress(viewer, "HtmlHelpW")))
                                       : nullptr;
    if (htmlHelp && htmlHelp(owner, AsWide(wide), kDisplayTopic, 0))
        return "opened in HTML Help";
    const std::u16string quoted = u"\"" + wide + u"\"";
    const INT_PTR started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", L"hh.exe", AsWide(quoted), nullptr, SW_SHOWNORMAL));
    return started > 32
               ? "opened with hh.exe"
               : "cannot be opened (no HTML Help viewer, error " + std::to_string(started) + ")";
}

#else

namespace {

constexpr char kSeparator = '/';

std::string ProgramPath() {
    char program[4096] = {};
    const ssize_t length = readlink("/proc/self/exe", program, sizeof program - 1);
    return length > 0 ? std::string(program, static_cast<size_t>(length)) : "./";
}

} // namespace

std::string ShowHelpFile(const std::string& path, HWND) {
    struct stat status = {};
    const bool present = stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
    return present ? "present (the native build has no help viewer)" : "missing";
}

BOOL AnswerSetupDialog(const std::function<BOOL()>& show, bool pressHelp) {
    if (pressHelp)
        standin::ScriptDialogInput(
            {standin::PressButton(IDC_SETUP_HELP), standin::PressButton(IDOK)});
    else
        standin::ScriptDialogInput({standin::PressButton(IDOK)});
    return show();
}

#endif

std::string HelpFileLocation(const std::string& named) {
    std::string path = ProgramPath();
    path.erase(path.find_last_of("\\/") + 1);
    path += named;
    for (char& c : path)
        if (c == '\\' || c == '/')
            c = kSeparator;
    return path;
}

} // namespace hoststandin

// The author's help file under Wine: the name the real Cinevane.dll gives the host, resolved in
// the host's folder as the host program resolves it, opened through the host program's help call
// (HtmlHelpW of hhctrl.ocx, or hh.exe), and the viewer's window shown for it.
#include "wine/wine_check.h"

#include "help_viewer.h"
#include "host_text.h"

namespace {

typedef LPCWSTR(WINAPI* GetHelpFileNameFunction)();

// The help file the native build compiled, as a Windows path (CMake passes it).
const char kBuiltHelpFile[] = CINEVANE_BUILT_HELP_FILE;

BOOL CALLBACK TakeViewerWindow(HWND window, LPARAM result) {
    WCHAR className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpW(className, L"HH Parent") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND FindViewerWindow() {
    HWND found = nullptr;
    EnumWindows(TakeViewerWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Lets the viewer (in this thread, or in hh.exe) come up: up to `ms` of message pumping.
HWND WaitForViewer(DWORD ms) {
    const DWORD start = GetTickCount();
    HWND viewer = nullptr;
    while (!(viewer = FindViewerWindow()) && GetTickCount() - start < ms) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(50);
    }
    return viewer;
}

} // namespace

int main() {
    HMODULE module = LoadLibraryW(L"Cinevane.dll");
    CHECK(module != nullptr);
    auto getHelpFileName =
        module ? reinterpret_cast<GetHelpFileNameFunction>(
                     reinterpret_cast<void*>(GetProcAddress(module, "GetHelpFileName")))
               : nullptr;
    CHECK(getHelpFileName != nullptr);
    if (!getHelpFileName)
        return WineCheckSummary();
    const std::string named = hoststandin::Utf8FromWide(getHelpFileName());
    CHECK_EQ(named, std::string("Help\\Cinevane.chm"));

    // The host finds the file in its own folder: put the compiled one there.
    const std::string path = hoststandin::HelpFileLocation(named);
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    CreateDirectoryW(hoststandin::AsWide(hoststandin::WideFromUtf8(folder)), nullptr);
    const BOOL copied = CopyFileW(hoststandin::AsWide(hoststandin::WideFromUtf8(kBuiltHelpFile)),
                                  hoststandin::AsWide(hoststandin::WideFromUtf8(path)), FALSE);
    CHECK(copied != FALSE);
    if (!copied) {
        std::printf("cannot copy %s to %s: error %lu\n", kBuiltHelpFile, path.c_str(),
                    GetLastError());
        return WineCheckSummary();
    }

    const std::string outcome = hoststandin::ShowHelpFile(path, nullptr);
    std::printf("help: %s\n", outcome.c_str());
    CHECK(outcome == "opened in HTML Help" || outcome == "opened with hh.exe");
    HWND viewer = WaitForViewer(60000);
    CHECK(viewer != nullptr);
    if (viewer) {
        WCHAR title[256] = {};
        GetWindowTextW(viewer, title, 256);
        std::printf("viewer window: \"%s\"\n", winecheck::Narrow(title).c_str());
        PostMessageW(viewer, WM_CLOSE, 0, 0);
        WaitForViewer(0);
    }
    FreeLibrary(module);
    return WineCheckSummary();
}

// Files and the clipboard as the module uses them (its event log, its frame grab to the
// clipboard), through public calls only: dispositions, sharing, seeks and sizes, read-only files;
// the clipboard's opening rules, who owns it, and data that stays after closing.
#include <cstring>

#include "conformance/conformance.h"

namespace {

HANDLE Open(LPCWSTR path, DWORD access, DWORD share, DWORD disposition) {
    return CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD SizeOf(LPCWSTR path) {
    HANDLE file = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return INVALID_FILE_SIZE;
    DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    return size;
}

// A packed 1 x 1 24-bit DIB of the given colour: what a frame grab hands to the clipboard.
HGLOBAL PackedDib(BYTE blue) {
    const BYTE dib[44] = {40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0,    0, 4, 0,
                          0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, blue, 2, 3, 0};
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof dib);
    if (memory) {
        std::memcpy(GlobalLock(memory), dib, sizeof dib);
        GlobalUnlock(memory);
    }
    return memory;
}

// The blue byte of the picture a clipboard DIB holds, or -1.
int BlueOf(HANDLE memory) {
    const BYTE* bytes = memory ? static_cast<const BYTE*>(GlobalLock(memory)) : nullptr;
    if (!bytes)
        return -1;
    int blue = bytes[40];
    GlobalUnlock(memory);
    return blue;
}

HWND NewWindow(LPCWSTR title) {
    return CreateWindowExW(
        0, conformance::RegisterTestClass(L"ConformanceClipboard", DefWindowProcW), title, WS_POPUP,
        0, 0, 10, 10, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

CONFORMANCE_CASE(CreateFileFollowsDispositionsAndSharing) {
    WCHAR a[MAX_PATH], b[MAX_PATH], noFolder[MAX_PATH];
    conformance::TempPath(a, MAX_PATH, "a.txt");
    conformance::TempPath(b, MAX_PATH, "b.txt");
    conformance::TempPath(noFolder, MAX_PATH, "No\\b.txt");
    DeleteFileW(a);
    DeleteFileW(b);

    SetLastError(0xdeadbeef);
    HANDLE file = Open(a, GENERIC_WRITE, 0, CREATE_ALWAYS);
    ok(file != INVALID_HANDLE_VALUE && GetLastError() == 0,
       "CREATE_ALWAYS of a new file: error %lu\n", GetLastError());
    DWORD written = 0;
    BOOL done = WriteFile(file, "abcd", 4, &written, nullptr);
    ok(done && written == 4, "WriteFile of 4 bytes: %d, wrote %lu\n", done, written);

    // A handle opened without sharing blocks every other open and the deletion.
    HANDLE other = Open(a, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    ok(other == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION,
       "opening a file held without sharing: error %lu\n", GetLastError());
    done = DeleteFileW(a);
    ok(!done && GetLastError() == ERROR_SHARING_VIOLATION,
       "deleting a file held without sharing: %d, error %lu\n", done, GetLastError());
    ok(CloseHandle(file), "CloseHandle: error %lu\n", GetLastError());

    const struct {
        const char* what;
        LPCWSTR path;
        DWORD disposition;
        bool opens;
        DWORD error;
    } cases[] = {
        {"CREATE_NEW of an existing file", a, CREATE_NEW, false, ERROR_FILE_EXISTS},
        {"OPEN_EXISTING of a missing file", b, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {"CREATE_ALWAYS in a missing folder", noFolder, CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND},
        {"OPEN_ALWAYS of an existing file", a, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {"CREATE_ALWAYS of an existing file", a, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
    };
    for (const auto& c : cases) {
        SetLastError(0xdeadbeef);
        HANDLE handle = Open(c.path, GENERIC_READ | GENERIC_WRITE, 0, c.disposition);
        DWORD error = GetLastError();
        ok((handle != INVALID_HANDLE_VALUE) == c.opens && error == c.error,
           "%s: opened %d, error %lu, expected %lu\n", c.what, handle != INVALID_HANDLE_VALUE,
           error, c.error);
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
    ok(SizeOf(a) == 0, "CREATE_ALWAYS left %lu bytes in an existing file\n", SizeOf(a));
    DeleteFileW(a);
}

CONFORMANCE_CASE(ReadsSeeksAndSizesInBytes) {
    WCHAR path[MAX_PATH];
    conformance::TempPath(path, MAX_PATH, "data.bin");
    ok(conformance::WriteFileBytes(path, "0123456789", 10), "writing data.bin: error %lu\n",
       GetLastError());
    HANDLE file = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ok(file != INVALID_HANDLE_VALUE, "opening data.bin: error %lu\n", GetLastError());
    DWORD high = 7;
    DWORD size = GetFileSize(file, &high);
    ok(size == 10 && high == 0, "GetFileSize: %lu, high part %lu\n", size, high);
    DWORD at = SetFilePointer(file, -3, nullptr, FILE_END);
    ok(at == 7, "SetFilePointer(-3, FILE_END): %lu\n", at);
    char buffer[8] = {};
    DWORD got = 0;
    BOOL done = ReadFile(file, buffer, 8, &got, nullptr);
    ok(done && got == 3 && std::memcmp(buffer, "789", 3) == 0,
       "ReadFile of 8 bytes 3 before the end: %d, got %lu\n", done, got);
    SetLastError(0);
    at = SetFilePointer(file, -1, nullptr, FILE_BEGIN);
    ok(at == INVALID_SET_FILE_POINTER && GetLastError() == ERROR_NEGATIVE_SEEK,
       "SetFilePointer(-1, FILE_BEGIN): %lu, error %lu\n", at, GetLastError());
    done = WriteFile(file, "x", 1, &got, nullptr);
    ok(!done && GetLastError() == ERROR_ACCESS_DENIED,
       "WriteFile on a handle opened for reading: %d, error %lu\n", done, GetLastError());
    ok(CloseHandle(file), "CloseHandle: error %lu\n", GetLastError());
    SetLastError(0);
    done = CloseHandle(file);
    ok(!done && GetLastError() == ERROR_INVALID_HANDLE,
       "CloseHandle of a closed handle: %d, error %lu\n", done, GetLastError());
    DeleteFileW(path);
}

CONFORMANCE_CASE(ReadOnlyFilesResistWritingAndDeletion) {
    WCHAR path[MAX_PATH];
    conformance::TempPath(path, MAX_PATH, "ro.txt");
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL); // a copy left by an earlier run
    ok(conformance::WriteFileBytes(path, "keep", 4), "writing ro.txt: error %lu\n", GetLastError());
    DWORD attributes = GetFileAttributesW(path);
    ok(attributes == FILE_ATTRIBUTE_ARCHIVE, "attributes of a new file: %#lx\n", attributes);
    BOOL done = SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    attributes = GetFileAttributesW(path);
    ok(done && (attributes == (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN) ||
                wine_differs(attributes == (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                            FILE_ATTRIBUTE_ARCHIVE),
                             "a file keeps the archive attribute through SetFileAttributesW")),
       "attributes made read-only and hidden: %#lx\n", attributes);
    done = DeleteFileW(path);
    ok(!done && GetLastError() == ERROR_ACCESS_DENIED, "deleting a read-only file: %d, error %lu\n",
       done, GetLastError());
    HANDLE file = Open(path, GENERIC_WRITE, 0, OPEN_EXISTING);
    ok((file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) ||
           wine_differs(file != INVALID_HANDLE_VALUE,
                        "run as root, a read-only file (a Unix permission) opens for writing"),
       "opening a read-only file for writing: error %lu\n", GetLastError());
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    done = SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    attributes = GetFileAttributesW(path);
    ok(done && (attributes == FILE_ATTRIBUTE_NORMAL ||
                wine_differs(attributes == FILE_ATTRIBUTE_ARCHIVE,
                             "a file made normal reports the archive attribute")),
       "attributes made normal: %#lx\n", attributes);
    ok(DeleteFileW(path), "deleting the file made normal: error %lu\n", GetLastError());
}

CONFORMANCE_CASE(ClipboardCallsNeedItOpen) {
    // Start from an empty clipboard nobody holds open.
    ok(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard(),
       "emptying the clipboard: error %lu\n", GetLastError());

    SetLastError(0);
    BOOL done = EmptyClipboard();
    ok(!done && GetLastError() == ERROR_CLIPBOARD_NOT_OPEN,
       "EmptyClipboard while closed: %d, error %lu\n", done, GetLastError());
    HGLOBAL memory = PackedDib(1);
    SetLastError(0);
    HANDLE set = SetClipboardData(CF_DIB, memory);
    ok(set == nullptr && GetLastError() == ERROR_CLIPBOARD_NOT_OPEN,
       "SetClipboardData while closed: %p, error %lu\n", set, GetLastError());
    ok(!IsClipboardFormatAvailable(CF_DIB), "data refused while closed is on the clipboard\n");
    SetLastError(0);
    HANDLE read = GetClipboardData(CF_DIB);
    ok(read == nullptr && GetLastError() == ERROR_CLIPBOARD_NOT_OPEN,
       "GetClipboardData while closed: %p, error %lu\n", read, GetLastError());
    SetLastError(0);
    done = CloseClipboard();
    ok(!done && GetLastError() == ERROR_CLIPBOARD_NOT_OPEN,
       "CloseClipboard while closed: %d, error %lu\n", done, GetLastError());
    GlobalFree(memory); // refused: still ours
}

// The frame grab's sequence: OpenClipboard(NULL), EmptyClipboard, SetClipboardData(CF_DIB).
CONFORMANCE_CASE(ClipboardHoldsDataUntilEmptied) {
    ok(OpenClipboard(nullptr), "OpenClipboard(NULL): error %lu\n", GetLastError());
    ok(OpenClipboard(nullptr), "OpenClipboard(NULL) again: error %lu\n", GetLastError());
    ok(EmptyClipboard(), "EmptyClipboard: error %lu\n", GetLastError());
    ok(GetClipboardOwner() == nullptr, "owner after emptying from no window: %p\n",
       static_cast<void*>(GetClipboardOwner()));
    HGLOBAL first = PackedDib(1);
    HANDLE set = SetClipboardData(CF_DIB, first);
    ok(set == first, "SetClipboardData(CF_DIB): got %p, gave %p\n", set, first);
    ok(BlueOf(GetClipboardData(CF_DIB)) == 1, "GetClipboardData(CF_DIB) of the data set\n");
    ok(GetClipboardData(CF_TEXT) == nullptr, "GetClipboardData(CF_TEXT) of a picture: %p\n",
       GetClipboardData(CF_TEXT));
    HGLOBAL second = PackedDib(2); // replaces the first, which the clipboard frees
    set = SetClipboardData(CF_DIB, second);
    ok(set == second, "SetClipboardData replacing CF_DIB: got %p, gave %p\n", set, second);
    ok(CloseClipboard(), "CloseClipboard: error %lu\n", GetLastError());

    // The data outlives the closing.
    ok(IsClipboardFormatAvailable(CF_DIB) && !IsClipboardFormatAvailable(CF_TEXT),
       "formats after closing: CF_DIB %d, CF_TEXT %d\n", IsClipboardFormatAvailable(CF_DIB),
       IsClipboardFormatAvailable(CF_TEXT));
    ok(OpenClipboard(nullptr), "OpenClipboard(NULL) to read: error %lu\n", GetLastError());
    int blue = BlueOf(GetClipboardData(CF_DIB));
    ok(blue == 2, "the picture read back: blue %d, expected the second's 2\n", blue);
    ok(EmptyClipboard() && CloseClipboard(), "emptying: error %lu\n", GetLastError());
    ok(!IsClipboardFormatAvailable(CF_DIB), "CF_DIB after emptying\n");
}

CONFORMANCE_CASE(OneWindowHoldsTheClipboardOpen) {
    HWND first = NewWindow(L"first");
    HWND other = NewWindow(L"other");
    ok(OpenClipboard(first), "OpenClipboard(first): error %lu\n", GetLastError());
    ok(OpenClipboard(first), "the window holding it opens it again: error %lu\n", GetLastError());
    BOOL done = OpenClipboard(other);
    ok(!done, "OpenClipboard of another window while held succeeded\n");
    ok(GetOpenClipboardWindow() == first, "GetOpenClipboardWindow: %p, expected %p\n",
       static_cast<void*>(GetOpenClipboardWindow()), static_cast<void*>(first));
    ok(EmptyClipboard() && GetClipboardOwner() == first, "owner after emptying: %p\n",
       static_cast<void*>(GetClipboardOwner()));
    ok(CloseClipboard(), "CloseClipboard: error %lu\n", GetLastError());
    ok(OpenClipboard(other) && EmptyClipboard() && CloseClipboard(),
       "the other window after closing: error %lu\n", GetLastError());
    DestroyWindow(first);
    DestroyWindow(other);
}

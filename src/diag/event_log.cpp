#include "diag/event_log.h"

#include "diag/format.h"
#include "diag/text.h"
#include "host/hostrt.h"

#include <cstdarg>

namespace {

bool IsSeparator(WCHAR unit) {
    return unit == L'\\' || unit == L'/';
}

// Splits a path into drive ("C:"), directory ("\Cinevane\"), name and extension (".txt"), each
// cut to its field's capacity.
void SplitPath(LPCWSTR path, LPWSTR drive, size_t driveCapacity, LPWSTR dir, size_t dirCapacity,
               LPWSTR name, size_t nameCapacity, LPWSTR ext, size_t extCapacity) {
    drive[0] = dir[0] = name[0] = ext[0] = 0;
    if (!path)
        return;
    if (path[0] && path[1] == L':') {
        WCHAR letters[3] = {path[0], L':', 0};
        TextCopy(drive, driveCapacity, letters);
        path += 2;
    }
    size_t length = TextLength(path);
    size_t nameStart = length;
    while (nameStart > 0 && !IsSeparator(path[nameStart - 1]))
        --nameStart;
    size_t extStart = length;
    for (size_t i = length; i > nameStart; --i)
        if (path[i - 1] == L'.') {
            extStart = i - 1;
            break;
        }
    auto copyRange = [](LPWSTR dest, size_t capacity, LPCWSTR from, size_t units) {
        size_t copied = units < capacity - 1 ? units : capacity - 1;
        for (size_t i = 0; i < copied; ++i)
            dest[i] = from[i];
        dest[copied] = 0;
    };
    copyRange(dir, dirCapacity, path, nameStart);
    copyRange(name, nameCapacity, path + nameStart, extStart - nameStart);
    copyRange(ext, extCapacity, path + extStart, length - extStart);
}

// `folder` + '\' (unless it already ends with one) + `child` into a MAX_PATH buffer; false when
// the result would not fit.
bool JoinChild(LPWSTR result, LPCWSTR folder, LPCWSTR child) {
    size_t folderLength = TextLength(folder);
    bool needsSeparator = folderLength > 0 && !IsSeparator(folder[folderLength - 1]);
    size_t total = folderLength + (needsSeparator ? 1 : 0) + TextLength(child);
    if (total >= MAX_PATH)
        return false;
    TextCopy(result, MAX_PATH, folder);
    if (needsSeparator)
        TextAppend(result, MAX_PATH, L"\\");
    TextAppend(result, MAX_PATH, child);
    return true;
}

// `path` without the separators it ends with (a drive's root keeps its own), into a MAX_PATH
// buffer; false when it does not fit.
bool WithoutClosingSeparators(LPWSTR result, LPCWSTR path) {
    size_t length = TextLength(path);
    while (length > 1 && IsSeparator(path[length - 1]) && !(length == 3 && path[1] == L':'))
        --length;
    if (length >= MAX_PATH)
        return false;
    for (size_t i = 0; i < length; ++i)
        result[i] = path[i];
    result[length] = 0;
    return true;
}

// True when the folder is a link (a junction or a symbolic link): the folder itself is asked,
// not the one it points at.
bool IsLinkedFolder(LPCWSTR folder) {
    WCHAR path[MAX_PATH];
    if (!WithoutClosingSeparators(path, folder))
        return false;
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace

EventLog::EventLog(LPCWSTR path, bool keepExisting, bool fileLogging, bool consoleLogging)
    : fileHandle(nullptr), consoleHandle(nullptr), fileLogging(fileLogging),
      consoleLogging(consoleLogging), deleteOnClose(false),
      logPath(path), logDirectory{}, pathDrive{}, pathDir{}, pathName{}, pathExt{} {
    SplitPath(logPath, pathDrive, 3, pathDir, 256, pathName, 256, pathExt, 256);
    TextCopy(logDirectory, 261, pathDrive);
    TextAppend(logDirectory, 261, pathDir);

    if (consoleLogging)
        OpenConsole(80, 25);

    // An existing log is kept as it is: new lines are appended to it.
    if (keepExisting && HostFileExists(logPath))
        return;

    if (!DirectoryExists(logDirectory))
        CreateDirectoryW(logDirectory, nullptr); // one level; a failure shows at the first line
    fileHandle = CreateFileW(logPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseFile();
}

EventLog::~EventLog() {
    CloseFile();
}

void EventLog::SetFileLogging(bool on) {
    fileLogging = on;
}
void EventLog::SetConsoleLogging(bool on) {
    consoleLogging = on;
}
void EventLog::SetDeleteOnClose(bool on) {
    deleteOnClose = on;
}

BOOL EventLog::OpenConsole(int columns, int rows) {
    AllocConsole(); // a console already there is used as it is
    SetConsoleTitleW(L"Debug Quillnet Window");
    consoleHandle = GetStdHandle(STD_OUTPUT_HANDLE);
    COORD size = {static_cast<SHORT>(columns), static_cast<SHORT>(rows)};
    return SetConsoleScreenBufferSize(consoleHandle, size);
}

void EventLog::WriteLine(LPCWSTR message) {
    if (!Enabled())
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    WCHAR line[kLogLineLimit + 1];
    size_t length = FormatTextArgs(line, kLogLineLimit + 1,
                                   L"(%02d/%02d/%d %02d:%02d:%02d): %s\r\n", now.wMonth, now.wDay,
                                   now.wYear, now.wHour, now.wMinute, now.wSecond, message);
    // A longer line keeps its first kLogLineLimit characters and loses its CR LF: the next line
    // then follows on the same text line of the file.
    if (length > kLogLineLimit)
        length = kLogLineLimit;

    if (consoleLogging) {
        if (!consoleHandle) {
            OpenConsole(80, 25); // this line goes to the file only
        } else {
            DWORD written = 0;
            WriteConsoleW(consoleHandle, line, static_cast<DWORD>(length), &written, nullptr);
        }
    }

    if (fileLogging) {
        OpenForAppend();
        if (fileHandle == INVALID_HANDLE_VALUE)
            return; // the file could not be opened: no retry until the log is closed
        SetFilePointer(fileHandle, 0, nullptr, FILE_END);
        DWORD written = 0;
        if (WriteFile(fileHandle, line, static_cast<DWORD>(length * sizeof(WCHAR)), &written,
                      nullptr))
            CloseFile();
        // After a failed write the handle stays open and the next line writes through it.
    }
}

void EventLog::CloseLog() {
    CloseFile();
    fileHandle = nullptr;
    consoleHandle = nullptr; // the console itself stays until the process ends
    if (deleteOnClose) {
        TextCopy(logDirectory, 261, pathDrive);
        TextAppend(logDirectory, 261, pathDir);
        // A log folder that is a link loses only the module's own file and the link itself;
        // DeleteTree never enters what a link points at.
        if (IsLinkedFolder(logDirectory))
            DeleteFileW(logPath);
        DeleteTree(logDirectory);
    }
}

void EventLog::OpenForAppend() {
    if (fileHandle)
        return;
    fileHandle = CreateFileW(logPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
}

BOOL EventLog::CloseFile() {
    if (!fileHandle)
        return 0;
    HANDLE closing = fileHandle;
    fileHandle = nullptr;
    if (closing == INVALID_HANDLE_VALUE)
        return 0; // a failed open holds nothing to close
    return CloseHandle(closing);
}

bool EventLog::DirectoryExists(LPCWSTR path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

DWORD EventLog::DeleteTree(LPCWSTR directory) {
    // An empty path would name the current drive's root: refuse it.
    if (!directory || !directory[0])
        return ERROR_INVALID_PARAMETER;
    // A folder that is a link is removed as a link: the files of the folder it points at (say
    // the user's documents) are never touched.
    if (IsLinkedFolder(directory)) {
        WCHAR link[MAX_PATH];
        WithoutClosingSeparators(link, directory);
        return RemoveDirectoryW(link) ? 0 : GetLastError();
    }
    WCHAR pattern[MAX_PATH];
    if (!JoinChild(pattern, directory, L"*.*"))
        return ERROR_FILENAME_EXCED_RANGE;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(pattern, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0; // nothing to enumerate (e.g. the folder is gone): nothing removed
    do {
        if (entry.cFileName[0] == L'.')
            continue; // ".", ".." and every other name starting with a full stop stay
        WCHAR child[MAX_PATH];
        if (!JoinChild(child, directory, entry.cFileName)) {
            FindClose(search);
            return ERROR_FILENAME_EXCED_RANGE;
        }
        // A link (junction or symbolic link) is removed as a link: the folder it points at is
        // never entered and the file it points at keeps its attributes.
        const bool link = (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A subfolder left behind shows when this folder is removed.
            if (link)
                RemoveDirectoryW(child);
            else
                DeleteTree(child);
            continue;
        }
        if ((!link && !SetFileAttributesW(child, FILE_ATTRIBUTE_NORMAL)) || !DeleteFileW(child)) {
            DWORD error = GetLastError();
            FindClose(search);
            return error;
        }
    } while (FindNextFileW(search, &entry));
    DWORD ended = GetLastError();
    FindClose(search);
    if (ended != ERROR_NO_MORE_FILES)
        return ended;
    if (!SetFileAttributesW(directory, FILE_ATTRIBUTE_NORMAL) || !RemoveDirectoryW(directory))
        return GetLastError();
    return 0;
}

void EventLog::WriteFormatted(LPCWSTR format, va_list args) {
    WCHAR message[kLogMessageLimit + 1] = {};
    FormatText(message, kLogMessageLimit + 1, format, args);
    WriteLine(message);
}

// The module-wide event log: time-stamped UTF-16LE lines to C:\Cinevane\EventLog.txt and,
// on request, to a debug console. Every part of the module logs through LogEvent unconditionally;
// the switches alone decide where a line goes.
#pragma once

#include <windows.h>

class EventLog {
public:
    EventLog(LPCWSTR path, bool keepExisting, bool fileLogging, bool consoleLogging);

    void SetFileLogging(bool on);
    void SetConsoleLogging(bool on);
    void SetDeleteOnClose(bool on);

    BOOL OpenConsole(int columns, int rows);
    void CloseLog();
    static DWORD DeleteTree(LPCWSTR directory);

    // Writes one already formatted message (the line prefix is added here).
    void WriteLine(LPCWSTR message);
    bool Enabled() const { return fileLogging || consoleLogging; }

    // Read-only views for diagnostics and tests.
    HANDLE FileHandle() const { return fileHandle; }
    HANDLE ConsoleHandle() const { return consoleHandle; }
    bool FileLogging() const { return fileLogging; }
    bool ConsoleLogging() const { return consoleLogging; }
    bool DeleteOnClose() const { return deleteOnClose; }
    LPCWSTR LogDirectory() const { return logDirectory; }

private:
    void OpenForAppend();
    BOOL CloseFile();
    static bool DirectoryExists(LPCWSTR path);

    HANDLE fileHandle;
    HANDLE consoleHandle;
    bool fileLogging;
    bool consoleLogging;
    bool deleteOnClose;
    LPCWSTR logPath;
    WCHAR logDirectory[261];
    WCHAR pathDrive[3];
    WCHAR pathDir[256];
    WCHAR pathName[256];
    WCHAR pathExt[256];
};

// The module's one log, owned by the module state from Initialize to Free; null when none.
EventLog* ModuleLog();
void SetModuleLog(EventLog* log);

// Writes a line when `log` is non-null and a switch is on; costs a call and a branch otherwise.
void LogEvent(EventLog* log, LPCWSTR format, ...);

// The module's message box (caption "Cinevane Object", OK button, no owner).
int ShowModuleMessage(LPCWSTR format, ...);

// Bounded wide formatting with the contract of StringCchPrintfW.
HRESULT FormatBounded(LPWSTR buffer, size_t capacity, LPCWSTR format, ...);

// The module-wide event log: time-stamped UTF-16LE lines to C:\Cinevane\EventLog.txt and,
// on request, to a debug console. Every part of the module logs through LogEvent unconditionally;
// the switches alone decide where a line goes.
#pragma once

#include <windows.h>

#include <cstdarg>

// The path the module logs to; constant for the module's lifetime (the log keeps a pointer).
inline constexpr WCHAR kModuleLogPath[] = L"C:\\Cinevane\\EventLog.txt";

class EventLog {
  public:
    // `path` is not copied: it must outlive the log.
    EventLog(LPCWSTR path, bool keepExisting, bool fileLogging, bool consoleLogging);
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    void SetFileLogging(bool on);
    void SetConsoleLogging(bool on);
    void SetDeleteOnClose(bool on);

    BOOL OpenConsole(int columns, int rows);
    void CloseLog();
    static DWORD DeleteTree(LPCWSTR directory);

    // Writes one already formatted message (the line prefix is added here). A line longer than
    // kLogLineLimit characters (prefix, message, CR LF) is cut after that many and so lacks its
    // CR LF.
    void WriteLine(LPCWSTR message);
    // Formats a message (cut after kLogMessageLimit characters) and writes it with WriteLine.
    void WriteFormatted(LPCWSTR format, va_list args);
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

// A message is cut after this many characters, and so is a whole line (prefix, message, CR LF).
constexpr size_t kLogMessageLimit = 1024;
constexpr size_t kLogLineLimit = 1024;

// The module's one log, owned by the module state from Initialize to Free; null when none.
// Read inline: every step of the module passes it to LogEvent.
extern EventLog* moduleLogInstance;
inline EventLog* ModuleLog() {
    return moduleLogInstance;
}
// Creates the module's log when there is none: (kModuleLogPath, keep existing, file logging on,
// console off). A failed allocation leaves the module without a log.
void OpenModuleLog();
// Closes the module's log (CloseLog: deletes the folder when "Delete Log" is on), destroys it and
// forgets it.
void CloseModuleLog();

// Writes a line when `log` is non-null and a switch is on; costs a call and a branch otherwise.
void LogEvent(EventLog* log, LPCWSTR format, ...);

// The module's message box (caption "Cinevane Object", OK button, no owner).
int ShowModuleMessage(LPCWSTR format, ...);

// Bounded wide formatting with the contract of StringCchPrintfW: E_INVALIDARG (nothing written)
// for a capacity of 0 or above 0x7FFFFFFF or a null buffer; STRSAFE_E_INSUFFICIENT_BUFFER with the
// cut, terminated text when it does not fit; S_OK otherwise.
HRESULT FormatBounded(LPWSTR buffer, size_t capacity, LPCWSTR format, ...);

// Reading the module's event log in tests, and starting each test with a fresh one.
#pragma once

#include <string>
#include <vector>

// Resets the platform stand-in, empties the sandbox, forgets the host run-time bindings and gives
// the module a new log as Initialize does (file logging on, console off), replacing any earlier
// one.
void StartFreshModuleLog();
// Closes and deletes the module's log (if any), leaving the module without one.
void EndModuleLog();

// Lines of C:\Cinevane\EventLog.txt so far, each without its "(MM/DD/YYYY hh:mm:ss): " prefix
// and CR LF. A last line without CR LF is returned too.
std::vector<std::string> LogLines();
// The same lines with their prefix.
std::vector<std::string> LogLinesWithPrefix();
// The log file's bytes (UTF-16LE), or "" when it does not exist.
std::string LogFileBytes();
// Empties the log file, so that LogLines() shows only what is written afterwards.
void ClearLogLines();

// Small checks for the Windows test programs run under Wine: each CHECK counts a pass or prints
// the failure with its line; WineCheckSummary prints "N passed, N failed" and gives the exit code.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace winecheck {

inline int passed = 0;
inline int failed = 0;

inline void Record(bool ok, const char* file, int line, const std::string& what) {
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAILED %s:%d: %s\n", file, line, what.c_str());
    std::fflush(stdout);
}

// UTF-8 copy of a wide text, for messages and comparisons.
inline std::string Narrow(LPCWSTR text) {
    if (!text)
        return "(null)";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], bytes, nullptr, nullptr);
    return out;
}

inline std::string Show(long long value) {
    return std::to_string(value);
}
inline std::string Show(unsigned long long value) {
    return std::to_string(value);
}
inline std::string Show(long value) {
    return std::to_string(value);
}
inline std::string Show(unsigned long value) {
    return std::to_string(value);
}
inline std::string Show(int value) {
    return std::to_string(value);
}
inline std::string Show(unsigned value) {
    return std::to_string(value);
}
inline std::string Show(const std::string& value) {
    return "\"" + value + "\"";
}
inline std::string Show(const char* value) {
    return Show(std::string(value ? value : "(null)"));
}
inline std::string Show(const void* value) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", value);
    return text;
}

} // namespace winecheck

#define CHECK(condition) winecheck::Record((condition), __FILE__, __LINE__, #condition)

#define CHECK_EQ(actual, expected)                                                                 \
    do {                                                                                           \
        auto actualValue = (actual);                                                               \
        auto expectedValue = (expected);                                                           \
        winecheck::Record(actualValue == expectedValue, __FILE__, __LINE__,                        \
                          std::string(#actual) + " is " + winecheck::Show(actualValue) +           \
                              ", expected " + winecheck::Show(expectedValue));                     \
    } while (0)

// Compares a wide text with a UTF-8 expectation.
#define CHECK_TEXT(actual, expected) CHECK_EQ(winecheck::Narrow(actual), std::string(expected))

inline int WineCheckSummary() {
    std::printf("%d passed, %d failed\n", winecheck::passed, winecheck::failed);
    std::fflush(stdout);
    return winecheck::failed == 0 && winecheck::passed > 0 ? 0 : 1;
}

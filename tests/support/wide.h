// Wide-text conversions for tests: compare module text through UTF-8 std::string or u16string.
#pragma once

#include <windows.h>

#include <string>

std::string Utf8(LPCWSTR text);
std::string Utf8(LPCWSTR text, size_t units);
std::u16string U16(LPCWSTR text);
std::u16string U16FromUtf8(const std::string& text);

// Text for the stand-in host program: it keeps its own texts in UTF-8 and hands the module
// UTF-16 (WCHAR is 16-bit on both builds; the standard library's wide strings are not, so none is
// used here).
#pragma once

#include <windows.h>

#include <string>

namespace hoststandin {

// UTF-16 copy of a UTF-8 text; invalid bytes become U+FFFD.
std::u16string WideFromUtf8(const std::string& text);
// UTF-8 copy of a NUL-terminated UTF-16 text, reading at most `limit` units; null gives "".
std::string Utf8FromWide(LPCWSTR text, size_t limit = 0x10000);

inline LPCWSTR AsWide(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

} // namespace hoststandin

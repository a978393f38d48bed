// Conversions through the C library's iconv, independent of the module's and the stand-ins' own
// text code. A unit or byte iconv refuses (a lone surrogate, a malformed sequence) becomes U+FFFD.
#include "support/wide.h"

#include <iconv.h>

namespace {

std::string Convert(const char* to, const char* from, const char* data, size_t size,
                    size_t unitBytes, const std::string& replacement) {
    std::string out;
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return out;
    char* in = const_cast<char*>(data);
    char buffer[256];
    while (size > 0) {
        char* next = buffer;
        size_t room = sizeof buffer;
        size_t done = iconv(converter, &in, &size, &next, &room);
        out.append(buffer, next);
        if (done == static_cast<size_t>(-1) && next == buffer && size > 0) {
            out += replacement; // nothing converted: skip the unit it refuses
            size_t skip = size < unitBytes ? size : unitBytes;
            in += skip;
            size -= skip;
        }
    }
    iconv_close(converter);
    return out;
}

} // namespace

std::u16string U16(LPCWSTR text) {
    std::u16string result;
    if (text)
        for (; *text; ++text)
            result.push_back(static_cast<char16_t>(*text));
    return result;
}

std::string Utf8(LPCWSTR text, size_t units) {
    if (!text)
        return std::string();
    std::string bytes;
    for (size_t i = 0; i < units; ++i) {
        bytes.push_back(static_cast<char>(text[i] & 0xFF));
        bytes.push_back(static_cast<char>((text[i] >> 8) & 0xFF));
    }
    return Convert("UTF-8", "UTF-16LE", bytes.data(), bytes.size(), 2, "\xEF\xBF\xBD");
}

std::string Utf8(LPCWSTR text) {
    size_t units = 0;
    if (text)
        while (text[units])
            ++units;
    return Utf8(text, units);
}

std::u16string U16FromUtf8(const std::string& text) {
    std::string bytes =
        Convert("UTF-16LE", "UTF-8", text.data(), text.size(), 1, std::string("\xFD\xFF", 2));
    std::u16string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8));
    return out;
}

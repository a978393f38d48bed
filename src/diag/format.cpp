#include "diag/format.h"

#include "diag/text.h"

#include <cmath>

namespace {

// Collects output units, counting every one but storing only what fits.
struct Sink {
    LPWSTR buffer;
    size_t capacity;
    size_t length = 0;

    void Put(WCHAR unit) {
        if (buffer && length + 1 < capacity)
            buffer[length] = unit;
        ++length;
    }
    void Repeat(WCHAR unit, int count) {
        for (int i = 0; i < count; ++i)
            Put(unit);
    }
};

struct FieldFormat {
    bool left = false;
    bool zero = false;
    bool plus = false;
    bool space = false;
    int width = 0;
    int precision = -1;
};

void EmitPadded(Sink& sink, const FieldFormat& field, const WCHAR* body, int bodyLength,
                const WCHAR* sign, int signLength, bool allowZeroPad) {
    int padding = field.width - bodyLength - signLength;
    if (padding < 0)
        padding = 0;
    bool zeroPad = field.zero && !field.left && allowZeroPad;
    if (!field.left && !zeroPad)
        sink.Repeat(L' ', padding);
    for (int i = 0; i < signLength; ++i)
        sink.Put(sign[i]);
    if (zeroPad)
        sink.Repeat(L'0', padding);
    for (int i = 0; i < bodyLength; ++i)
        sink.Put(body[i]);
    if (field.left)
        sink.Repeat(L' ', padding);
}

void EmitInteger(Sink& sink, const FieldFormat& field, unsigned long long magnitude, bool negative,
                 unsigned base, bool upper) {
    WCHAR digits[72];
    int count = 0;
    const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[count++] = static_cast<WCHAR>(alphabet[magnitude % base]);
        magnitude /= base;
    } while (magnitude && count < 64);
    if (field.precision == 0 && count == 1 && digits[0] == L'0')
        count = 0;
    while (count < field.precision && count < 64)
        digits[count++] = L'0';
    WCHAR body[72];
    for (int i = 0; i < count; ++i)
        body[i] = digits[count - 1 - i];
    WCHAR sign[1];
    int signLength = 0;
    if (negative)
        sign[signLength++] = L'-';
    else if (field.plus)
        sign[signLength++] = L'+';
    else if (field.space)
        sign[signLength++] = L' ';
    EmitPadded(sink, field, body, count, sign, signLength, field.precision < 0);
}

void EmitFixed(Sink& sink, const FieldFormat& field, double value) {
    bool negative = value < 0;
    if (negative)
        value = -value;
    int precision = field.precision < 0 ? 6 : (field.precision > 17 ? 17 : field.precision);
    WCHAR body[400];
    int count = 0;
    if (!(value == value) || value > 1e300) { // NaN or huge: keep it short and safe
        const char* text = (value == value) ? "inf" : "nan";
        while (*text)
            body[count++] = static_cast<WCHAR>(*text++);
        EmitPadded(sink, field, body, count, negative ? L"-" : L"", negative ? 1 : 0, false);
        return;
    }
    double scale = 1;
    for (int i = 0; i < precision; ++i)
        scale *= 10;
    double scaled = value * scale + 0.5;
    // Integer and fraction parts from the rounded value, digit by digit.
    double integerPart = 0;
    double fraction = 0;
    if (scaled < 1.8e19) {
        unsigned long long whole = static_cast<unsigned long long>(scaled);
        unsigned long long unit = static_cast<unsigned long long>(scale);
        integerPart = static_cast<double>(whole / unit);
        fraction = static_cast<double>(whole % unit);
    } else {
        integerPart = std::floor(value);
    }
    WCHAR reversed[360];
    int digits = 0;
    do {
        double next = std::floor(integerPart / 10);
        int digit = static_cast<int>(std::fmod(integerPart, 10));
        reversed[digits++] = static_cast<WCHAR>(L'0' + (digit < 0 || digit > 9 ? 0 : digit));
        integerPart = next;
    } while (integerPart >= 1 && digits < 350);
    for (int i = digits - 1; i >= 0; --i)
        body[count++] = reversed[i];
    if (precision > 0) {
        body[count++] = L'.';
        unsigned long long frac = static_cast<unsigned long long>(fraction);
        WCHAR fracDigits[20];
        for (int i = precision - 1; i >= 0; --i) {
            fracDigits[i] = static_cast<WCHAR>(L'0' + frac % 10);
            frac /= 10;
        }
        for (int i = 0; i < precision; ++i)
            body[count++] = fracDigits[i];
    }
    WCHAR sign[1];
    int signLength = 0;
    if (negative)
        sign[signLength++] = L'-';
    else if (field.plus)
        sign[signLength++] = L'+';
    EmitPadded(sink, field, body, count, sign, signLength, true);
}

} // namespace

size_t FormatText(LPWSTR buffer, size_t capacity, LPCWSTR format, va_list args) {
    Sink sink{buffer, capacity};
    if (!format)
        format = L"";
    for (LPCWSTR p = format; *p; ++p) {
        if (*p != L'%') {
            sink.Put(*p);
            continue;
        }
        ++p;
        FieldFormat field;
        for (;; ++p) {
            if (*p == L'-')
                field.left = true;
            else if (*p == L'0')
                field.zero = true;
            else if (*p == L'+')
                field.plus = true;
            else if (*p == L' ')
                field.space = true;
            else if (*p == L'#')
                continue;
            else
                break;
        }
        if (*p == L'*') {
            field.width = va_arg(args, int);
            if (field.width < 0) {
                field.left = true;
                field.width = -field.width;
            }
            ++p;
        } else {
            while (*p >= L'0' && *p <= L'9')
                field.width = field.width * 10 + (*p++ - L'0');
        }
        if (*p == L'.') {
            ++p;
            field.precision = 0;
            if (*p == L'*') {
                field.precision = va_arg(args, int);
                ++p;
            } else {
                while (*p >= L'0' && *p <= L'9')
                    field.precision = field.precision * 10 + (*p++ - L'0');
            }
        }
        if (field.width > 4096)
            field.width = 4096;
        bool wide64 = false;
        if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
            wide64 = true;
            p += 3;
        } else if (p[0] == L'l' && p[1] == L'l') {
            wide64 = true;
            p += 2;
        } else if (*p == L'l' || *p == L'h' || *p == L'w') {
            ++p;
        }
        WCHAR conversion = *p;
        if (!conversion)
            break;
        switch (conversion) {
        case L'd':
        case L'i': {
            long long value = wide64 ? va_arg(args, long long) : va_arg(args, int);
            bool negative = value < 0;
            unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                    : static_cast<unsigned long long>(value);
            EmitInteger(sink, field, magnitude, negative, 10, false);
            break;
        }
        case L'u':
        case L'x':
        case L'X': {
            unsigned long long value =
                wide64 ? va_arg(args, unsigned long long) : va_arg(args, unsigned int);
            EmitInteger(sink, field, value, false, conversion == L'u' ? 10 : 16,
                        conversion == L'X');
            break;
        }
        case L'p': {
            FieldFormat pointerField;
            pointerField.zero = true;
            pointerField.width = 8;
            EmitInteger(sink, pointerField, reinterpret_cast<uintptr_t>(va_arg(args, void*)), false,
                        16, true);
            break;
        }
        case L'f':
        case L'g':
        case L'e':
            EmitFixed(sink, field, va_arg(args, double));
            break;
        case L'c': {
            WCHAR unit = static_cast<WCHAR>(va_arg(args, int));
            EmitPadded(sink, field, &unit, 1, L"", 0, false);
            break;
        }
        case L's': {
            LPCWSTR text = va_arg(args, LPCWSTR);
            if (!text)
                text = L"(null)";
            size_t length =
                field.precision >= 0 ? TextLengthBounded(text, field.precision) : TextLength(text);
            EmitPadded(sink, field, text, static_cast<int>(length), L"", 0, false);
            break;
        }
        case L'%':
            sink.Put(L'%');
            break;
        default: // unknown conversion: shown as written
            sink.Put(L'%');
            sink.Put(conversion);
            break;
        }
    }
    if (buffer && capacity > 0)
        buffer[sink.length < capacity ? sink.length : capacity - 1] = 0;
    return sink.length;
}

size_t FormatTextArgs(LPWSTR buffer, size_t capacity, LPCWSTR format, ...) {
    va_list args;
    va_start(args, format);
    size_t length = FormatText(buffer, capacity, format, args);
    va_end(args);
    return length;
}

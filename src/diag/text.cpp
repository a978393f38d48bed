#include "diag/text.h"

size_t TextLength(LPCWSTR text) {
    size_t length = 0;
    if (text)
        while (text[length])
            ++length;
    return length;
}

size_t TextLengthBounded(LPCWSTR text, size_t limit) {
    size_t length = 0;
    if (text)
        while (length < limit && text[length])
            ++length;
    return length;
}

size_t TextCopy(LPWSTR dest, size_t capacity, LPCWSTR source) {
    if (!dest || capacity == 0)
        return 0;
    size_t copied = 0;
    if (source)
        while (copied + 1 < capacity && source[copied]) {
            dest[copied] = source[copied];
            ++copied;
        }
    dest[copied] = 0;
    return copied;
}

size_t TextAppend(LPWSTR dest, size_t capacity, LPCWSTR source) {
    size_t used = TextLengthBounded(dest, capacity);
    if (used >= capacity)
        return 0;
    return TextCopy(dest + used, capacity - used, source);
}

int TextCompare(LPCWSTR a, LPCWSTR b) {
    if (!a)
        a = L"";
    if (!b)
        b = L"";
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return static_cast<int>(static_cast<unsigned short>(*a)) -
           static_cast<int>(static_cast<unsigned short>(*b));
}

static unsigned short FoldAscii(WCHAR unit) {
    unsigned short value = static_cast<unsigned short>(unit);
    return (value >= 'A' && value <= 'Z') ? static_cast<unsigned short>(value + 32) : value;
}

int TextCompareNoCase(LPCWSTR a, LPCWSTR b) {
    if (!a)
        a = L"";
    if (!b)
        b = L"";
    while (*a && FoldAscii(*a) == FoldAscii(*b)) {
        ++a;
        ++b;
    }
    return static_cast<int>(FoldAscii(*a)) - static_cast<int>(FoldAscii(*b));
}

LPCWSTR TextFindLast(LPCWSTR text, WCHAR unit) {
    LPCWSTR found = nullptr;
    if (text)
        for (; *text; ++text)
            if (*text == unit)
                found = text;
    return found;
}

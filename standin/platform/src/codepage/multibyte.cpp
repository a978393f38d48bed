// MultiByteToWideChar. Byte-for-byte behaviour follows Windows as Wine shows it: 1252's five
// unassigned bytes map to the C1 controls of the same value, 20127 clears the eighth bit, and
// malformed UTF-8 becomes U+FFFD per rejected lead byte plus the continuation bytes it had
// taken so far.
#include <windows.h>

namespace {

// 0x80-0x9F of code page 1252; 0xA0-0xFF equal their Latin-1 code points.
const WORD kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr WCHAR kReplacement = 0xFFFD;

// Collects output units; counts them all, stores those that fit.
class Output {
  public:
    Output(LPWSTR buffer, int capacity) : buffer(buffer), capacity(capacity) {}
    void Put(WCHAR unit) {
        if (capacity > 0 && count < capacity)
            buffer[count] = unit;
        ++count;
    }
    int Count() const { return count; }
    bool Overflowed() const { return capacity > 0 && count > capacity; }

  private:
    LPWSTR buffer;
    int capacity; // 0: only count
    int count = 0;
};

void DecodeSingleByte(UINT codePage, const BYTE* bytes, int length, Output& out) {
    for (int i = 0; i < length; ++i) {
        BYTE b = bytes[i];
        if (b < 0x80)
            out.Put(b);
        else if (codePage == 20127)
            out.Put(static_cast<WCHAR>(b & 0x7F));
        else if (b < 0xA0)
            out.Put(kWindows1252High[b - 0x80]);
        else
            out.Put(b);
    }
}

bool IsContinuation(BYTE b) {
    return (b & 0xC0) == 0x80;
}

// Returns false when a malformed sequence was replaced.
bool DecodeUtf8(const BYTE* bytes, int length, Output& out) {
    bool clean = true;
    int i = 0;
    while (i < length) {
        BYTE lead = bytes[i];
        if (lead < 0x80) {
            out.Put(lead);
            ++i;
            continue;
        }
        int trail = lead >= 0xC2 && lead <= 0xDF   ? 1
                    : lead >= 0xE0 && lead <= 0xEF ? 2
                    : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                   : 0;
        if (trail == 0) {
            out.Put(kReplacement);
            clean = false;
            ++i;
            continue;
        }
        // The second byte's range excludes overlong forms, surrogates and points past U+10FFFF.
        BYTE low = 0x80, high = 0xBF;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
        else if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
        DWORD point = lead & (0x3F >> trail);
        int taken = 1;
        bool complete = true;
        while (taken <= trail) {
            if (i + taken >= length || !IsContinuation(bytes[i + taken])) {
                complete = false;
                break;
            }
            BYTE next = bytes[i + taken];
            ++taken;
            if (taken == 2 && (next < low || next > high)) {
                complete = false; // taken with the lead into one replacement
                break;
            }
            point = (point << 6) | (next & 0x3F);
        }
        i += taken;
        if (!complete) {
            out.Put(kReplacement);
            clean = false;
        } else if (point >= 0x10000) {
            point -= 0x10000;
            out.Put(static_cast<WCHAR>(0xD800 + (point >> 10)));
            out.Put(static_cast<WCHAR>(0xDC00 + (point & 0x3FF)));
        } else {
            out.Put(static_cast<WCHAR>(point));
        }
    }
    return clean;
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

} // namespace

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes,
                               LPWSTR output, int outputUnits) {
    if (codePage == CP_ACP || codePage == CP_THREAD_ACP)
        codePage = 1252;
    if (codePage != 1252 && codePage != 20127 && codePage != CP_UTF8)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!source || sourceBytes == 0 || outputUnits < 0 || (outputUnits > 0 && !output))
        return Fail(ERROR_INVALID_PARAMETER);
    const DWORD known = MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS;
    if ((flags & ~known) || (codePage == CP_UTF8 && (flags & ~MB_ERR_INVALID_CHARS)))
        return Fail(ERROR_INVALID_FLAGS);

    const BYTE* bytes = reinterpret_cast<const BYTE*>(source);
    int length = sourceBytes;
    if (length < 0) {
        length = 0;
        while (bytes[length])
            ++length;
        ++length; // the terminator is converted too
    }
    Output out(output, outputUnits);
    bool clean = true;
    if (codePage == CP_UTF8)
        clean = DecodeUtf8(bytes, length, out);
    else
        DecodeSingleByte(codePage, bytes, length, out);
    if (!clean && (flags & MB_ERR_INVALID_CHARS))
        return Fail(ERROR_NO_UNICODE_TRANSLATION);
    if (out.Overflowed())
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    return out.Count();
}

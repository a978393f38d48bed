// Small helpers shared by the condition, expression and action routines.
#pragma once

#include <windows.h>

#include <cstring>

#include "host/run_object.h"

// The decoders the player's CodecKind reports.
enum DecoderKind : int {
    CodecIndeo5 = 1,
    CodecDivx = 2,
    CodecIndeo4 = 3,
};

// Most routines act only on an object whose host window exists.
inline bool HasWindow(const RunObject* object) {
    return object && object->hostWindow;
}

// A guard that fails: the last-error code the routine leaves, then its failure value.
inline long FailGuard(RunObject* object, SHORT code, long failureValue) {
    if (object)
        object->lastError = code;
    return failureValue;
}

// The 16-bit truncation of the size and position actions: low 16 bits, sign-extended.
inline LONG LowWordSigned(long value) {
    return static_cast<SHORT>(value & 0xFFFF);
}

// Expression results of the float and text kinds: the bit is ORed into the object's flags.
inline long FloatResult(RunObject* object, float value) {
    object->resultTypeFlags |= ResultIsFloat;
    long bits = 0;
    static_assert(sizeof bits == sizeof value, "a float travels in 32 bits");
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline long TextResult(RunObject* object, LPCWSTR text) {
    object->resultTypeFlags |= ResultIsText;
    return static_cast<long>(reinterpret_cast<LONG_PTR>(text));
}

inline float FloatFromBits(DWORD bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

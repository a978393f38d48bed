// Double-to-integer truncation toward zero without undefined behaviour: a value that does not
// fit (or is not a number) gives the lowest value of the type, as the x86 conversion instruction
// does, instead of whatever a compiler makes of an out-of-range cast.
#pragma once

#include <windows.h>

inline LONG TruncateToLong(double value) {
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return (LONG)(-2147483647L - 1);
    return (LONG)value;
}

inline LONGLONG TruncateToLongLong(double value) {
    if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0))
        return (LONGLONG)(-9223372036854775807LL - 1);
    return (LONGLONG)value;
}

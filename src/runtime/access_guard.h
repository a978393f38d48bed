// One guarded platform call: an access violation raised inside the call is caught and reported
// to the caller instead of ending the host's process. Any other fault passes through untouched.
#pragma once

#include <windows.h>

constexpr DWORD kAccessViolationCode = 0xC0000005;

typedef void (*GuardedCall)(void* context);

// Runs call(context). Returns true when it completed; false when it raised an access violation,
// whose exception code is then stored in *faultCode. Not reentrant: one guard at a time.
bool CallGuardedAgainstAccessViolation(GuardedCall call, void* context, DWORD* faultCode);

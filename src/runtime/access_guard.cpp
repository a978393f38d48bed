#include "runtime/access_guard.h"

#ifdef _MSC_VER

bool CallGuardedAgainstAccessViolation(GuardedCall call, void* context, DWORD* faultCode) {
    __try {
        call(context);
        return true;
    } __except (GetExceptionCode() == kAccessViolationCode ? EXCEPTION_EXECUTE_HANDLER
                                                           : EXCEPTION_CONTINUE_SEARCH) {
        *faultCode = kAccessViolationCode;
        return false;
    }
}

#else

#include <csetjmp>

// mingw has no __try: a vectored handler, armed only around the call, jumps back to a point
// taken just before it. The stand-in platform raises its injected faults through the same
// vectored handlers, so this very code is what the native tests exercise.
namespace {

std::jmp_buf guardPoint;
volatile bool guardArmed = false;
volatile DWORD caughtCode = 0;

LONG WINAPI CatchAccessViolation(EXCEPTION_POINTERS* info) {
    if (!guardArmed || !info || !info->ExceptionRecord ||
        info->ExceptionRecord->ExceptionCode != kAccessViolationCode)
        return EXCEPTION_CONTINUE_SEARCH;
    guardArmed = false;
    caughtCode = info->ExceptionRecord->ExceptionCode;
    std::longjmp(guardPoint, 1);
}

} // namespace

bool CallGuardedAgainstAccessViolation(GuardedCall call, void* context, DWORD* faultCode) {
    PVOID const handler = AddVectoredExceptionHandler(1, CatchAccessViolation);
    volatile bool completed = true;
    if (setjmp(guardPoint) == 0) {
        guardArmed = true;
        call(context);
        guardArmed = false;
    } else {
        completed = false;
        *faultCode = caughtCode;
    }
    if (handler)
        RemoveVectoredExceptionHandler(handler);
    return completed;
}

#endif

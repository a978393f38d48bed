// Platform stand-in: structured exceptions raised by the stand-in, vectored handlers.
//
// Nothing here catches real hardware faults. A stand-in call that a test makes fault "raises" the
// exception the way Windows dispatches one before any frame-based handler: the vectored handlers
// run in order, each answering EXCEPTION_CONTINUE_SEARCH (try the next) or
// EXCEPTION_CONTINUE_EXECUTION (the fault is dismissed and the call goes on as if nothing had
// happened). A handler may also longjmp out, to a setjmp point taken before the platform call;
// the faulting call then never returns. When no handler takes the exception the process aborts
// with a message naming the code and the call, as an unhandled fault would end it.
//
// Handlers belong to the process: standin::ResetPlatform() does not remove them.
#pragma once

#include "standin/base_types.h"

#define EXCEPTION_ACCESS_VIOLATION ((DWORD)0xC0000005L)
#define EXCEPTION_INT_DIVIDE_BY_ZERO ((DWORD)0xC0000094L)
#define EXCEPTION_STACK_OVERFLOW ((DWORD)0xC00000FDL)
#define EXCEPTION_NONCONTINUABLE 0x1

#define EXCEPTION_EXECUTE_HANDLER 1
#define EXCEPTION_CONTINUE_SEARCH 0
#define EXCEPTION_CONTINUE_EXECUTION (-1)

#define EXCEPTION_MAXIMUM_PARAMETERS 15

typedef struct _EXCEPTION_RECORD {
    DWORD ExceptionCode;
    DWORD ExceptionFlags;
    struct _EXCEPTION_RECORD* ExceptionRecord;
    PVOID ExceptionAddress;
    DWORD NumberParameters;
    ULONG_PTR ExceptionInformation[EXCEPTION_MAXIMUM_PARAMETERS];
} EXCEPTION_RECORD, *PEXCEPTION_RECORD;

// Only the registers a handler might read; the stand-in fills them with zeros.
typedef struct _CONTEXT {
    DWORD ContextFlags;
    DWORD Eip;
    DWORD Esp;
    DWORD Ebp;
    DWORD Eax;
} CONTEXT, *PCONTEXT;

typedef struct _EXCEPTION_POINTERS {
    PEXCEPTION_RECORD ExceptionRecord;
    PCONTEXT ContextRecord;
} EXCEPTION_POINTERS, *PEXCEPTION_POINTERS;

typedef LONG(WINAPI* PVECTORED_EXCEPTION_HANDLER)(PEXCEPTION_POINTERS exceptionInfo);

// `first` non-zero puts the handler before the others, zero after them.
PVOID WINAPI AddVectoredExceptionHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler);
ULONG WINAPI RemoveVectoredExceptionHandler(PVOID handle); // 0 when the handle is unknown
void WINAPI RaiseException(DWORD code, DWORD flags, DWORD argumentCount,
                           const ULONG_PTR* arguments);

namespace standin {

// True for codes that a fault injection must raise as an exception rather than return as a
// failure: NT status codes of error severity (the two top bits set), like 0xC0000005.
bool IsExceptionCode(long code);

// Dispatches `code` to the vectored handlers as a fault inside `call`. Returns when a handler
// answers EXCEPTION_CONTINUE_EXECUTION; does not return when one longjmps; aborts when none
// takes it. For an access violation the record carries the two usual parameters (read, address 0).
void RaiseFault(DWORD code, const char* call);

// For stand-in call sites: asks whether `call` must fail. Returns false when no fault is armed.
// An armed exception code is raised through RaiseFault (and false is returned when a handler
// dismisses it); any other armed code is stored in `code` and true is returned.
bool TakeFaultOrRaise(const char* call, long* code);

int VectoredHandlerCount();

} // namespace standin

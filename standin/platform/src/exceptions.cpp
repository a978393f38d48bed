// Structured exceptions raised by the stand-in and the vectored handlers that receive them.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Registration {
    PVECTORED_EXCEPTION_HANDLER handler;
    unsigned id;
};

// Process-wide, like the handlers themselves: never reset, never destroyed.
std::vector<Registration>& Handlers() {
    static auto* handlers = new std::vector<Registration>;
    return *handlers;
}

unsigned nextHandlerId = 1;

const int kMaxHandlers = 64;

// Runs the handlers on `record`. Nothing with a destructor lives in this frame while a handler
// runs, so a handler may longjmp straight out of it. Returns when a handler dismisses the
// exception; aborts when none does.
void Dispatch(EXCEPTION_RECORD* record, const char* call) {
    PVECTORED_EXCEPTION_HANDLER snapshot[kMaxHandlers];
    int count = 0;
    for (const Registration& registration : Handlers())
        if (count < kMaxHandlers)
            snapshot[count++] = registration.handler;
    CONTEXT context = {};
    EXCEPTION_POINTERS pointers = {record, &context};
    for (int i = 0; i < count; ++i) {
        LONG verdict = snapshot[i](&pointers);
        if (verdict == EXCEPTION_CONTINUE_EXECUTION &&
            !(record->ExceptionFlags & EXCEPTION_NONCONTINUABLE))
            return;
    }
    std::fprintf(stderr,
                 "standin: unhandled exception 0x%08lx raised in %s: no vectored handler took "
                 "it\n",
                 static_cast<unsigned long>(record->ExceptionCode), call ? call : "(unknown)");
    std::fflush(stderr);
    std::abort();
}

} // namespace

PVOID WINAPI AddVectoredExceptionHandler(ULONG first, PVECTORED_EXCEPTION_HANDLER handler) {
    if (!handler)
        return nullptr;
    auto& handlers = Handlers();
    Registration registration = {handler, nextHandlerId++};
    if (first)
        handlers.insert(handlers.begin(), registration);
    else
        handlers.push_back(registration);
    return reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(registration.id));
}

ULONG WINAPI RemoveVectoredExceptionHandler(PVOID handle) {
    auto& handlers = Handlers();
    for (auto it = handlers.begin(); it != handlers.end(); ++it) {
        if (reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(it->id)) == handle) {
            handlers.erase(it);
            return 1;
        }
    }
    return 0;
}

void WINAPI RaiseException(DWORD code, DWORD flags, DWORD argumentCount,
                           const ULONG_PTR* arguments) {
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = code;
    record.ExceptionFlags = flags & EXCEPTION_NONCONTINUABLE;
    if (argumentCount > EXCEPTION_MAXIMUM_PARAMETERS)
        argumentCount = EXCEPTION_MAXIMUM_PARAMETERS;
    record.NumberParameters = arguments ? argumentCount : 0;
    for (DWORD i = 0; i < record.NumberParameters; ++i)
        record.ExceptionInformation[i] = arguments[i];
    Dispatch(&record, "RaiseException");
}

namespace standin {

bool IsExceptionCode(long code) {
    return (static_cast<unsigned long>(code) & 0xC0000000u) == 0xC0000000u;
}

void RaiseFault(DWORD code, const char* call) {
    EXCEPTION_RECORD record = {};
    record.ExceptionCode = code;
    if (code == EXCEPTION_ACCESS_VIOLATION) {
        record.NumberParameters = 2; // a read of address 0
        record.ExceptionInformation[0] = 0;
        record.ExceptionInformation[1] = 0;
    }
    Dispatch(&record, call);
}

bool TakeFaultOrRaise(const char* call, long* code) {
    long armed = 0;
    if (!TakeFault(call, &armed))
        return false;
    if (IsExceptionCode(armed)) {
        RaiseFault(static_cast<DWORD>(armed), call);
        return false;
    }
    *code = armed;
    return true;
}

int VectoredHandlerCount() {
    return static_cast<int>(Handlers().size());
}

} // namespace standin

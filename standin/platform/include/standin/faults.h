// Fault injection for the platform stand-in: tests make a named platform call fail.
// A call site asks TakeFault("CallName") and, when a fault is armed, fails with the stored code.
#pragma once

#include "standin/base_types.h"

#include <string>
#include <vector>

namespace standin {

// Arms a fault: the Nth next call of `call` (1 = the very next one) fails with `code`.
// `repeat` makes every call from the Nth on fail until ClearFaults().
void InjectFault(const char* call, long code, int nth = 1, bool repeat = false);

// Asks whether this call of `call` must fail. Returns true and sets `code` when it must.
bool TakeFault(const char* call, long* code);

// Convenience for HRESULT-returning calls: returns the armed code, or S_OK when none fires.
HRESULT FaultResult(const char* call);

// How many times `call` has been made since the last reset (counted by TakeFault/FaultResult).
int CallCount(const char* call);

void ClearFaults();

// The names of the calls counted since StartCallJournal, in the order they were made (the
// journal stops at the next reset). Lets a test assert a whole call sequence.
void StartCallJournal();
std::vector<std::string> CallJournal();

// What the stand-in does not model answers E_NOTIMPL through here, and the call is remembered
// until taken: a reset keeps it, so a fixture that resets on its way out cannot hide it. The unit
// tests' end-of-test check takes them and fails a test that made one, so a new platform call of
// the module can never pass silently against a stub.
HRESULT Unmodelled(const char* method);
std::vector<std::string> TakeUnmodelledCalls();

// Inside a class: an interface method nothing calls keeps its slot and answers through Unmodelled,
// named "Owner::name".
#define STANDIN_UNMODELLED(Owner, name, parameters)                                                \
    HRESULT STDMETHODCALLTYPE name parameters override {                                           \
        return ::standin::Unmodelled(#Owner "::" #name);                                           \
    }

// The platform's own use of a public call (a filter graph creating its video window, registering
// its window class) must neither fire a fault a test armed for the module nor count as the
// module's call: such calls run while one of these scopes is alive.
class InternalCallScope {
  public:
    InternalCallScope();
    ~InternalCallScope();
    InternalCallScope(const InternalCallScope&) = delete;
    InternalCallScope& operator=(const InternalCallScope&) = delete;
};

// Registers a function that ResetPlatform() calls to bring an area back to its start state.
void RegisterReset(void (*reset)());

// Resets every area of the stand-in (windows, files, graphs, clock, faults...). Tests call it
// between cases so that no state leaks from one test into the next.
void ResetPlatform();

} // namespace standin

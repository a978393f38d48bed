#include "standin/faults.h"

#include <map>
#include <string>
#include <vector>

namespace standin {
namespace {

struct ArmedFault {
    long code;
    int remaining; // calls still to pass before it fires
    bool repeat;
};

std::map<std::string, std::vector<ArmedFault>>& Faults() {
    static std::map<std::string, std::vector<ArmedFault>> faults;
    return faults;
}

std::map<std::string, int>& Counts() {
    static std::map<std::string, int> counts;
    return counts;
}

std::vector<void (*)()>& Resets() {
    static std::vector<void (*)()> resets;
    return resets;
}

int internalDepth = 0;

std::vector<std::string>& UnmodelledList() {
    static std::vector<std::string> calls;
    return calls;
}

bool journaling = false;
std::vector<std::string>& Journal() {
    static std::vector<std::string> journal;
    return journal;
}

} // namespace

InternalCallScope::InternalCallScope() {
    ++internalDepth;
}
InternalCallScope::~InternalCallScope() {
    --internalDepth;
}

void InjectFault(const char* call, long code, int nth, bool repeat) {
    Faults()[call].push_back(ArmedFault{code, nth > 0 ? nth - 1 : 0, repeat});
}

bool TakeFault(const char* call, long* code) {
    if (internalDepth > 0)
        return false;
    ++Counts()[call];
    if (journaling)
        Journal().push_back(call);
    auto found = Faults().find(call);
    if (found == Faults().end())
        return false;
    bool fired = false;
    auto& armed = found->second;
    for (auto it = armed.begin(); it != armed.end();) {
        if (it->remaining > 0) {
            --it->remaining;
            ++it;
            continue;
        }
        if (!fired) {
            fired = true;
            *code = it->code;
            if (!it->repeat) {
                it = armed.erase(it);
                continue;
            }
        }
        ++it;
    }
    return fired;
}

HRESULT FaultResult(const char* call) {
    long code = 0;
    return TakeFault(call, &code) ? static_cast<HRESULT>(code) : S_OK;
}

int CallCount(const char* call) {
    auto found = Counts().find(call);
    return found == Counts().end() ? 0 : found->second;
}

void ClearFaults() {
    Faults().clear();
    Counts().clear();
    journaling = false;
    Journal().clear();
}

HRESULT Unmodelled(const char* method) {
    UnmodelledList().push_back(method);
    return E_NOTIMPL;
}

std::vector<std::string> TakeUnmodelledCalls() {
    std::vector<std::string> calls;
    calls.swap(UnmodelledList());
    return calls;
}

void StartCallJournal() {
    Journal().clear();
    journaling = true;
}

std::vector<std::string> CallJournal() {
    return Journal();
}

void RegisterReset(void (*reset)()) {
    for (auto existing : Resets())
        if (existing == reset)
            return;
    Resets().push_back(reset);
}

void ResetPlatform() {
    ClearFaults();
    for (auto reset : Resets())
        reset();
}

} // namespace standin

#include "diag/log_failure.h"

#include "diag/event_log.h"

void LogFailure(HRESULT hr, LPCWSTR call) {
    LogEvent(ModuleLog(), L"FAILED(hr=0x%x) in %s\n", hr, call);
}

HRESULT LogIfFailed(HRESULT hr, LPCWSTR call) {
    if (FAILED(hr))
        LogFailure(hr, call);
    return hr;
}

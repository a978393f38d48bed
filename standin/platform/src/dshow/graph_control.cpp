// IMediaControl (run state) and IMediaEventEx (the event queue) of the filter graph manager.
#include "filter_graph.h"

#include "standin/faults.h"

namespace standin {
namespace dshow {

// ---- IMediaControl ----

HRESULT STDMETHODCALLTYPE MediaControlPart::Run() {
    if (HRESULT fault = FaultResult("Run"))
        return fault;
    return graph->RequestState(State_Running, false);
}

HRESULT STDMETHODCALLTYPE MediaControlPart::Pause() {
    if (HRESULT fault = FaultResult("Pause"))
        return fault;
    return graph->RequestState(State_Paused, true);
}

HRESULT STDMETHODCALLTYPE MediaControlPart::Stop() {
    if (HRESULT fault = FaultResult("Stop"))
        return fault;
    graph->StopNow();
    return S_OK;
}

// An injected fault still reports the state, as GetState always fills it in.
HRESULT STDMETHODCALLTYPE MediaControlPart::GetState(LONG timeout, OAFilterState* state) {
    if (!state)
        return E_POINTER;
    if (HRESULT fault = FaultResult("GetState")) {
        *state = graph->ReportedState();
        return fault;
    }
    FILTER_STATE reached;
    HRESULT hr = graph->WaitForState(timeout, &reached);
    *state = reached;
    return hr;
}

// Lets a pending pause finish, then stops.
HRESULT STDMETHODCALLTYPE MediaControlPart::StopWhenReady() {
    if (HRESULT fault = FaultResult("StopWhenReady"))
        return fault;
    FILTER_STATE reached;
    graph->WaitForState(-1, &reached);
    graph->StopNow();
    return S_OK;
}

// ---- IMediaEventEx ----

// A non-zero time-out waits (on the stand-in clock) for the next event the graph will produce.
HRESULT STDMETHODCALLTYPE MediaEventPart::GetEvent(long* code, LONG_PTR* param1, LONG_PTR* param2,
                                                   long timeout) {
    if (HRESULT fault = FaultResult("GetEvent"))
        return fault;
    if (!code || !param1 || !param2)
        return E_POINTER;
    *code = 0;
    *param1 = 0;
    *param2 = 0;
    graph->Poll();
    RecordedEvent event;
    if (!graph->TakeEvent(&event)) {
        if (timeout == 0)
            return E_ABORT;
        long long due = graph->MillisecondsToEnd();
        if (due >= 0 && (timeout < 0 || due <= timeout))
            FilterGraph::Wait(static_cast<DWORD>(due));
        else if (timeout > 0)
            FilterGraph::Wait(static_cast<DWORD>(timeout));
        graph->Poll();
        if (!graph->TakeEvent(&event))
            return E_ABORT;
    }
    *code = event.code;
    *param1 = event.param1;
    *param2 = event.param2;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaEventPart::WaitForCompletion(long timeout, long* code) {
    if (HRESULT fault = FaultResult("WaitForCompletion"))
        return fault;
    if (!code)
        return E_POINTER;
    *code = 0;
    graph->Poll();
    if (graph->State() != State_Running)
        return VFW_E_WRONG_STATE;
    long long due = graph->MillisecondsToEnd();
    if (due < 0 || (timeout >= 0 && due > timeout)) {
        if (timeout > 0)
            FilterGraph::Wait(static_cast<DWORD>(timeout));
        return E_ABORT;
    }
    FilterGraph::Wait(static_cast<DWORD>(due));
    graph->Poll();
    *code = EC_COMPLETE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaEventPart::FreeEventParams(long, LONG_PTR, LONG_PTR) {
    return FaultResult("FreeEventParams");
}

HRESULT STDMETHODCALLTYPE MediaEventPart::SetNotifyWindow(OAHWND window, long message,
                                                          LONG_PTR instance) {
    if (HRESULT fault = FaultResult("SetNotifyWindow"))
        return fault;
    graph->SetNotify(reinterpret_cast<HWND>(window), message, instance);
    return S_OK;
}

} // namespace dshow
} // namespace standin

// IMediaSeeking (positions in the selected time format), IMediaPosition (seconds) and
// IVideoFrameStep of the filter graph manager.
#include "filter_graph.h"

#include "standin/faults.h"

#include <cmath>

namespace standin {
namespace dshow {
namespace {

const double kUnitsPerSecond = 1.0e7;

bool AcceptableRate(double rate) {
    return rate > 0.0 && rate <= 4.0;
}

// Media time always; frames only with a picture.
bool Selectable(const FilterGraph* graph, const GUID& format) {
    return format == TIME_FORMAT_MEDIA_TIME ||
           (format == TIME_FORMAT_FRAME && graph->FrameFormatSupported());
}

// A time in the graph's current format; the end of the media reads as the frame count exactly.
LONGLONG InFormat(const FilterGraph* graph, REFERENCE_TIME time) {
    if (graph->TimeFormat() == TIME_FORMAT_FRAME && time >= graph->Duration())
        return graph->Media().frameCount;
    LONGLONG value = 0;
    graph->FromTime(graph->TimeFormat(), time, &value);
    return value;
}

// Resolves one SetPositions request into 100 ns units; false when it asks for nothing.
HRESULT Resolve(const FilterGraph* graph, LONGLONG* value, DWORD flags, REFERENCE_TIME now,
                REFERENCE_TIME* result) {
    DWORD how = flags & AM_SEEKING_PositioningBitsMask;
    if (how == AM_SEEKING_NoPositioning)
        return S_FALSE;
    if (!value)
        return E_POINTER;
    REFERENCE_TIME time = 0;
    if (!graph->ToTime(graph->TimeFormat(), *value, &time))
        return E_INVALIDARG;
    if (how != AM_SEEKING_AbsolutePositioning)
        time += now;
    if (time < 0)
        return E_INVALIDARG;
    *result = time;
    return S_OK;
}

} // namespace

// ---- IMediaSeeking ----

HRESULT STDMETHODCALLTYPE MediaSeekingPart::GetTimeFormat(GUID* format) {
    if (HRESULT fault = FaultResult("GetTimeFormat"))
        return fault;
    if (!format)
        return E_POINTER;
    *format = graph->TimeFormat();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSeekingPart::SetTimeFormat(const GUID* format) {
    if (HRESULT fault = FaultResult("SetTimeFormat"))
        return fault;
    if (!format)
        return E_POINTER;
    if (!Selectable(graph, *format))
        return E_INVALIDARG;
    graph->SetTimeFormatValue(*format);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSeekingPart::GetDuration(LONGLONG* duration) {
    if (HRESULT fault = FaultResult("GetDuration"))
        return fault;
    if (!duration)
        return E_POINTER;
    *duration = InFormat(graph, graph->Duration());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSeekingPart::GetCurrentPosition(LONGLONG* current) {
    if (HRESULT fault = FaultResult("GetCurrentPosition"))
        return fault;
    if (!current)
        return E_POINTER;
    graph->Poll();
    *current = InFormat(graph, graph->Position());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSeekingPart::SetPositions(LONGLONG* current, DWORD currentFlags,
                                                         LONGLONG* stop, DWORD stopFlags) {
    if (HRESULT fault = FaultResult("SetPositions"))
        return fault;
    graph->Poll();
    REFERENCE_TIME newCurrent = 0, newStop = 0;
    HRESULT currentResult = Resolve(graph, current, currentFlags, graph->Position(), &newCurrent);
    if (FAILED(currentResult))
        return currentResult;
    HRESULT stopResult = Resolve(graph, stop, stopFlags, graph->StopTime(), &newStop);
    if (FAILED(stopResult))
        return stopResult;
    if (stopResult == S_OK)
        graph->SetStop(newStop);
    if (currentResult == S_OK)
        graph->SeekTo(newCurrent);
    if (currentResult == S_OK && (currentFlags & AM_SEEKING_ReturnTime))
        *current = graph->Position();
    if (stopResult == S_OK && (stopFlags & AM_SEEKING_ReturnTime))
        *stop = graph->StopTime();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSeekingPart::GetPositions(LONGLONG* current, LONGLONG* stop) {
    if (HRESULT fault = FaultResult("GetPositions"))
        return fault;
    if (!current && !stop)
        return E_POINTER;
    graph->Poll();
    if (current)
        *current = InFormat(graph, graph->Position());
    if (stop)
        *stop = InFormat(graph, graph->StopTime());
    return S_OK;
}

// ---- IMediaPosition ----

HRESULT STDMETHODCALLTYPE MediaPositionPart::get_Duration(REFTIME* length) {
    if (HRESULT fault = FaultResult("get_Duration"))
        return fault;
    if (!length)
        return E_POINTER;
    *length = graph->Duration() / kUnitsPerSecond;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaPositionPart::put_CurrentPosition(REFTIME time) {
    if (HRESULT fault = FaultResult("put_CurrentPosition"))
        return fault;
    if (!(time >= 0.0))
        return E_INVALIDARG;
    double units = time * kUnitsPerSecond;
    graph->SeekTo(units > 9.0e18 ? graph->Duration() : std::llround(units));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaPositionPart::get_CurrentPosition(REFTIME* time) {
    if (HRESULT fault = FaultResult("get_CurrentPosition"))
        return fault;
    if (!time)
        return E_POINTER;
    graph->Poll();
    *time = graph->Position() / kUnitsPerSecond;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaPositionPart::put_Rate(double rate) {
    if (HRESULT fault = FaultResult("put_Rate"))
        return fault;
    if (!AcceptableRate(rate))
        return E_INVALIDARG;
    graph->SetRate(rate);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaPositionPart::get_Rate(double* rate) {
    if (HRESULT fault = FaultResult("get_Rate"))
        return fault;
    if (!rate)
        return E_POINTER;
    *rate = graph->Rate();
    return S_OK;
}

// ---- IVideoFrameStep ----

HRESULT STDMETHODCALLTYPE FrameStepPart::Step(DWORD frames, IUnknown*) {
    if (HRESULT fault = FaultResult("Step"))
        return fault;
    if (!graph->HasVideoRenderer())
        return E_NOTIMPL;
    if (frames == 0)
        return E_INVALIDARG;
    graph->StepFrames(frames);
    return S_OK;
}

// The renderer steps one frame or several; without a picture nothing can step.
HRESULT STDMETHODCALLTYPE FrameStepPart::CanStep(LONG, IUnknown*) {
    if (HRESULT fault = FaultResult("CanStep"))
        return fault;
    return graph->HasVideoRenderer() ? S_OK : S_FALSE;
}

} // namespace dshow
} // namespace standin

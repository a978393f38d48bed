// IBasicAudio of the filter graph manager: the audio renderer's volume and balance.
#include "filter_graph.h"

#include "standin/faults.h"

namespace standin {
namespace dshow {

// Without an audio renderer the graph has nobody to pass these calls to: E_NOTIMPL.
HRESULT STDMETHODCALLTYPE BasicAudioPart::put_Volume(long volume) {
    if (HRESULT fault = FaultResult("put_Volume"))
        return fault;
    if (!graph->HasAudioRenderer())
        return E_NOTIMPL;
    if (volume < -10000 || volume > 0)
        return E_INVALIDARG;
    graph->volume = volume;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasicAudioPart::get_Volume(long* volume) {
    if (HRESULT fault = FaultResult("get_Volume"))
        return fault;
    if (!graph->HasAudioRenderer())
        return E_NOTIMPL;
    if (!volume)
        return E_POINTER;
    *volume = graph->volume;
    return S_OK;
}

} // namespace dshow
} // namespace standin

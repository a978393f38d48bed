// IBasicVideo of the filter graph manager: the picture's size, the source and destination
// rectangles, and the current image. Without a video renderer every call it models answers
// E_NOINTERFACE.
#include "current_image.h"
#include "filter_graph.h"

#include "standin/faults.h"

namespace standin {
namespace dshow {
namespace {

// RECTs here hold left, top, width, height. A source rectangle is kept only inside the picture.
HRESULT PlaceSource(FilterGraph* graph, const RECT& r) {
    const MediaInfo& media = graph->Media();
    if (r.left < 0 || r.top < 0 || r.right <= 0 || r.bottom <= 0 ||
        r.left + r.right > media.width || r.top + r.bottom > media.height)
        return E_INVALIDARG;
    graph->Source() = r;
    return S_OK;
}

} // namespace

HRESULT STDMETHODCALLTYPE BasicVideoPart::get_AvgTimePerFrame(REFTIME* time) {
    return RendererValue<REFTIME>(graph, "get_AvgTimePerFrame", time,
                                  graph->Media().frameDuration / 1.0e7);
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::get_VideoWidth(long* width) {
    return RendererValue<long>(graph, "get_VideoWidth", width, graph->Media().width);
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::get_VideoHeight(long* height) {
    return RendererValue<long>(graph, "get_VideoHeight", height, graph->Media().height);
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::put_SourceWidth(long width) {
    if (HRESULT refused = RendererCallResult(graph, "put_SourceWidth"))
        return refused;
    RECT changed = graph->Source();
    changed.right = width;
    return PlaceSource(graph, changed);
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::SetSourcePosition(long left, long top, long width,
                                                            long height) {
    if (HRESULT refused = RendererCallResult(graph, "SetSourcePosition"))
        return refused;
    return PlaceSource(graph, RECT{left, top, width, height});
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::SetDestinationPosition(long left, long top, long width,
                                                                 long height) {
    if (HRESULT refused = RendererCallResult(graph, "SetDestinationPosition"))
        return refused;
    if (width <= 0 || height <= 0)
        return E_INVALIDARG;
    RECT wanted = {left, top, width, height};
    graph->Destination() = wanted;
    graph->DestinationHistory().push_back(wanted);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::GetDestinationPosition(long* left, long* top, long* width,
                                                                 long* height) {
    if (HRESULT refused = RendererCallResult(graph, "GetDestinationPosition"))
        return refused;
    if (!left || !top || !width || !height)
        return E_POINTER;
    const RECT& r = graph->Destination();
    *left = r.left;
    *top = r.top;
    *width = r.right;
    *height = r.bottom;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::GetVideoSize(long* width, long* height) {
    if (HRESULT refused = RendererCallResult(graph, "GetVideoSize"))
        return refused;
    if (!width || !height)
        return E_POINTER;
    *width = graph->Media().width;
    *height = graph->Media().height;
    return S_OK;
}

// With a null image pointer the call reports the bytes needed; a buffer smaller than that is
// refused with E_OUTOFMEMORY.
HRESULT STDMETHODCALLTYPE BasicVideoPart::GetCurrentImage(long* bufferSize, long* image) {
    if (HRESULT refused = RendererCallResult(graph, "GetCurrentImage"))
        return refused;
    if (!bufferSize)
        return E_POINTER;
    const long needed = CurrentImageSize(graph->Media());
    if (!image) {
        *bufferSize = needed;
        return S_OK;
    }
    if (*bufferSize < needed)
        return E_OUTOFMEMORY;
    graph->Poll();
    WriteCurrentImage(graph->Media(), graph->CurrentFrame(),
                      reinterpret_cast<unsigned char*>(image));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::IsUsingDefaultSource() {
    if (HRESULT refused = RendererCallResult(graph, "IsUsingDefaultSource"))
        return refused;
    const RECT& r = graph->Source();
    return r.left == 0 && r.top == 0 && r.right == graph->Media().width &&
                   r.bottom == graph->Media().height
               ? S_OK
               : S_FALSE;
}

} // namespace dshow
} // namespace standin

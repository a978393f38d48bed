// IBasicVideo of the filter graph manager: the picture's size, the source and destination
// rectangles, and the current image. Without a video renderer every call answers E_NOINTERFACE.
#include "current_image.h"
#include "filter_graph.h"

#include "standin/faults.h"

namespace standin {
namespace dshow {
namespace {

// RECTs here hold left, top, width, height.
bool ValidSource(const MediaInfo& media, const RECT& r) {
    return r.left >= 0 && r.top >= 0 && r.right > 0 && r.bottom > 0 &&
           r.left + r.right <= media.width && r.top + r.bottom <= media.height;
}

bool ValidDestination(const RECT& r) {
    return r.right > 0 && r.bottom > 0;
}

} // namespace

#define GET_VALUE(Method, expression)                                                              \
    HRESULT STDMETHODCALLTYPE BasicVideoPart::Method(long* value) {                                \
        if (HRESULT refused = RendererCallResult(graph, #Method))                                  \
            return refused;                                                                        \
        if (!value)                                                                                \
            return E_POINTER;                                                                      \
        *value = expression;                                                                       \
        return S_OK;                                                                               \
    }

// Changes one field of a rectangle and keeps the change only when the result is valid.
#define PUT_FIELD(Method, rectangle, field, valid)                                                 \
    HRESULT STDMETHODCALLTYPE BasicVideoPart::Method(long value) {                                 \
        if (HRESULT refused = RendererCallResult(graph, #Method))                                  \
            return refused;                                                                        \
        RECT changed = graph->rectangle();                                                         \
        changed.field = value;                                                                     \
        if (!(valid))                                                                              \
            return E_INVALIDARG;                                                                   \
        graph->rectangle() = changed;                                                              \
        return S_OK;                                                                               \
    }

HRESULT STDMETHODCALLTYPE BasicVideoPart::get_AvgTimePerFrame(REFTIME* time) {
    if (HRESULT refused = RendererCallResult(graph, "get_AvgTimePerFrame"))
        return refused;
    if (!time)
        return E_POINTER;
    *time = graph->Media().frameDuration / 1.0e7;
    return S_OK;
}

GET_VALUE(get_BitRate, 0)
GET_VALUE(get_BitErrorRate, 0)
GET_VALUE(get_VideoWidth, graph->Media().width)
GET_VALUE(get_VideoHeight, graph->Media().height)
GET_VALUE(get_SourceLeft, graph->Source().left)
GET_VALUE(get_SourceWidth, graph->Source().right)
GET_VALUE(get_SourceTop, graph->Source().top)
GET_VALUE(get_SourceHeight, graph->Source().bottom)
GET_VALUE(get_DestinationLeft, graph->Destination().left)
GET_VALUE(get_DestinationWidth, graph->Destination().right)
GET_VALUE(get_DestinationTop, graph->Destination().top)
GET_VALUE(get_DestinationHeight, graph->Destination().bottom)

PUT_FIELD(put_SourceLeft, Source, left, ValidSource(graph->Media(), changed))
PUT_FIELD(put_SourceWidth, Source, right, ValidSource(graph->Media(), changed))
PUT_FIELD(put_SourceTop, Source, top, ValidSource(graph->Media(), changed))
PUT_FIELD(put_SourceHeight, Source, bottom, ValidSource(graph->Media(), changed))
PUT_FIELD(put_DestinationLeft, Destination, left, ValidDestination(changed))
PUT_FIELD(put_DestinationWidth, Destination, right, ValidDestination(changed))
PUT_FIELD(put_DestinationTop, Destination, top, ValidDestination(changed))
PUT_FIELD(put_DestinationHeight, Destination, bottom, ValidDestination(changed))

HRESULT STDMETHODCALLTYPE BasicVideoPart::SetSourcePosition(long left, long top, long width,
                                                            long height) {
    if (HRESULT refused = RendererCallResult(graph, "SetSourcePosition"))
        return refused;
    RECT wanted = {left, top, width, height};
    if (!ValidSource(graph->Media(), wanted))
        return E_INVALIDARG;
    graph->Source() = wanted;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::GetSourcePosition(long* left, long* top, long* width,
                                                            long* height) {
    if (HRESULT refused = RendererCallResult(graph, "GetSourcePosition"))
        return refused;
    if (!left || !top || !width || !height)
        return E_POINTER;
    const RECT& r = graph->Source();
    *left = r.left;
    *top = r.top;
    *width = r.right;
    *height = r.bottom;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::SetDefaultSourcePosition() {
    if (HRESULT refused = RendererCallResult(graph, "SetDefaultSourcePosition"))
        return refused;
    graph->Source() = RECT{0, 0, graph->Media().width, graph->Media().height};
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasicVideoPart::SetDestinationPosition(long left, long top, long width,
                                                                 long height) {
    if (HRESULT refused = RendererCallResult(graph, "SetDestinationPosition"))
        return refused;
    RECT wanted = {left, top, width, height};
    if (!ValidDestination(wanted))
        return E_INVALIDARG;
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

HRESULT STDMETHODCALLTYPE BasicVideoPart::SetDefaultDestinationPosition() {
    if (HRESULT refused = RendererCallResult(graph, "SetDefaultDestinationPosition"))
        return refused;
    graph->Destination() = RECT{0, 0, graph->Media().width, graph->Media().height};
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

HRESULT STDMETHODCALLTYPE BasicVideoPart::GetVideoPaletteEntries(long, long, long* retrieved,
                                                                 long*) {
    if (HRESULT refused = RendererCallResult(graph, "GetVideoPaletteEntries"))
        return refused;
    if (retrieved)
        *retrieved = 0;
    return Unmodelled("BasicVideoPart::GetVideoPaletteEntries");
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

HRESULT STDMETHODCALLTYPE BasicVideoPart::IsUsingDefaultDestination() {
    if (HRESULT refused = RendererCallResult(graph, "IsUsingDefaultDestination"))
        return refused;
    const RECT& r = graph->Destination();
    return r.left == 0 && r.top == 0 && r.right == graph->Media().width &&
                   r.bottom == graph->Media().height
               ? S_OK
               : S_FALSE;
}

#undef NEED_RENDERER
#undef GET_VALUE
#undef PUT_FIELD

} // namespace dshow
} // namespace standin

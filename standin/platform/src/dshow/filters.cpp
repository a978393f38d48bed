// The graph's filters: naming, reference counting, and the renderer's frame rate.
#include "filters.h"

#include "filter_graph.h"
#include "pins.h"

#include "standin/faults.h"

#include <cmath>
#include <set>

namespace standin {
namespace dshow {
namespace {

std::set<VideoRendererFilter*>& FreeRenderers() {
    static std::set<VideoRendererFilter*> renderers;
    return renderers;
}

// A filter with nothing but IBaseFilter: the source, a stock decoder, the audio renderer.
class PlainFilter : public Filter {
  public:
    using Filter::Filter;
};

} // namespace

Filter::Filter(FilterGraph* graph, const std::u16string& name)
    : graph(graph), name(name.substr(0, MAX_FILTER_NAME - 1)) {}

HRESULT STDMETHODCALLTYPE Filter::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    HRESULT fault = QueryInterfaceFault("Filter::QueryInterface", iid);
    if (fault != S_OK)
        return fault;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter ||
        iid == IID_IBaseFilter)
        *object = static_cast<IBaseFilter*>(this);
    else
        *object = ExtraInterface(iid);
    if (!*object)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE Filter::AddRef() {
    return ++refs;
}

ULONG STDMETHODCALLTYPE Filter::Release() {
    ULONG left = --refs;
    if (left == 0)
        delete this;
    return left;
}

void Filter::JoinGraph(FilterGraph* owner, const std::u16string& newName) {
    graph = owner;
    name = newName.substr(0, MAX_FILTER_NAME - 1);
    AddRef();
}

void Filter::LeaveGraph() {
    graph = nullptr;
    Release();
}

HRESULT STDMETHODCALLTYPE Filter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info)
        return E_POINTER;
    size_t i = 0;
    for (; i < name.size(); ++i)
        info->achName[i] = static_cast<WCHAR>(name[i]);
    info->achName[i] = 0;
    info->pGraph = graph ? graph->AsFilterGraph() : nullptr;
    if (info->pGraph)
        info->pGraph->AddRef();
    return S_OK;
}

// ---- the video renderer ----

VideoRendererFilter::VideoRendererFilter(FilterGraph* graph) : Filter(graph, u"Video Renderer") {}

VideoRendererFilter* VideoRendererFilter::CreateFree() {
    VideoRendererFilter* renderer = new VideoRendererFilter(nullptr);
    FreeRenderers().insert(renderer);
    return renderer;
}

VideoRendererFilter* VideoRendererFilter::FindFree(IBaseFilter* filter) {
    for (VideoRendererFilter* renderer : FreeRenderers())
        if (static_cast<IBaseFilter*>(renderer) == filter && !renderer->InGraph())
            return renderer;
    return nullptr;
}

VideoRendererFilter::~VideoRendererFilter() {
    FreeRenderers().erase(this);
}

HRESULT STDMETHODCALLTYPE VideoRendererFilter::EnumPins(IEnumPins** pins) {
    if (HRESULT fault = FaultResult("EnumPins"))
        return fault;
    if (!pins)
        return E_POINTER;
    *pins = NewRendererPinEnumerator(this);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoRendererFilter::QueryInterface(REFIID iid, void** object) {
    return Filter::QueryInterface(iid, object);
}
ULONG STDMETHODCALLTYPE VideoRendererFilter::AddRef() {
    return Filter::AddRef();
}
ULONG STDMETHODCALLTYPE VideoRendererFilter::Release() {
    return Filter::Release();
}

void* VideoRendererFilter::ExtraInterface(REFIID iid) {
    return iid == IID_IQualProp ? static_cast<IQualProp*>(this) : nullptr;
}

// Hundredths of frames per second: the clip's nominal rate once frames have been drawn.
HRESULT STDMETHODCALLTYPE VideoRendererFilter::get_AvgFrameRate(int* rate) {
    if (HRESULT fault = FaultResult("get_AvgFrameRate"))
        return fault;
    if (!rate)
        return E_POINTER;
    *rate = 0;
    if (graph && graph->EverRan() && graph->Media().frameDuration > 0)
        *rate = static_cast<int>(std::lround(1.0e9 / graph->Media().frameDuration));
    return S_OK;
}

// ---- construction by role ----

Filter* NewSourceFilter(FilterGraph* graph, const std::u16string& name) {
    return new PlainFilter(graph, name);
}

Filter* NewAudioRendererFilter(FilterGraph* graph) {
    return new PlainFilter(graph, u"Default DirectSound Device");
}

Filter* NewDecoderFilter(FilterGraph* graph, const std::string& fourcc) {
    if (SameFourcc(fourcc, "IV41"))
        return new Indeo4Decoder(graph);
    if (SameFourcc(fourcc, "IV50"))
        return new Indeo5Decoder(graph);
    if (SameFourcc(fourcc, "DIVX") || SameFourcc(fourcc, "DX50") || SameFourcc(fourcc, "DIV3"))
        return new DivxDecoder(graph);
    return new PlainFilter(graph, u"AVI Decompressor");
}

bool SameFourcc(const std::string& a, const char* b) {
    if (a.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
        if (x != y)
            return false;
    }
    return true;
}

} // namespace dshow
} // namespace standin

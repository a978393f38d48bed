// The graph's filters: naming, identity, reference counting, and the renderer's quality figures.
#include "filters.h"

#include "filter_graph.h"
#include "pins.h"

#include "standin/faults.h"

#include <cmath>
#include <set>

namespace standin {
namespace dshow {
namespace {

STANDIN_GUID(kAsyncReaderClass, 0xE436EBB5, 0x524F, 0x11CE, 0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B,
             0xA7, 0x70);
STANDIN_GUID(kVideoRendererClass, 0x70E102B0, 0x5556, 0x11CE, 0x97, 0xC0, 0x00, 0xAA, 0x00, 0x55,
             0x59, 0x5A);
STANDIN_GUID(kDirectSoundRendererClass, 0x79376820, 0x07D0, 0x11CF, 0xA2, 0x4D, 0x00, 0x20, 0xAF,
             0xD7, 0x97, 0x67);
STANDIN_GUID(kAviDecompressorClass, 0xCF49D4E0, 0x1115, 0x11CE, 0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B,
             0xA7, 0x70);
const GUID kUnregisteredClass = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

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

Filter::Filter(FilterGraph* graph, const std::u16string& name, const CLSID& classId)
    : graph(graph), name(name.substr(0, MAX_FILTER_NAME - 1)), classId(classId) {}

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

HRESULT STDMETHODCALLTYPE Filter::GetClassID(CLSID* id) {
    if (!id)
        return E_POINTER;
    *id = classId;
    return S_OK;
}

// The graph manager drives its filters; direct calls are accepted and change nothing.
HRESULT STDMETHODCALLTYPE Filter::Stop() {
    return S_OK;
}
HRESULT STDMETHODCALLTYPE Filter::Pause() {
    return S_OK;
}
HRESULT STDMETHODCALLTYPE Filter::Run(REFERENCE_TIME) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Filter::GetState(DWORD, FILTER_STATE* state) {
    if (!state)
        return E_POINTER;
    *state = graph ? graph->State() : State_Stopped;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Filter::SetSyncSource(IReferenceClock*) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Filter::GetSyncSource(IReferenceClock** clock) {
    if (!clock)
        return E_POINTER;
    *clock = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Filter::EnumPins(IEnumPins** pins) {
    if (pins)
        *pins = nullptr;
    return Unmodelled("Filter::EnumPins");
}

HRESULT STDMETHODCALLTYPE Filter::FindPin(LPCWSTR, IPin** pin) {
    if (!pin)
        return E_POINTER;
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
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

HRESULT STDMETHODCALLTYPE Filter::JoinFilterGraph(IFilterGraph*, LPCWSTR) {
    return Unmodelled("Filter::JoinFilterGraph");
}

HRESULT STDMETHODCALLTYPE Filter::QueryVendorInfo(LPWSTR* vendorInfo) {
    if (vendorInfo)
        *vendorInfo = nullptr;
    return Unmodelled("Filter::QueryVendorInfo");
}

// ---- the video renderer ----

VideoRendererFilter::VideoRendererFilter(FilterGraph* graph)
    : Filter(graph, u"Video Renderer", kVideoRendererClass) {}

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

HRESULT STDMETHODCALLTYPE VideoRendererFilter::get_FramesDroppedInRenderer(int* frames) {
    if (!frames)
        return E_POINTER;
    *frames = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoRendererFilter::get_FramesDrawn(int* frames) {
    if (!frames)
        return E_POINTER;
    *frames = graph && graph->EverRan() ? graph->CurrentFrame() + 1 : 0;
    return S_OK;
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

HRESULT STDMETHODCALLTYPE VideoRendererFilter::get_Jitter(int* jitter) {
    if (!jitter)
        return E_POINTER;
    *jitter = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoRendererFilter::get_AvgSyncOffset(int* offset) {
    if (!offset)
        return E_POINTER;
    *offset = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE VideoRendererFilter::get_DevSyncOffset(int* deviation) {
    if (!deviation)
        return E_POINTER;
    *deviation = 0;
    return S_OK;
}

// ---- construction by role ----

Filter* NewSourceFilter(FilterGraph* graph, const std::u16string& name) {
    return new PlainFilter(graph, name, kAsyncReaderClass);
}

Filter* NewAudioRendererFilter(FilterGraph* graph) {
    return new PlainFilter(graph, u"Default DirectSound Device", kDirectSoundRendererClass);
}

Filter* NewDecoderFilter(FilterGraph* graph, const std::string& fourcc) {
    if (SameFourcc(fourcc, "IV41"))
        return new Indeo4Decoder(graph);
    if (SameFourcc(fourcc, "IV50"))
        return new Indeo5Decoder(graph);
    if (SameFourcc(fourcc, "DIVX") || SameFourcc(fourcc, "DX50") || SameFourcc(fourcc, "DIV3"))
        return new DivxDecoder(graph);
    return new PlainFilter(graph, u"AVI Decompressor", kAviDecompressorClass);
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

const GUID& UnregisteredClass() {
    return kUnregisteredClass;
}

} // namespace dshow
} // namespace standin

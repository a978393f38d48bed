// IGraphBuilder (with IFilterGraph), the filter enumerator, and CoCreateInstance.
#include "filter_graph.h"

#include "standin/faults.h"

namespace standin {
namespace dshow {
namespace {

// Walks the graph's filters; holds the graph alive while it exists.
class FilterEnumerator : public IEnumFilters, public CountedObject {
  public:
    explicit FilterEnumerator(FilterGraph* graph) : graph(graph) {
        graph->AddRef();
        graph->EnumeratorHolds(1);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (HRESULT fault = QueryInterfaceFault("IEnumFilters::QueryInterface", iid))
            return fault;
        if (iid != IID_IUnknown && iid != IID_IEnumFilters)
            return E_NOINTERFACE;
        *object = static_cast<IEnumFilters*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --refs;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IBaseFilter** out, ULONG* fetched) override {
        if (HRESULT fault = FaultResult("IEnumFilters::Next"))
            return fault;
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        const auto& filters = graph->Filters();
        ULONG given = 0;
        while (given < count && next < filters.size()) {
            out[given] = filters[next++];
            out[given]->AddRef();
            ++given;
        }
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    STANDIN_UNMODELLED(FilterEnumerator, Skip, (ULONG));
    STANDIN_UNMODELLED(FilterEnumerator, Reset, ());
    STANDIN_UNMODELLED(FilterEnumerator, Clone, (IEnumFilters**));

    long ClientReferences() const override { return static_cast<long>(refs); }

  private:
    ~FilterEnumerator() override {
        graph->EnumeratorHolds(-1);
        graph->Release();
    }

    FilterGraph* graph;
    size_t next = 0;
    ULONG refs = 1;
};

} // namespace

HRESULT STDMETHODCALLTYPE GraphBuilderPart::AddFilter(IBaseFilter* filter, LPCWSTR name) {
    if (HRESULT fault = FaultResult("AddFilter"))
        return fault;
    return graph->Add(filter, name);
}
HRESULT STDMETHODCALLTYPE GraphBuilderPart::RemoveFilter(IBaseFilter* filter) {
    if (HRESULT fault = FaultResult("RemoveFilter"))
        return fault;
    return graph->Remove(filter);
}

HRESULT STDMETHODCALLTYPE GraphBuilderPart::EnumFilters(IEnumFilters** enumerator) {
    if (HRESULT fault = FaultResult("EnumFilters"))
        return fault;
    if (!enumerator)
        return E_POINTER;
    *enumerator = new FilterEnumerator(graph);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GraphBuilderPart::FindFilterByName(LPCWSTR name, IBaseFilter** filter) {
    if (HRESULT fault = FaultResult("FindFilterByName"))
        return fault;
    if (!filter)
        return E_POINTER;
    *filter = graph->FindFilter(name);
    if (!*filter)
        return VFW_E_NOT_FOUND;
    (*filter)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE GraphBuilderPart::RenderFile(LPCWSTR file, LPCWSTR playList) {
    if (HRESULT fault = FaultResult("RenderFile"))
        return fault;
    if (playList)
        return E_INVALIDARG; // reserved, must be null
    return graph->Render(file);
}

} // namespace dshow
} // namespace standin

// The classes this platform serves, in process, once COM is initialised on the thread: the
// filter graph manager and the video renderer.
HRESULT WINAPI CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID iid,
                                LPVOID* object) {
    using namespace standin::dshow;
    EnsureResetRegistered();
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (HRESULT fault = standin::FaultResult("CoCreateInstance"))
        return fault;
    if (!standin::ComInitialized())
        return CO_E_NOTINITIALIZED;
    if ((classId != CLSID_FilterGraph && classId != CLSID_VideoRenderer) ||
        !(context & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    if (classId == CLSID_VideoRenderer) {
        VideoRendererFilter* renderer = VideoRendererFilter::CreateFree();
        HRESULT hr = renderer->QueryInterface(iid, object);
        renderer->Release();
        return hr;
    }
    FilterGraph* graph = FilterGraph::Create();
    HRESULT hr = graph->FindInterface(iid, object);
    graph->Release();
    return hr;
}

// The filters a simulated graph holds: source, decoders, renderers. They exist to be enumerated,
// found by name and asked for their private interfaces; the graph itself does the playing.
#pragma once

#include "counted_object.h"
#include "standin/faults.h"

#include "standin/codecs.h"
#include "standin/dshow_control.h"

#include <string>

namespace standin {
namespace dshow {

class FilterGraph;

class Filter : public IBaseFilter, public CountedObject {
  public:
    Filter(FilterGraph* graph, const std::u16string& name);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IBaseFilter: the graph manager does the playing, so only naming is modelled
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
    STANDIN_UNMODELLED(Filter, GetClassID, (CLSID*));
    STANDIN_UNMODELLED(Filter, Stop, ());
    STANDIN_UNMODELLED(Filter, Pause, ());
    STANDIN_UNMODELLED(Filter, Run, (REFERENCE_TIME));
    STANDIN_UNMODELLED(Filter, GetState, (DWORD, FILTER_STATE*));
    STANDIN_UNMODELLED(Filter, SetSyncSource, (IReferenceClock*));
    STANDIN_UNMODELLED(Filter, GetSyncSource, (IReferenceClock**));
    STANDIN_UNMODELLED(Filter, EnumPins, (IEnumPins**));
    STANDIN_UNMODELLED(Filter, FindPin, (LPCWSTR, IPin**));
    STANDIN_UNMODELLED(Filter, JoinFilterGraph, (IFilterGraph*, LPCWSTR));
    STANDIN_UNMODELLED(Filter, QueryVendorInfo, (LPWSTR*));

    long ClientReferences() const override { return static_cast<long>(refs) - (graph ? 1 : 0); }
    const std::u16string& Name() const { return name; }
    bool InGraph() const { return graph != nullptr; }
    // A filter made on its own (CoCreateInstance) is added to a graph under a name; the graph
    // takes a reference of its own.
    void JoinGraph(FilterGraph* owner, const std::u16string& newName);
    // The graph is going away: it drops its reference and the filter no longer belongs to it.
    void LeaveGraph();
    virtual void Describe(DecoderView*) const {}

  protected:
    virtual ~Filter() = default;
    // A subclass's further interfaces; null when it has none for `iid`.
    virtual void* ExtraInterface(REFIID) { return nullptr; }

    FilterGraph* graph;

  private:
    ULONG refs = 1; // the graph's
    std::u16string name;
};

class VideoRendererFilter : public Filter, public IQualProp {
  public:
    explicit VideoRendererFilter(FilterGraph* graph);
    // Made by CoCreateInstance(CLSID_VideoRenderer), in no graph: one reference, the caller's.
    static VideoRendererFilter* CreateFree();
    // The free renderer behind a filter pointer a caller hands back, or null when it is none.
    static VideoRendererFilter* FindFree(IBaseFilter* filter);
    ~VideoRendererFilter() override;

    // Its one input pin is connected once the graph renders a picture into it.
    bool Connected() const { return connected; }
    void Connect() { connected = true; }
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE get_AvgFrameRate(int* rate) override;
    STANDIN_UNMODELLED(VideoRendererFilter, get_FramesDroppedInRenderer, (int*));
    STANDIN_UNMODELLED(VideoRendererFilter, get_FramesDrawn, (int*));
    STANDIN_UNMODELLED(VideoRendererFilter, get_Jitter, (int*));
    STANDIN_UNMODELLED(VideoRendererFilter, get_AvgSyncOffset, (int*));
    STANDIN_UNMODELLED(VideoRendererFilter, get_DevSyncOffset, (int*));

  protected:
    void* ExtraInterface(REFIID iid) override;

  private:
    bool connected = false;
};

class Indeo4Decoder : public Filter, public II6vxDecoder {
  public:
    explicit Indeo4Decoder(FilterGraph* graph);
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE SetPassword(LPCWSTR password) override;
    HRESULT STDMETHODCALLTYPE GetPassword(LPWSTR buffer18) override;
    void Describe(DecoderView* view) const override;

  protected:
    void* ExtraInterface(REFIID iid) override;

  private:
    bool passwordSet = false;
    WCHAR password[18] = {};
};

class Indeo5Decoder : public Filter, public IIndeoDecode {
  public:
    explicit Indeo5Decoder(FilterGraph* graph);
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    STANDIN_UNMODELLED(Indeo5Decoder, Unused3, ());
    STANDIN_UNMODELLED(Indeo5Decoder, Unused4, ());
    STANDIN_UNMODELLED(Indeo5Decoder, Unused5, ());
    HRESULT STDMETHODCALLTYPE ReadSequence(void* request) override;
    HRESULT STDMETHODCALLTYPE ReadFrame(void* request) override;
    HRESULT STDMETHODCALLTYPE WriteSequence(void* request) override;
    HRESULT STDMETHODCALLTYPE WriteFrame(void* request) override;
    void Describe(DecoderView* view) const override;

  protected:
    void* ExtraInterface(REFIID iid) override;

  private:
    HRESULT Exchange(const char* fault, void* request, bool sequence, bool write);
    // Sequence fields 0x18..0x28, frame fields 0x48..0x54, in record order.
    long sequence[5] = {};
    long frame[4] = {};
    int writes = 0;
};

class DivxDecoder : public Filter, public IDivXFilterInterface {
  public:
    explicit DivxDecoder(FilterGraph* graph);
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    STANDIN_UNMODELLED(DivxDecoder, Unused3, ());
    STANDIN_UNMODELLED(DivxDecoder, Unused4, ());
    STANDIN_UNMODELLED(DivxDecoder, Unused5, ());
    STANDIN_UNMODELLED(DivxDecoder, Unused6, ());
    HRESULT STDMETHODCALLTYPE SetBrightness(int value) override;
    HRESULT STDMETHODCALLTYPE SetContrast(int value) override;
    HRESULT STDMETHODCALLTYPE SetSaturation(int value) override;
    STANDIN_UNMODELLED(DivxDecoder, Unused10, ());
    HRESULT STDMETHODCALLTYPE GetBrightness(int* value) override;
    HRESULT STDMETHODCALLTYPE GetContrast(int* value) override;
    HRESULT STDMETHODCALLTYPE GetSaturation(int* value) override;
    void Describe(DecoderView* view) const override;

  protected:
    void* ExtraInterface(REFIID iid) override;

  private:
    int brightness = 0;
    int contrast = 0;
    int saturation = 0;
};

// The filters of one rendered file, built by RenderFile: the caller owns one reference on each.
Filter* NewSourceFilter(FilterGraph* graph, const std::u16string& name);
Filter* NewDecoderFilter(FilterGraph* graph, const std::string& fourcc);
Filter* NewAudioRendererFilter(FilterGraph* graph);

// FourCC comparison ignoring ASCII case, as codec look-up does.
bool SameFourcc(const std::string& a, const char* b);

} // namespace dshow
} // namespace standin

// The interfaces of the simulated filter graph manager. Each is a small part object inside the
// FilterGraph that forwards its IUnknown to the graph, so every interface shares one reference
// count as on Windows.
#pragma once

#include <dshow.h>

namespace standin {
namespace dshow {

class FilterGraph;

template <class Interface> class GraphPart : public Interface {
  public:
    explicit GraphPart(FilterGraph* graph) : graph(graph) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

  protected:
    FilterGraph* graph;
};

// The automation slots of the IDispatch-based interfaces: not implemented, as the module never
// scripts the graph.
template <class Interface> class DispatchPart : public GraphPart<Interface> {
  public:
    using GraphPart<Interface>::GraphPart;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count)
            *count = 0;
        return Unmodelled("IDispatch::GetTypeInfoCount");
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override {
        return Unmodelled("IDispatch::GetTypeInfo");
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return Unmodelled("IDispatch::GetIDsOfNames");
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return Unmodelled("IDispatch::Invoke");
    }
};

#define PART_METHOD(name) HRESULT STDMETHODCALLTYPE name

class GraphBuilderPart : public GraphPart<IGraphBuilder> {
  public:
    using GraphPart::GraphPart;
    PART_METHOD(AddFilter)(IBaseFilter* filter, LPCWSTR name) override;
    PART_METHOD(RemoveFilter)(IBaseFilter* filter) override;
    PART_METHOD(EnumFilters)(IEnumFilters** enumerator) override;
    PART_METHOD(FindFilterByName)(LPCWSTR name, IBaseFilter** filter) override;
    PART_METHOD(ConnectDirect)(IPin* out, IPin* in, const AM_MEDIA_TYPE* type) override;
    PART_METHOD(Reconnect)(IPin* pin) override;
    PART_METHOD(Disconnect)(IPin* pin) override;
    PART_METHOD(SetDefaultSyncSource)() override;
    PART_METHOD(Connect)(IPin* out, IPin* in) override;
    PART_METHOD(Render)(IPin* out) override;
    PART_METHOD(RenderFile)(LPCWSTR file, LPCWSTR playList) override;
    PART_METHOD(AddSourceFilter)(LPCWSTR file, LPCWSTR name, IBaseFilter** filter) override;
    PART_METHOD(SetLogFile)(DWORD_PTR file) override;
    PART_METHOD(Abort)() override;
    PART_METHOD(ShouldOperationContinue)() override;
};

class MediaControlPart : public DispatchPart<IMediaControl> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(Run)() override;
    PART_METHOD(Pause)() override;
    PART_METHOD(Stop)() override;
    PART_METHOD(GetState)(LONG timeout, OAFilterState* state) override;
    PART_METHOD(RenderFile)(BSTR file) override;
    PART_METHOD(AddSourceFilter)(BSTR file, IDispatch** filter) override;
    PART_METHOD(get_FilterCollection)(IDispatch** collection) override;
    PART_METHOD(get_RegFilterCollection)(IDispatch** collection) override;
    PART_METHOD(StopWhenReady)() override;
};

class MediaEventPart : public DispatchPart<IMediaEventEx> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(GetEventHandle)(OAEVENT* handle) override;
    PART_METHOD(GetEvent)(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeout) override;
    PART_METHOD(WaitForCompletion)(long timeout, long* code) override;
    PART_METHOD(CancelDefaultHandling)(long code) override;
    PART_METHOD(RestoreDefaultHandling)(long code) override;
    PART_METHOD(FreeEventParams)(long code, LONG_PTR param1, LONG_PTR param2) override;
    PART_METHOD(SetNotifyWindow)(OAHWND window, long message, LONG_PTR instance) override;
    PART_METHOD(SetNotifyFlags)(long flags) override;
    PART_METHOD(GetNotifyFlags)(long* flags) override;
};

class MediaSeekingPart : public GraphPart<IMediaSeeking> {
  public:
    using GraphPart::GraphPart;
    PART_METHOD(GetCapabilities)(DWORD* capabilities) override;
    PART_METHOD(CheckCapabilities)(DWORD* capabilities) override;
    PART_METHOD(IsFormatSupported)(const GUID* format) override;
    PART_METHOD(QueryPreferredFormat)(GUID* format) override;
    PART_METHOD(GetTimeFormat)(GUID* format) override;
    PART_METHOD(IsUsingTimeFormat)(const GUID* format) override;
    PART_METHOD(SetTimeFormat)(const GUID* format) override;
    PART_METHOD(GetDuration)(LONGLONG* duration) override;
    PART_METHOD(GetStopPosition)(LONGLONG* stop) override;
    PART_METHOD(GetCurrentPosition)(LONGLONG* current) override;
    PART_METHOD(ConvertTimeFormat)
    (LONGLONG* target, const GUID* targetFormat, LONGLONG source,
     const GUID* sourceFormat) override;
    PART_METHOD(SetPositions)
    (LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
    PART_METHOD(GetPositions)(LONGLONG* current, LONGLONG* stop) override;
    PART_METHOD(GetAvailable)(LONGLONG* earliest, LONGLONG* latest) override;
    PART_METHOD(SetRate)(double rate) override;
    PART_METHOD(GetRate)(double* rate) override;
    PART_METHOD(GetPreroll)(LONGLONG* preroll) override;
};

class MediaPositionPart : public DispatchPart<IMediaPosition> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(get_Duration)(REFTIME* length) override;
    PART_METHOD(put_CurrentPosition)(REFTIME time) override;
    PART_METHOD(get_CurrentPosition)(REFTIME* time) override;
    PART_METHOD(get_StopTime)(REFTIME* time) override;
    PART_METHOD(put_StopTime)(REFTIME time) override;
    PART_METHOD(get_PrerollTime)(REFTIME* time) override;
    PART_METHOD(put_PrerollTime)(REFTIME time) override;
    PART_METHOD(put_Rate)(double rate) override;
    PART_METHOD(get_Rate)(double* rate) override;
    PART_METHOD(CanSeekForward)(LONG* can) override;
    PART_METHOD(CanSeekBackward)(LONG* can) override;
};

class FrameStepPart : public GraphPart<IVideoFrameStep> {
  public:
    using GraphPart::GraphPart;
    PART_METHOD(Step)(DWORD frames, IUnknown* stepObject) override;
    PART_METHOD(CanStep)(LONG multiple, IUnknown* stepObject) override;
    PART_METHOD(CancelStep)() override;
};

class VideoWindowPart : public DispatchPart<IVideoWindow> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(put_Caption)(BSTR caption) override;
    PART_METHOD(get_Caption)(BSTR* caption) override;
    PART_METHOD(put_WindowStyle)(long style) override;
    PART_METHOD(get_WindowStyle)(long* style) override;
    PART_METHOD(put_WindowStyleEx)(long style) override;
    PART_METHOD(get_WindowStyleEx)(long* style) override;
    PART_METHOD(put_AutoShow)(long autoShow) override;
    PART_METHOD(get_AutoShow)(long* autoShow) override;
    PART_METHOD(put_WindowState)(long state) override;
    PART_METHOD(get_WindowState)(long* state) override;
    PART_METHOD(put_BackgroundPalette)(long palette) override;
    PART_METHOD(get_BackgroundPalette)(long* palette) override;
    PART_METHOD(put_Visible)(long visible) override;
    PART_METHOD(get_Visible)(long* visible) override;
    PART_METHOD(put_Left)(long left) override;
    PART_METHOD(get_Left)(long* left) override;
    PART_METHOD(put_Width)(long width) override;
    PART_METHOD(get_Width)(long* width) override;
    PART_METHOD(put_Top)(long top) override;
    PART_METHOD(get_Top)(long* top) override;
    PART_METHOD(put_Height)(long height) override;
    PART_METHOD(get_Height)(long* height) override;
    PART_METHOD(put_Owner)(OAHWND owner) override;
    PART_METHOD(get_Owner)(OAHWND* owner) override;
    PART_METHOD(put_MessageDrain)(OAHWND drain) override;
    PART_METHOD(get_MessageDrain)(OAHWND* drain) override;
    PART_METHOD(get_BorderColor)(long* color) override;
    PART_METHOD(put_BorderColor)(long color) override;
    PART_METHOD(get_FullScreenMode)(long* mode) override;
    PART_METHOD(put_FullScreenMode)(long mode) override;
    PART_METHOD(SetWindowForeground)(long focus) override;
    PART_METHOD(NotifyOwnerMessage)
    (OAHWND window, long message, LONG_PTR wParam, LONG_PTR lParam) override;
    PART_METHOD(SetWindowPosition)(long left, long top, long width, long height) override;
    PART_METHOD(GetWindowPosition)(long* left, long* top, long* width, long* height) override;
    PART_METHOD(GetMinIdealImageSize)(long* width, long* height) override;
    PART_METHOD(GetMaxIdealImageSize)(long* width, long* height) override;
    PART_METHOD(GetRestorePosition)(long* left, long* top, long* width, long* height) override;
    PART_METHOD(HideCursor)(long hide) override;
    PART_METHOD(IsCursorHidden)(long* hidden) override;
};

class BasicVideoPart : public DispatchPart<IBasicVideo> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(get_AvgTimePerFrame)(REFTIME* time) override;
    PART_METHOD(get_BitRate)(long* rate) override;
    PART_METHOD(get_BitErrorRate)(long* rate) override;
    PART_METHOD(get_VideoWidth)(long* width) override;
    PART_METHOD(get_VideoHeight)(long* height) override;
    PART_METHOD(put_SourceLeft)(long value) override;
    PART_METHOD(get_SourceLeft)(long* value) override;
    PART_METHOD(put_SourceWidth)(long value) override;
    PART_METHOD(get_SourceWidth)(long* value) override;
    PART_METHOD(put_SourceTop)(long value) override;
    PART_METHOD(get_SourceTop)(long* value) override;
    PART_METHOD(put_SourceHeight)(long value) override;
    PART_METHOD(get_SourceHeight)(long* value) override;
    PART_METHOD(put_DestinationLeft)(long value) override;
    PART_METHOD(get_DestinationLeft)(long* value) override;
    PART_METHOD(put_DestinationWidth)(long value) override;
    PART_METHOD(get_DestinationWidth)(long* value) override;
    PART_METHOD(put_DestinationTop)(long value) override;
    PART_METHOD(get_DestinationTop)(long* value) override;
    PART_METHOD(put_DestinationHeight)(long value) override;
    PART_METHOD(get_DestinationHeight)(long* value) override;
    PART_METHOD(SetSourcePosition)(long left, long top, long width, long height) override;
    PART_METHOD(GetSourcePosition)(long* left, long* top, long* width, long* height) override;
    PART_METHOD(SetDefaultSourcePosition)() override;
    PART_METHOD(SetDestinationPosition)(long left, long top, long width, long height) override;
    PART_METHOD(GetDestinationPosition)(long* left, long* top, long* width, long* height) override;
    PART_METHOD(SetDefaultDestinationPosition)() override;
    PART_METHOD(GetVideoSize)(long* width, long* height) override;
    PART_METHOD(GetVideoPaletteEntries)
    (long start, long entries, long* retrieved, long* palette) override;
    PART_METHOD(GetCurrentImage)(long* bufferSize, long* image) override;
    PART_METHOD(IsUsingDefaultSource)() override;
    PART_METHOD(IsUsingDefaultDestination)() override;
};

class BasicAudioPart : public DispatchPart<IBasicAudio> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(put_Volume)(long volume) override;
    PART_METHOD(get_Volume)(long* volume) override;
    PART_METHOD(put_Balance)(long balance) override;
    PART_METHOD(get_Balance)(long* balance) override;
};

#undef PART_METHOD

} // namespace dshow
} // namespace standin

// The interfaces of the simulated filter graph manager. Each is a small part object inside the
// FilterGraph that forwards its IUnknown to the graph, so every interface shares one reference
// count as on Windows.
#pragma once

#include <dshow.h>

#include "standin/faults.h"

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

// The automation slots of the IDispatch-based interfaces: the module never scripts the graph.
template <class Interface> class DispatchPart : public GraphPart<Interface> {
  public:
    using GraphPart<Interface>::GraphPart;
    STANDIN_UNMODELLED(IDispatch, GetTypeInfoCount, (UINT*));
    STANDIN_UNMODELLED(IDispatch, GetTypeInfo, (UINT, LCID, ITypeInfo**));
    STANDIN_UNMODELLED(IDispatch, GetIDsOfNames, (REFIID, LPOLESTR*, UINT, LCID, DISPID*));
    STANDIN_UNMODELLED(IDispatch, Invoke,
                       (DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*));
};

// Each part models the methods the module and the tests call; the rest of its interface answers
// through Unmodelled until something needs it.
#define PART_METHOD(name) HRESULT STDMETHODCALLTYPE name

class GraphBuilderPart : public GraphPart<IGraphBuilder> {
  public:
    using GraphPart::GraphPart;
    PART_METHOD(AddFilter)(IBaseFilter* filter, LPCWSTR name) override;
    PART_METHOD(RemoveFilter)(IBaseFilter* filter) override;
    PART_METHOD(EnumFilters)(IEnumFilters** enumerator) override;
    PART_METHOD(FindFilterByName)(LPCWSTR name, IBaseFilter** filter) override;
    PART_METHOD(RenderFile)(LPCWSTR file, LPCWSTR playList) override;

    STANDIN_UNMODELLED(GraphBuilderPart, ConnectDirect, (IPin*, IPin*, const AM_MEDIA_TYPE*));
    STANDIN_UNMODELLED(GraphBuilderPart, Reconnect, (IPin*));
    STANDIN_UNMODELLED(GraphBuilderPart, Disconnect, (IPin*));
    STANDIN_UNMODELLED(GraphBuilderPart, SetDefaultSyncSource, ());
    STANDIN_UNMODELLED(GraphBuilderPart, Connect, (IPin*, IPin*));
    STANDIN_UNMODELLED(GraphBuilderPart, Render, (IPin*));
    STANDIN_UNMODELLED(GraphBuilderPart, AddSourceFilter, (LPCWSTR, LPCWSTR, IBaseFilter**));
    STANDIN_UNMODELLED(GraphBuilderPart, SetLogFile, (DWORD_PTR));
    STANDIN_UNMODELLED(GraphBuilderPart, Abort, ());
    STANDIN_UNMODELLED(GraphBuilderPart, ShouldOperationContinue, ());
};

class MediaControlPart : public DispatchPart<IMediaControl> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(Run)() override;
    PART_METHOD(Pause)() override;
    PART_METHOD(Stop)() override;
    PART_METHOD(GetState)(LONG timeout, OAFilterState* state) override;
    PART_METHOD(StopWhenReady)() override;

    STANDIN_UNMODELLED(MediaControlPart, RenderFile, (BSTR));
    STANDIN_UNMODELLED(MediaControlPart, AddSourceFilter, (BSTR, IDispatch**));
    STANDIN_UNMODELLED(MediaControlPart, get_FilterCollection, (IDispatch**));
    STANDIN_UNMODELLED(MediaControlPart, get_RegFilterCollection, (IDispatch**));
};

class MediaEventPart : public DispatchPart<IMediaEventEx> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(GetEvent)(long* code, LONG_PTR* param1, LONG_PTR* param2, long timeout) override;
    PART_METHOD(WaitForCompletion)(long timeout, long* code) override;
    PART_METHOD(FreeEventParams)(long code, LONG_PTR param1, LONG_PTR param2) override;
    PART_METHOD(SetNotifyWindow)(OAHWND window, long message, LONG_PTR instance) override;

    STANDIN_UNMODELLED(MediaEventPart, GetEventHandle, (OAEVENT*));
    STANDIN_UNMODELLED(MediaEventPart, CancelDefaultHandling, (long));
    STANDIN_UNMODELLED(MediaEventPart, RestoreDefaultHandling, (long));
    STANDIN_UNMODELLED(MediaEventPart, SetNotifyFlags, (long));
    STANDIN_UNMODELLED(MediaEventPart, GetNotifyFlags, (long*));
};

class MediaSeekingPart : public GraphPart<IMediaSeeking> {
  public:
    using GraphPart::GraphPart;
    PART_METHOD(GetTimeFormat)(GUID* format) override;
    PART_METHOD(SetTimeFormat)(const GUID* format) override;
    PART_METHOD(GetDuration)(LONGLONG* duration) override;
    PART_METHOD(GetCurrentPosition)(LONGLONG* current) override;
    PART_METHOD(SetPositions)
    (LONGLONG* current, DWORD currentFlags, LONGLONG* stop, DWORD stopFlags) override;
    PART_METHOD(GetPositions)(LONGLONG* current, LONGLONG* stop) override;

    STANDIN_UNMODELLED(MediaSeekingPart, GetCapabilities, (DWORD*));
    STANDIN_UNMODELLED(MediaSeekingPart, CheckCapabilities, (DWORD*));
    STANDIN_UNMODELLED(MediaSeekingPart, IsFormatSupported, (const GUID*));
    STANDIN_UNMODELLED(MediaSeekingPart, QueryPreferredFormat, (GUID*));
    STANDIN_UNMODELLED(MediaSeekingPart, IsUsingTimeFormat, (const GUID*));
    STANDIN_UNMODELLED(MediaSeekingPart, GetStopPosition, (LONGLONG*));
    STANDIN_UNMODELLED(MediaSeekingPart, ConvertTimeFormat,
                       (LONGLONG*, const GUID*, LONGLONG, const GUID*));
    STANDIN_UNMODELLED(MediaSeekingPart, GetAvailable, (LONGLONG*, LONGLONG*));
    STANDIN_UNMODELLED(MediaSeekingPart, SetRate, (double));
    STANDIN_UNMODELLED(MediaSeekingPart, GetRate, (double*));
    STANDIN_UNMODELLED(MediaSeekingPart, GetPreroll, (LONGLONG*));
};

class MediaPositionPart : public DispatchPart<IMediaPosition> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(get_Duration)(REFTIME* length) override;
    PART_METHOD(put_CurrentPosition)(REFTIME time) override;
    PART_METHOD(get_CurrentPosition)(REFTIME* time) override;
    PART_METHOD(put_Rate)(double rate) override;
    PART_METHOD(get_Rate)(double* rate) override;

    STANDIN_UNMODELLED(MediaPositionPart, get_StopTime, (REFTIME*));
    STANDIN_UNMODELLED(MediaPositionPart, put_StopTime, (REFTIME));
    STANDIN_UNMODELLED(MediaPositionPart, get_PrerollTime, (REFTIME*));
    STANDIN_UNMODELLED(MediaPositionPart, put_PrerollTime, (REFTIME));
    STANDIN_UNMODELLED(MediaPositionPart, CanSeekForward, (LONG*));
    STANDIN_UNMODELLED(MediaPositionPart, CanSeekBackward, (LONG*));
};

class FrameStepPart : public GraphPart<IVideoFrameStep> {
  public:
    using GraphPart::GraphPart;
    PART_METHOD(Step)(DWORD frames, IUnknown* stepObject) override;
    PART_METHOD(CanStep)(LONG multiple, IUnknown* stepObject) override;

    STANDIN_UNMODELLED(FrameStepPart, CancelStep, ());
};

class VideoWindowPart : public DispatchPart<IVideoWindow> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(put_WindowStyle)(long style) override;
    PART_METHOD(put_WindowStyleEx)(long style) override;
    PART_METHOD(get_WindowStyle)(long* style) override;
    PART_METHOD(get_WindowStyleEx)(long* style) override;
    PART_METHOD(put_Visible)(long visible) override;
    PART_METHOD(get_Visible)(long* visible) override;
    PART_METHOD(put_Owner)(OAHWND owner) override;
    PART_METHOD(put_MessageDrain)(OAHWND drain) override;
    PART_METHOD(put_BorderColor)(long color) override;
    PART_METHOD(put_FullScreenMode)(long mode) override;
    PART_METHOD(SetWindowForeground)(long focus) override;
    PART_METHOD(NotifyOwnerMessage)
    (OAHWND window, long message, LONG_PTR wParam, LONG_PTR lParam) override;
    PART_METHOD(SetWindowPosition)(long left, long top, long width, long height) override;
    PART_METHOD(HideCursor)(long hide) override;

    STANDIN_UNMODELLED(VideoWindowPart, put_Caption, (BSTR));
    STANDIN_UNMODELLED(VideoWindowPart, get_Caption, (BSTR*));
    STANDIN_UNMODELLED(VideoWindowPart, put_AutoShow, (long));
    STANDIN_UNMODELLED(VideoWindowPart, get_AutoShow, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, put_WindowState, (long));
    STANDIN_UNMODELLED(VideoWindowPart, get_WindowState, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, put_BackgroundPalette, (long));
    STANDIN_UNMODELLED(VideoWindowPart, get_BackgroundPalette, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, put_Left, (long));
    STANDIN_UNMODELLED(VideoWindowPart, get_Left, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, put_Width, (long));
    STANDIN_UNMODELLED(VideoWindowPart, get_Width, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, put_Top, (long));
    STANDIN_UNMODELLED(VideoWindowPart, get_Top, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, put_Height, (long));
    STANDIN_UNMODELLED(VideoWindowPart, get_Height, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, get_Owner, (OAHWND*));
    STANDIN_UNMODELLED(VideoWindowPart, get_MessageDrain, (OAHWND*));
    STANDIN_UNMODELLED(VideoWindowPart, get_BorderColor, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, get_FullScreenMode, (long*));
    STANDIN_UNMODELLED(VideoWindowPart, GetWindowPosition, (long*, long*, long*, long*));
    STANDIN_UNMODELLED(VideoWindowPart, GetMinIdealImageSize, (long*, long*));
    STANDIN_UNMODELLED(VideoWindowPart, GetMaxIdealImageSize, (long*, long*));
    STANDIN_UNMODELLED(VideoWindowPart, GetRestorePosition, (long*, long*, long*, long*));
    STANDIN_UNMODELLED(VideoWindowPart, IsCursorHidden, (long*));
};

class BasicVideoPart : public DispatchPart<IBasicVideo> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(get_AvgTimePerFrame)(REFTIME* time) override;
    PART_METHOD(get_VideoWidth)(long* width) override;
    PART_METHOD(get_VideoHeight)(long* height) override;
    PART_METHOD(put_SourceWidth)(long width) override;
    PART_METHOD(SetSourcePosition)(long left, long top, long width, long height) override;
    PART_METHOD(SetDestinationPosition)(long left, long top, long width, long height) override;
    PART_METHOD(GetDestinationPosition)(long* left, long* top, long* width, long* height) override;
    PART_METHOD(GetVideoSize)(long* width, long* height) override;
    PART_METHOD(GetCurrentImage)(long* bufferSize, long* image) override;
    PART_METHOD(IsUsingDefaultSource)() override;

    STANDIN_UNMODELLED(BasicVideoPart, get_BitRate, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, get_BitErrorRate, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, put_SourceLeft, (long));
    STANDIN_UNMODELLED(BasicVideoPart, get_SourceLeft, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, get_SourceWidth, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, put_SourceTop, (long));
    STANDIN_UNMODELLED(BasicVideoPart, get_SourceTop, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, put_SourceHeight, (long));
    STANDIN_UNMODELLED(BasicVideoPart, get_SourceHeight, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, put_DestinationLeft, (long));
    STANDIN_UNMODELLED(BasicVideoPart, get_DestinationLeft, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, put_DestinationWidth, (long));
    STANDIN_UNMODELLED(BasicVideoPart, get_DestinationWidth, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, put_DestinationTop, (long));
    STANDIN_UNMODELLED(BasicVideoPart, get_DestinationTop, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, put_DestinationHeight, (long));
    STANDIN_UNMODELLED(BasicVideoPart, get_DestinationHeight, (long*));
    STANDIN_UNMODELLED(BasicVideoPart, GetSourcePosition, (long*, long*, long*, long*));
    STANDIN_UNMODELLED(BasicVideoPart, SetDefaultSourcePosition, ());
    STANDIN_UNMODELLED(BasicVideoPart, SetDefaultDestinationPosition, ());
    STANDIN_UNMODELLED(BasicVideoPart, GetVideoPaletteEntries, (long, long, long*, long*));
    STANDIN_UNMODELLED(BasicVideoPart, IsUsingDefaultDestination, ());
};

class BasicAudioPart : public DispatchPart<IBasicAudio> {
  public:
    using DispatchPart::DispatchPart;
    PART_METHOD(put_Volume)(long volume) override;
    PART_METHOD(get_Volume)(long* volume) override;

    STANDIN_UNMODELLED(BasicAudioPart, put_Balance, (long));
    STANDIN_UNMODELLED(BasicAudioPart, get_Balance, (long*));
};

#undef PART_METHOD

} // namespace dshow
} // namespace standin

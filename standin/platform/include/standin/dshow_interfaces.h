// DirectShow interfaces with the platform's slot order and signatures (strmif.h, control.h,
// amvideo.h), so calls through them compile and dispatch the same on both builds.
#pragma once

#include "standin/dshow_types.h"

#define DSHOW_METHOD(name) virtual HRESULT STDMETHODCALLTYPE name

struct IPin : public IUnknown {
    DSHOW_METHOD(Connect)(IPin* pReceivePin, const AM_MEDIA_TYPE* pmt) = 0;
    DSHOW_METHOD(ReceiveConnection)(IPin* pConnector, const AM_MEDIA_TYPE* pmt) = 0;
    DSHOW_METHOD(Disconnect)() = 0;
    DSHOW_METHOD(ConnectedTo)(IPin** pPin) = 0;
    DSHOW_METHOD(ConnectionMediaType)(AM_MEDIA_TYPE* pmt) = 0;
    DSHOW_METHOD(QueryPinInfo)(PIN_INFO* pInfo) = 0;
    DSHOW_METHOD(QueryDirection)(PIN_DIRECTION* pPinDir) = 0;
    DSHOW_METHOD(QueryId)(LPWSTR* Id) = 0;
    DSHOW_METHOD(QueryAccept)(const AM_MEDIA_TYPE* pmt) = 0;
    DSHOW_METHOD(EnumMediaTypes)(IEnumMediaTypes** ppEnum) = 0;
    DSHOW_METHOD(QueryInternalConnections)(IPin** apPin, ULONG* nPin) = 0;
    DSHOW_METHOD(EndOfStream)() = 0;
    DSHOW_METHOD(BeginFlush)() = 0;
    DSHOW_METHOD(EndFlush)() = 0;
    DSHOW_METHOD(NewSegment)(REFERENCE_TIME tStart, REFERENCE_TIME tStop, double dRate) = 0;
};

struct IEnumPins : public IUnknown {
    DSHOW_METHOD(Next)(ULONG cPins, IPin** ppPins, ULONG* pcFetched) = 0;
    DSHOW_METHOD(Skip)(ULONG cPins) = 0;
    DSHOW_METHOD(Reset)() = 0;
    DSHOW_METHOD(Clone)(IEnumPins** ppEnum) = 0;
};

struct IPersist : public IUnknown {
    DSHOW_METHOD(GetClassID)(CLSID* pClassID) = 0;
};

struct IMediaFilter : public IPersist {
    DSHOW_METHOD(Stop)() = 0;
    DSHOW_METHOD(Pause)() = 0;
    DSHOW_METHOD(Run)(REFERENCE_TIME tStart) = 0;
    DSHOW_METHOD(GetState)(DWORD dwMilliSecsTimeout, FILTER_STATE* State) = 0;
    DSHOW_METHOD(SetSyncSource)(IReferenceClock* pClock) = 0;
    DSHOW_METHOD(GetSyncSource)(IReferenceClock** pClock) = 0;
};

struct IBaseFilter : public IMediaFilter {
    DSHOW_METHOD(EnumPins)(IEnumPins** ppEnum) = 0;
    DSHOW_METHOD(FindPin)(LPCWSTR Id, IPin** ppPin) = 0;
    DSHOW_METHOD(QueryFilterInfo)(FILTER_INFO* pInfo) = 0;
    DSHOW_METHOD(JoinFilterGraph)(IFilterGraph* pGraph, LPCWSTR pName) = 0;
    DSHOW_METHOD(QueryVendorInfo)(LPWSTR* pVendorInfo) = 0;
};

struct IEnumFilters : public IUnknown {
    DSHOW_METHOD(Next)(ULONG cFilters, IBaseFilter** ppFilter, ULONG* pcFetched) = 0;
    DSHOW_METHOD(Skip)(ULONG cFilters) = 0;
    DSHOW_METHOD(Reset)() = 0;
    DSHOW_METHOD(Clone)(IEnumFilters** ppEnum) = 0;
};

struct IFilterGraph : public IUnknown {
    DSHOW_METHOD(AddFilter)(IBaseFilter* pFilter, LPCWSTR pName) = 0;
    DSHOW_METHOD(RemoveFilter)(IBaseFilter* pFilter) = 0;
    DSHOW_METHOD(EnumFilters)(IEnumFilters** ppEnum) = 0;
    DSHOW_METHOD(FindFilterByName)(LPCWSTR pName, IBaseFilter** ppFilter) = 0;
    DSHOW_METHOD(ConnectDirect)(IPin* ppinOut, IPin* ppinIn, const AM_MEDIA_TYPE* pmt) = 0;
    DSHOW_METHOD(Reconnect)(IPin* ppin) = 0;
    DSHOW_METHOD(Disconnect)(IPin* ppin) = 0;
    DSHOW_METHOD(SetDefaultSyncSource)() = 0;
};

struct IGraphBuilder : public IFilterGraph {
    DSHOW_METHOD(Connect)(IPin* ppinOut, IPin* ppinIn) = 0;
    DSHOW_METHOD(Render)(IPin* ppinOut) = 0;
    DSHOW_METHOD(RenderFile)(LPCWSTR lpcwstrFile, LPCWSTR lpcwstrPlayList) = 0;
    DSHOW_METHOD(AddSourceFilter)
    (LPCWSTR lpcwstrFileName, LPCWSTR lpcwstrFilterName, IBaseFilter** ppFilter) = 0;
    DSHOW_METHOD(SetLogFile)(DWORD_PTR hFile) = 0;
    DSHOW_METHOD(Abort)() = 0;
    DSHOW_METHOD(ShouldOperationContinue)() = 0;
};

struct IMediaSeeking : public IUnknown {
    DSHOW_METHOD(GetCapabilities)(DWORD* pCapabilities) = 0;
    DSHOW_METHOD(CheckCapabilities)(DWORD* pCapabilities) = 0;
    DSHOW_METHOD(IsFormatSupported)(const GUID* pFormat) = 0;
    DSHOW_METHOD(QueryPreferredFormat)(GUID* pFormat) = 0;
    DSHOW_METHOD(GetTimeFormat)(GUID* pFormat) = 0;
    DSHOW_METHOD(IsUsingTimeFormat)(const GUID* pFormat) = 0;
    DSHOW_METHOD(SetTimeFormat)(const GUID* pFormat) = 0;
    DSHOW_METHOD(GetDuration)(LONGLONG* pDuration) = 0;
    DSHOW_METHOD(GetStopPosition)(LONGLONG* pStop) = 0;
    DSHOW_METHOD(GetCurrentPosition)(LONGLONG* pCurrent) = 0;
    DSHOW_METHOD(ConvertTimeFormat)
    (LONGLONG* pTarget, const GUID* pTargetFormat, LONGLONG Source, const GUID* pSourceFormat) = 0;
    DSHOW_METHOD(SetPositions)
    (LONGLONG* pCurrent, DWORD dwCurrentFlags, LONGLONG* pStop, DWORD dwStopFlags) = 0;
    DSHOW_METHOD(GetPositions)(LONGLONG* pCurrent, LONGLONG* pStop) = 0;
    DSHOW_METHOD(GetAvailable)(LONGLONG* pEarliest, LONGLONG* pLatest) = 0;
    DSHOW_METHOD(SetRate)(double dRate) = 0;
    DSHOW_METHOD(GetRate)(double* pdRate) = 0;
    DSHOW_METHOD(GetPreroll)(LONGLONG* pllPreroll) = 0;
};

struct IVideoFrameStep : public IUnknown {
    DSHOW_METHOD(Step)(DWORD dwFrames, IUnknown* pStepObject) = 0;
    DSHOW_METHOD(CanStep)(LONG bMultiple, IUnknown* pStepObject) = 0;
    DSHOW_METHOD(CancelStep)() = 0;
};

struct IMediaControl : public IDispatch {
    DSHOW_METHOD(Run)() = 0;
    DSHOW_METHOD(Pause)() = 0;
    DSHOW_METHOD(Stop)() = 0;
    DSHOW_METHOD(GetState)(LONG msTimeout, OAFilterState* pfs) = 0;
    DSHOW_METHOD(RenderFile)(BSTR strFilename) = 0;
    DSHOW_METHOD(AddSourceFilter)(BSTR strFilename, IDispatch** ppUnk) = 0;
    DSHOW_METHOD(get_FilterCollection)(IDispatch** ppUnk) = 0;
    DSHOW_METHOD(get_RegFilterCollection)(IDispatch** ppUnk) = 0;
    DSHOW_METHOD(StopWhenReady)() = 0;
};

struct IMediaEvent : public IDispatch {
    DSHOW_METHOD(GetEventHandle)(OAEVENT* hEvent) = 0;
    DSHOW_METHOD(GetEvent)
    (long* lEventCode, LONG_PTR* lParam1, LONG_PTR* lParam2, long msTimeout) = 0;
    DSHOW_METHOD(WaitForCompletion)(long msTimeout, long* pEvCode) = 0;
    DSHOW_METHOD(CancelDefaultHandling)(long lEvCode) = 0;
    DSHOW_METHOD(RestoreDefaultHandling)(long lEvCode) = 0;
    DSHOW_METHOD(FreeEventParams)(long lEvCode, LONG_PTR lParam1, LONG_PTR lParam2) = 0;
};

struct IMediaEventEx : public IMediaEvent {
    DSHOW_METHOD(SetNotifyWindow)(OAHWND hwnd, long lMsg, LONG_PTR lInstanceData) = 0;
    DSHOW_METHOD(SetNotifyFlags)(long lNoNotifyFlags) = 0;
    DSHOW_METHOD(GetNotifyFlags)(long* lplNoNotifyFlags) = 0;
};

struct IMediaPosition : public IDispatch {
    DSHOW_METHOD(get_Duration)(REFTIME* plength) = 0;
    DSHOW_METHOD(put_CurrentPosition)(REFTIME llTime) = 0;
    DSHOW_METHOD(get_CurrentPosition)(REFTIME* pllTime) = 0;
    DSHOW_METHOD(get_StopTime)(REFTIME* pllTime) = 0;
    DSHOW_METHOD(put_StopTime)(REFTIME llTime) = 0;
    DSHOW_METHOD(get_PrerollTime)(REFTIME* pllTime) = 0;
    DSHOW_METHOD(put_PrerollTime)(REFTIME llTime) = 0;
    DSHOW_METHOD(put_Rate)(double dRate) = 0;
    DSHOW_METHOD(get_Rate)(double* pdRate) = 0;
    DSHOW_METHOD(CanSeekForward)(LONG* pCanSeekForward) = 0;
    DSHOW_METHOD(CanSeekBackward)(LONG* pCanSeekBackward) = 0;
};

struct IVideoWindow : public IDispatch {
    DSHOW_METHOD(put_Caption)(BSTR strCaption) = 0;
    DSHOW_METHOD(get_Caption)(BSTR* strCaption) = 0;
    DSHOW_METHOD(put_WindowStyle)(long WindowStyle) = 0;
    DSHOW_METHOD(get_WindowStyle)(long* WindowStyle) = 0;
    DSHOW_METHOD(put_WindowStyleEx)(long WindowStyleEx) = 0;
    DSHOW_METHOD(get_WindowStyleEx)(long* WindowStyleEx) = 0;
    DSHOW_METHOD(put_AutoShow)(long AutoShow) = 0;
    DSHOW_METHOD(get_AutoShow)(long* AutoShow) = 0;
    DSHOW_METHOD(put_WindowState)(long WindowState) = 0;
    DSHOW_METHOD(get_WindowState)(long* WindowState) = 0;
    DSHOW_METHOD(put_BackgroundPalette)(long BackgroundPalette) = 0;
    DSHOW_METHOD(get_BackgroundPalette)(long* pBackgroundPalette) = 0;
    DSHOW_METHOD(put_Visible)(long Visible) = 0;
    DSHOW_METHOD(get_Visible)(long* pVisible) = 0;
    DSHOW_METHOD(put_Left)(long Left) = 0;
    DSHOW_METHOD(get_Left)(long* pLeft) = 0;
    DSHOW_METHOD(put_Width)(long Width) = 0;
    DSHOW_METHOD(get_Width)(long* pWidth) = 0;
    DSHOW_METHOD(put_Top)(long Top) = 0;
    DSHOW_METHOD(get_Top)(long* pTop) = 0;
    DSHOW_METHOD(put_Height)(long Height) = 0;
    DSHOW_METHOD(get_Height)(long* pHeight) = 0;
    DSHOW_METHOD(put_Owner)(OAHWND Owner) = 0;
    DSHOW_METHOD(get_Owner)(OAHWND* Owner) = 0;
    DSHOW_METHOD(put_MessageDrain)(OAHWND Drain) = 0;
    DSHOW_METHOD(get_MessageDrain)(OAHWND* Drain) = 0;
    DSHOW_METHOD(get_BorderColor)(long* Color) = 0;
    DSHOW_METHOD(put_BorderColor)(long Color) = 0;
    DSHOW_METHOD(get_FullScreenMode)(long* FullScreenMode) = 0;
    DSHOW_METHOD(put_FullScreenMode)(long FullScreenMode) = 0;
    DSHOW_METHOD(SetWindowForeground)(long Focus) = 0;
    DSHOW_METHOD(NotifyOwnerMessage)(OAHWND hwnd, long uMsg, LONG_PTR wParam, LONG_PTR lParam) = 0;
    DSHOW_METHOD(SetWindowPosition)(long Left, long Top, long Width, long Height) = 0;
    DSHOW_METHOD(GetWindowPosition)(long* pLeft, long* pTop, long* pWidth, long* pHeight) = 0;
    DSHOW_METHOD(GetMinIdealImageSize)(long* pWidth, long* pHeight) = 0;
    DSHOW_METHOD(GetMaxIdealImageSize)(long* pWidth, long* pHeight) = 0;
    DSHOW_METHOD(GetRestorePosition)(long* pLeft, long* pTop, long* pWidth, long* pHeight) = 0;
    DSHOW_METHOD(HideCursor)(long HideCursor) = 0;
    DSHOW_METHOD(IsCursorHidden)(long* CursorHidden) = 0;
};

struct IBasicVideo : public IDispatch {
    DSHOW_METHOD(get_AvgTimePerFrame)(REFTIME* pAvgTimePerFrame) = 0;
    DSHOW_METHOD(get_BitRate)(long* pBitRate) = 0;
    DSHOW_METHOD(get_BitErrorRate)(long* pBitErrorRate) = 0;
    DSHOW_METHOD(get_VideoWidth)(long* pVideoWidth) = 0;
    DSHOW_METHOD(get_VideoHeight)(long* pVideoHeight) = 0;
    DSHOW_METHOD(put_SourceLeft)(long SourceLeft) = 0;
    DSHOW_METHOD(get_SourceLeft)(long* pSourceLeft) = 0;
    DSHOW_METHOD(put_SourceWidth)(long SourceWidth) = 0;
    DSHOW_METHOD(get_SourceWidth)(long* pSourceWidth) = 0;
    DSHOW_METHOD(put_SourceTop)(long SourceTop) = 0;
    DSHOW_METHOD(get_SourceTop)(long* pSourceTop) = 0;
    DSHOW_METHOD(put_SourceHeight)(long SourceHeight) = 0;
    DSHOW_METHOD(get_SourceHeight)(long* pSourceHeight) = 0;
    DSHOW_METHOD(put_DestinationLeft)(long DestinationLeft) = 0;
    DSHOW_METHOD(get_DestinationLeft)(long* pDestinationLeft) = 0;
    DSHOW_METHOD(put_DestinationWidth)(long DestinationWidth) = 0;
    DSHOW_METHOD(get_DestinationWidth)(long* pDestinationWidth) = 0;
    DSHOW_METHOD(put_DestinationTop)(long DestinationTop) = 0;
    DSHOW_METHOD(get_DestinationTop)(long* pDestinationTop) = 0;
    DSHOW_METHOD(put_DestinationHeight)(long DestinationHeight) = 0;
    DSHOW_METHOD(get_DestinationHeight)(long* pDestinationHeight) = 0;
    DSHOW_METHOD(SetSourcePosition)(long Left, long Top, long Width, long Height) = 0;
    DSHOW_METHOD(GetSourcePosition)(long* pLeft, long* pTop, long* pWidth, long* pHeight) = 0;
    DSHOW_METHOD(SetDefaultSourcePosition)() = 0;
    DSHOW_METHOD(SetDestinationPosition)(long Left, long Top, long Width, long Height) = 0;
    DSHOW_METHOD(GetDestinationPosition)(long* pLeft, long* pTop, long* pWidth, long* pHeight) = 0;
    DSHOW_METHOD(SetDefaultDestinationPosition)() = 0;
    DSHOW_METHOD(GetVideoSize)(long* pWidth, long* pHeight) = 0;
    DSHOW_METHOD(GetVideoPaletteEntries)
    (long StartIndex, long Entries, long* pRetrieved, long* pPalette) = 0;
    DSHOW_METHOD(GetCurrentImage)(long* pBufferSize, long* pDIBImage) = 0;
    DSHOW_METHOD(IsUsingDefaultSource)() = 0;
    DSHOW_METHOD(IsUsingDefaultDestination)() = 0;
};

struct IBasicAudio : public IDispatch {
    DSHOW_METHOD(put_Volume)(long lVolume) = 0;
    DSHOW_METHOD(get_Volume)(long* plVolume) = 0;
    DSHOW_METHOD(put_Balance)(long lBalance) = 0;
    DSHOW_METHOD(get_Balance)(long* plBalance) = 0;
};

struct IQualProp : public IUnknown {
    DSHOW_METHOD(get_FramesDroppedInRenderer)(int* pcFrames) = 0;
    DSHOW_METHOD(get_FramesDrawn)(int* pcFramesDrawn) = 0;
    DSHOW_METHOD(get_AvgFrameRate)(int* piAvgFrameRate) = 0;
    DSHOW_METHOD(get_Jitter)(int* iJitter) = 0;
    DSHOW_METHOD(get_AvgSyncOffset)(int* piAvg) = 0;
    DSHOW_METHOD(get_DevSyncOffset)(int* piDev) = 0;
};

#undef DSHOW_METHOD

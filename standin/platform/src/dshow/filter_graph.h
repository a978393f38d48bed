// The simulated filter graph manager: one object per CoCreateInstance(CLSID_FilterGraph), holding
// the rendered media, the filters, the run state and position on the stand-in clock, the event
// queue, the video window and the audio settings. Its interfaces are the parts of graph_parts.h.
#pragma once

#include "counted_object.h"
#include "filters.h"
#include "graph_parts.h"
#include "media_file.h"

#include "standin/dshow_control.h"

#include <deque>
#include <string>
#include <vector>

namespace standin {
namespace dshow {

// The graph's video window as the IVideoWindow calls left it.
struct VideoWindowState {
    HWND window = nullptr;
    OAHWND owner = 0;
    OAHWND drain = 0;
    long style = 0;
    long exStyle = 0;
    bool visible = false;
    long borderColor = 0;
    long fullScreen = OAFALSE;
    RECT restore = {0, 0, 0, 0}; // left, top, width, height before full screen
    bool cursorHidden = false;
    int foregroundCalls = 0;
    RECT position = {0, 0, 0, 0}; // left, top, width, height
    std::vector<RECT> positions;
    std::vector<NotifyMessage> ownerMessages;
};

class FilterGraph : public CountedObject {
  public:
    static FilterGraph* Create(); // one reference, the caller's
    static const std::vector<FilterGraph*>& LiveGraphs();
    static FilterGraph* Last();
    // Forgets every graph (a reset): leaked ones stay allocated but are no longer listed.
    static void ForgetAll();

    HRESULT QueryInterface(REFIID iid, void** object);
    // QueryInterface without the fault hooks, for the platform's own use.
    HRESULT FindInterface(REFIID iid, void** object);
    ULONG AddRef() { return ++refs; }
    ULONG Release();
    long ClientReferences() const override { return static_cast<long>(refs) - heldByEnumerators; }
    void EnumeratorHolds(int delta) { heldByEnumerators += delta; }

    // ---- building ----
    HRESULT Render(LPCWSTR file);
    // AddFilter and RemoveFilter. Only a video renderer made on its own can be added; a picture
    // rendered afterwards goes into it. Removing the video renderer takes its window with it.
    HRESULT Add(IBaseFilter* filter, LPCWSTR name);
    HRESULT Remove(IBaseFilter* filter);
    const std::vector<Filter*>& Filters() const { return filters; }
    Filter* FindFilter(LPCWSTR name) const;
    const MediaInfo& Media() const { return media; }
    bool HasVideoRenderer() const { return videoRenderer != nullptr; }
    bool HasAudioRenderer() const { return audioRenderer != nullptr; }
    IFilterGraph* AsFilterGraph() { return &builder; }

    // ---- run state ----
    // Catches up with the clock: finishes a due transition, queues EC_COMPLETE at the end.
    void Poll();
    HRESULT RequestState(FILTER_STATE target, bool announcePause);
    void StopNow();
    HRESULT WaitForState(long timeout, FILTER_STATE* state);
    FILTER_STATE State() const { return state; }
    FILTER_STATE ReportedState() const { return pending ? target : state; }
    bool EverRan() const { return everRan; }

    // ---- positions, in 100 ns units ----
    REFERENCE_TIME Position() const;
    REFERENCE_TIME StopTime() const { return stop; }
    REFERENCE_TIME Duration() const { return media.duration; }
    void SeekTo(REFERENCE_TIME position);
    // Moves `frames` frames on from the current one (at most to the last) and ends paused there.
    void StepFrames(DWORD frames);
    void SetStop(REFERENCE_TIME position);
    double Rate() const { return rate; }
    void SetRate(double newRate);
    long CurrentFrame() const;
    bool FrameFormatSupported() const { return media.hasVideo; }
    const GUID& TimeFormat() const { return timeFormat; }
    void SetTimeFormatValue(const GUID& format) { timeFormat = format; }
    // Converts between the current format and 100 ns units; false for an unknown format.
    bool ToTime(const GUID& format, LONGLONG value, REFERENCE_TIME* time) const;
    bool FromTime(const GUID& format, REFERENCE_TIME time, LONGLONG* value) const;
    // Milliseconds of clock until the running graph reaches its stop; -1 when it will not.
    long long MillisecondsToEnd() const;

    // ---- events ----
    void QueueEvent(long code, LONG_PTR param1, LONG_PTR param2);
    bool TakeEvent(RecordedEvent* event);
    void SetNotify(HWND window, long message, LONG_PTR instance);
    // Advances the clock (manual) or sleeps (real) by `ms`, as a blocking wait would.
    static void Wait(DWORD ms);

    // ---- video window and audio state ----
    VideoWindowState& Window() { return window; }
    RECT& Destination() { return destination; }
    RECT& Source() { return source; }
    std::vector<RECT>& DestinationHistory() { return destinations; }
    long volume = 0;

  private:
    friend class ::standin::GraphView; // reads what tests inspect
    FilterGraph();
    ~FilterGraph() override;
    void CompleteTransition();
    void Enter(FILTER_STATE newState);
    void CreateVideoWindow();
    void DestroyVideoWindow();

    GraphBuilderPart builder;
    MediaControlPart control;
    MediaEventPart events;
    MediaSeekingPart seeking;
    MediaPositionPart positionPart;
    FrameStepPart frameStep;
    VideoWindowPart videoWindow;
    BasicVideoPart basicVideo;
    BasicAudioPart basicAudio;

    ULONG refs = 1;
    long heldByEnumerators = 0;

    bool rendered = false;
    std::u16string renderedFile;
    MediaInfo media;
    std::vector<Filter*> filters;
    Filter* videoRenderer = nullptr;
    VideoRendererFilter* addedRenderer = nullptr; // added before rendering, connected or not
    Filter* audioRenderer = nullptr;

    FILTER_STATE state = State_Stopped;
    bool pending = false;
    FILTER_STATE target = State_Stopped;
    bool announcePauseWhenDone = false;
    ULONGLONG pendingUntil = 0;
    bool everRan = false;

    REFERENCE_TIME basePosition = 0; // where the position stood at baseMs
    ULONGLONG baseMs = 0;
    REFERENCE_TIME stop = 0;
    double rate = 1.0;
    bool completeSent = false;
    GUID timeFormat = TIME_FORMAT_MEDIA_TIME;

    std::deque<RecordedEvent> queue;
    HWND notifyWindow = nullptr;
    long notifyMessage = 0;
    LONG_PTR notifyInstance = 0;
    std::vector<NotifyMessage> posted;

    VideoWindowState window;
    RECT destination = {0, 0, 0, 0};
    RECT source = {0, 0, 0, 0};
    std::vector<RECT> destinations;
};

// What tests still read of the most recent graph once it is destroyed.
struct FinalGraphRecord {
    std::u16string renderedFile;
    FILTER_STATE state = State_Stopped;
    OAHWND owner = 0;
    OAHWND drain = 0;
    bool visible = false;
    std::vector<RECT> windowPositions;
};
FinalGraphRecord& FinalRecordOfLastGraph();

// What a call through the video renderer's interfaces (IVideoWindow, IBasicVideo) answers before
// it does anything: the fault armed for `call`, E_NOINTERFACE without a video renderer, else S_OK.
HRESULT RendererCallResult(const FilterGraph* graph, const char* call);
// A getter of the video renderer: that answer, E_POINTER without `out`, else `value` into it.
template <class T>
HRESULT RendererValue(const FilterGraph* graph, const char* call, T* out, const T& value) {
    if (HRESULT refused = RendererCallResult(graph, call))
        return refused;
    if (!out)
        return E_POINTER;
    *out = value;
    return S_OK;
}

// Forgets which window belongs to which graph (a reset; the windows themselves go with theirs).
void ForgetVideoWindows();
// Registers the area's reset and clock listener on first use.
void EnsureResetRegistered();
// Delay that new state transitions take (SetTransitionDelay).
DWORD TransitionDelay();
// Whether a FourCC has a decoder, and whether sound can be rendered.
bool DecoderInstalled(const std::string& fourcc);
bool AudioDeviceAvailable();

template <class Interface>
HRESULT STDMETHODCALLTYPE GraphPart<Interface>::QueryInterface(REFIID iid, void** object) {
    return graph->QueryInterface(iid, object);
}
template <class Interface> ULONG STDMETHODCALLTYPE GraphPart<Interface>::AddRef() {
    return graph->AddRef();
}
template <class Interface> ULONG STDMETHODCALLTYPE GraphPart<Interface>::Release() {
    return graph->Release();
}

} // namespace dshow
} // namespace standin

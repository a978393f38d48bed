// The filter graph manager's life, building, run state, positions and event queue.
#include "filter_graph.h"

#include "standin/clock.h"
#include "standin/faults.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace standin {
namespace dshow {
namespace {

const size_t kMaxQueuedEvents = 10000;

std::vector<FilterGraph*>& Live() {
    static std::vector<FilterGraph*> live;
    return live;
}

FilterGraph*& LastGraphPointer() {
    static FilterGraph* last = nullptr;
    return last;
}

} // namespace

FinalGraphRecord& FinalRecordOfLastGraph() {
    static FinalGraphRecord record;
    return record;
}

FilterGraph::FilterGraph()
    : builder(this), control(this), events(this), seeking(this), positionPart(this),
      frameStep(this), videoWindow(this), basicVideo(this), basicAudio(this) {
    Live().push_back(this);
    LastGraphPointer() = this;
}

FilterGraph::~FilterGraph() {
    for (Filter* filter : filters)
        filter->LeaveGraph();
    filters.clear();
    DestroyVideoWindow();
    auto& live = Live();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (LastGraphPointer() == this) {
        FinalGraphRecord& final = FinalRecordOfLastGraph();
        final.renderedFile = renderedFile;
        final.state = ReportedState();
        final.owner = window.owner;
        final.drain = window.drain;
        final.visible = window.visible;
        final.windowPositions = window.positions;
        LastGraphPointer() = nullptr;
    }
}

HRESULT RendererCallResult(const FilterGraph* graph, const char* call) {
    if (HRESULT injected = FaultResult(call))
        return injected;
    return graph->HasVideoRenderer() ? S_OK : E_NOINTERFACE;
}

FilterGraph* FilterGraph::Create() {
    return new FilterGraph();
}

const std::vector<FilterGraph*>& FilterGraph::LiveGraphs() {
    return Live();
}

FilterGraph* FilterGraph::Last() {
    return LastGraphPointer();
}

void FilterGraph::ForgetAll() {
    Live().clear();
    LastGraphPointer() = nullptr;
}

HRESULT FilterGraph::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    HRESULT fault = QueryInterfaceFault("QueryInterface", iid);
    if (fault != S_OK)
        return fault;
    return FindInterface(iid, object);
}

HRESULT FilterGraph::FindInterface(REFIID iid, void** object) {
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IFilterGraph || iid == IID_IGraphBuilder)
        *object = static_cast<IGraphBuilder*>(&builder);
    else if (iid == IID_IMediaControl || iid == IID_IDispatch)
        *object = static_cast<IMediaControl*>(&control);
    else if (iid == IID_IMediaEvent || iid == IID_IMediaEventEx)
        *object = static_cast<IMediaEventEx*>(&events);
    else if (iid == IID_IMediaSeeking)
        *object = static_cast<IMediaSeeking*>(&seeking);
    else if (iid == IID_IMediaPosition)
        *object = static_cast<IMediaPosition*>(&positionPart);
    else if (iid == IID_IVideoFrameStep)
        *object = static_cast<IVideoFrameStep*>(&frameStep);
    else if (iid == IID_IVideoWindow)
        *object = static_cast<IVideoWindow*>(&videoWindow);
    else if (iid == IID_IBasicVideo)
        *object = static_cast<IBasicVideo*>(&basicVideo);
    else if (iid == IID_IBasicAudio)
        *object = static_cast<IBasicAudio*>(&basicAudio);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG FilterGraph::Release() {
    ULONG left = --refs;
    if (left == 0)
        delete this;
    return left;
}

// ---- building ----

HRESULT FilterGraph::Render(LPCWSTR file) {
    if (rendered)
        return E_UNEXPECTED;
    renderedFile = file ? std::u16string(reinterpret_cast<const char16_t*>(file)) : u"";
    HRESULT hr = LoadMediaFile(file, &media);
    if (FAILED(hr))
        return hr;
    const std::string fourcc = media.FourccText();
    const bool hadVideo = media.hasVideo;
    const bool videoRenders = media.hasVideo && (media.Uncompressed() || DecoderInstalled(fourcc));
    const bool audioRenders = media.hasAudio && AudioDeviceAvailable();
    if (!videoRenders && !audioRenders) {
        hr = media.hasVideo ? VFW_E_UNSUPPORTED_STREAM : VFW_E_NO_AUDIO_HARDWARE;
        media = MediaInfo();
        return hr;
    }
    filters.push_back(NewSourceFilter(this, renderedFile));
    if (videoRenders) {
        if (!media.Uncompressed())
            filters.push_back(NewDecoderFilter(this, fourcc));
        if (addedRenderer) {
            addedRenderer->Connect();
        } else {
            videoRenderer = new VideoRendererFilter(this);
            filters.push_back(videoRenderer);
        }
    } else {
        media.hasVideo = false; // the picture has nowhere to go: the graph plays the sound only
        media.frames.clear();
    }
    if (audioRenders) {
        audioRenderer = NewAudioRendererFilter(this);
        filters.push_back(audioRenderer);
    }
    rendered = true;
    stop = media.duration;
    source = RECT{0, 0, media.width, media.height};
    destination = source;
    if (videoRenderer)
        CreateVideoWindow();
    if (media.hasAudio && !audioRenders)
        return VFW_S_AUDIO_NOT_RENDERED;
    if (hadVideo && !videoRenders)
        return VFW_S_PARTIAL_RENDER;
    return S_OK;
}

HRESULT FilterGraph::Add(IBaseFilter* filter, LPCWSTR name) {
    if (!filter)
        return E_POINTER;
    VideoRendererFilter* renderer = VideoRendererFilter::FindFree(filter);
    if (!renderer)
        return Unmodelled("AddFilter of a filter the simulation does not make");
    if (rendered || addedRenderer)
        return E_UNEXPECTED; // the simulation takes one renderer, before its one RenderFile
    renderer->JoinGraph(this, name ? std::u16string(reinterpret_cast<const char16_t*>(name))
                                   : u"Video Renderer");
    addedRenderer = renderer;
    videoRenderer = renderer;
    filters.push_back(renderer);
    return S_OK;
}

HRESULT FilterGraph::Remove(IBaseFilter* filter) {
    auto found = std::find_if(filters.begin(), filters.end(), [filter](Filter* held) {
        return static_cast<IBaseFilter*>(held) == filter;
    });
    if (found == filters.end())
        return VFW_E_NOT_FOUND;
    Filter* removed = *found;
    filters.erase(found);
    if (removed == videoRenderer) {
        videoRenderer = nullptr;
        DestroyVideoWindow();
    }
    if (removed == addedRenderer)
        addedRenderer = nullptr;
    removed->LeaveGraph();
    return S_OK;
}

Filter* FilterGraph::FindFilter(LPCWSTR name) const {
    if (!name)
        return nullptr;
    std::u16string wanted(reinterpret_cast<const char16_t*>(name));
    for (Filter* filter : filters)
        if (filter->Name() == wanted)
            return filter;
    return nullptr;
}

// ---- run state ----

void FilterGraph::Poll() {
    if (pending && NowMs() >= pendingUntil)
        CompleteTransition();
    if (state == State_Running && !completeSent && rendered && Position() >= stop) {
        completeSent = true;
        QueueEvent(EC_COMPLETE, S_OK, 0);
    }
}

void FilterGraph::Enter(FILTER_STATE newState) {
    basePosition = Position();
    baseMs = NowMs();
    if (newState == State_Running) {
        completeSent = false;
        everRan = true;
    }
    state = newState;
    // the renderer shows its window by itself (AutoShow, which nothing turns off)
    if (newState != State_Stopped && window.window && !window.visible) {
        window.visible = true;
        InternalCallScope internal;
        ShowWindow(window.window, SW_SHOWNORMAL);
    }
}

void FilterGraph::CompleteTransition() {
    pending = false;
    Enter(target);
    if (announcePauseWhenDone && target == State_Paused)
        QueueEvent(EC_PAUSED, S_OK, 0);
    announcePauseWhenDone = false;
    Poll();
}

HRESULT FilterGraph::RequestState(FILTER_STATE newState, bool announcePause) {
    Poll();
    DWORD delay = TransitionDelay();
    if (delay == 0) {
        pending = false;
        Enter(newState);
        if (announcePause && newState == State_Paused)
            QueueEvent(EC_PAUSED, S_OK, 0);
        Poll();
        return S_OK;
    }
    pending = true;
    target = newState;
    announcePauseWhenDone = announcePause;
    pendingUntil = NowMs() + delay;
    return S_FALSE; // the transition goes on asynchronously
}

void FilterGraph::StopNow() {
    pending = false;
    announcePauseWhenDone = false;
    Enter(State_Stopped);
}

HRESULT FilterGraph::WaitForState(long timeout, FILTER_STATE* reported) {
    Poll();
    if (pending) {
        ULONGLONG now = NowMs();
        ULONGLONG remaining = pendingUntil > now ? pendingUntil - now : 0;
        if (timeout < 0 || remaining <= static_cast<ULONGLONG>(timeout))
            Wait(static_cast<DWORD>(remaining));
        else
            Wait(static_cast<DWORD>(timeout));
        Poll();
    }
    *reported = ReportedState();
    return pending ? VFW_S_STATE_INTERMEDIATE : S_OK;
}

void FilterGraph::Wait(DWORD ms) {
    if (ms == 0)
        return;
    if (ManualClockActive())
        AdvanceClock(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// ---- positions ----

REFERENCE_TIME FilterGraph::Position() const {
    if (state != State_Running)
        return basePosition;
    ULONGLONG now = NowMs();
    double advanced = (now > baseMs ? static_cast<double>(now - baseMs) : 0.0) * 10000.0 * rate;
    REFERENCE_TIME position = basePosition + static_cast<REFERENCE_TIME>(std::llround(advanced));
    if (basePosition <= stop && position > stop)
        position = stop;
    return position;
}

void FilterGraph::SeekTo(REFERENCE_TIME position) {
    if (position < 0)
        position = 0;
    if (position > media.duration)
        position = media.duration;
    basePosition = position;
    baseMs = NowMs();
    completeSent = false;
    Poll();
}

void FilterGraph::StepFrames(DWORD frames) {
    long long frame = static_cast<long long>(CurrentFrame()) + frames;
    if (frame > media.frameCount - 1)
        frame = media.frameCount - 1;
    REFERENCE_TIME time = 0;
    ToTime(TIME_FORMAT_FRAME, frame, &time);
    pending = false;
    announcePauseWhenDone = false;
    Enter(State_Paused);
    basePosition = time;
    QueueEvent(EC_STEP_COMPLETE, 0, 0);
}

void FilterGraph::SetStop(REFERENCE_TIME position) {
    basePosition = Position();
    baseMs = NowMs();
    stop = std::min(std::max<REFERENCE_TIME>(position, 0), media.duration);
    completeSent = false;
    Poll();
}

void FilterGraph::SetRate(double newRate) {
    basePosition = Position();
    baseMs = NowMs();
    rate = newRate;
}

long FilterGraph::CurrentFrame() const {
    LONGLONG frame = 0;
    FromTime(TIME_FORMAT_FRAME, Position(), &frame);
    if (frame >= media.frameCount)
        frame = media.frameCount - 1;
    return frame < 0 ? 0 : static_cast<long>(frame);
}

bool FilterGraph::ToTime(const GUID& format, LONGLONG value, REFERENCE_TIME* time) const {
    if (format == TIME_FORMAT_MEDIA_TIME) {
        *time = value;
        return true;
    }
    if (format == TIME_FORMAT_FRAME && FrameFormatSupported()) {
        *time = static_cast<REFERENCE_TIME>(std::llround(value * media.frameDuration));
        return true;
    }
    return false;
}

bool FilterGraph::FromTime(const GUID& format, REFERENCE_TIME time, LONGLONG* value) const {
    if (format == TIME_FORMAT_MEDIA_TIME) {
        *value = time;
        return true;
    }
    if (format == TIME_FORMAT_FRAME && FrameFormatSupported() && media.frameDuration > 0) {
        *value = static_cast<LONGLONG>(std::floor(time / media.frameDuration + 1e-4));
        return true;
    }
    return false;
}

long long FilterGraph::MillisecondsToEnd() const {
    if (state != State_Running || completeSent || !rendered || rate <= 0)
        return -1;
    REFERENCE_TIME left = stop - Position();
    if (left <= 0)
        return 0;
    return static_cast<long long>(std::ceil(left / (10000.0 * rate)));
}

// ---- events ----

void FilterGraph::QueueEvent(long code, LONG_PTR param1, LONG_PTR param2) {
    if (queue.size() >= kMaxQueuedEvents)
        queue.pop_front();
    queue.push_back(RecordedEvent{code, param1, param2});
    if (notifyWindow) {
        posted.push_back(NotifyMessage{notifyWindow, static_cast<UINT>(notifyMessage), 0,
                                       static_cast<LPARAM>(notifyInstance)});
        InternalCallScope internal;
        PostMessageW(notifyWindow, static_cast<UINT>(notifyMessage), 0,
                     static_cast<LPARAM>(notifyInstance));
    }
}

bool FilterGraph::TakeEvent(RecordedEvent* event) {
    if (queue.empty())
        return false;
    *event = queue.front();
    queue.pop_front();
    return true;
}

void FilterGraph::SetNotify(HWND window, long message, LONG_PTR instance) {
    notifyWindow = window;
    notifyMessage = window ? message : 0;
    notifyInstance = window ? instance : 0;
}

} // namespace dshow
} // namespace standin

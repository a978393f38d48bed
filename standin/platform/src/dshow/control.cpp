// Test control of the simulated DirectShow: counts, views of the last graph, steering, reset.
#include "filter_graph.h"

#include "standin/clock.h"
#include "standin/faults.h"

#include <set>

namespace standin {
namespace dshow {
namespace {

const char* const kDefaultDecoders[] = {"IV41", "IV50", "DIVX", "DX50", "DIV3", "MJPG",
                                        "CVID", "CRAM", "MSVC", "MRLE", "XVID"};

struct Settings {
    DWORD transitionDelay = 0;
    bool audioDevice = true;
    std::set<std::string> decoders{std::begin(kDefaultDecoders), std::end(kDefaultDecoders)};
};

Settings& Current() {
    static Settings settings;
    return settings;
}

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return upper;
}

void ResetDirectShow() {
    ForgetCountedObjects();
    FilterGraph::ForgetAll();
    ForgetVideoWindows();
    FinalRecordOfLastGraph() = FinalGraphRecord();
    Current() = Settings();
}

} // namespace

void EnsureResetRegistered() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterReset(ResetDirectShow);
    AddClockListener(standin::PollGraphs);
}

DWORD TransitionDelay() {
    return Current().transitionDelay;
}
bool AudioDeviceAvailable() {
    return Current().audioDevice;
}
bool DecoderInstalled(const std::string& fourcc) {
    return Current().decoders.count(Upper(fourcc)) != 0;
}

} // namespace dshow

int LiveGraphs() {
    return static_cast<int>(dshow::FilterGraph::LiveGraphs().size());
}

long OutstandingReferences() {
    return dshow::SumClientReferences();
}

GraphView LastGraph() {
    return GraphView();
}

namespace {

// The most recent graph while it lives. Without one the reading is recorded as unmodelled: a
// destroyed graph keeps only its final record.
const dshow::FilterGraph* GraphFor(const char* reading) {
    const dshow::FilterGraph* graph = dshow::FilterGraph::Last();
    if (!graph)
        Unmodelled(reading);
    return graph;
}

} // namespace

bool GraphView::Alive() const {
    return dshow::FilterGraph::Last() != nullptr;
}

// A destroyed graph has dropped its filters and has no references left.
long GraphView::References() const {
    const dshow::FilterGraph* graph = dshow::FilterGraph::Last();
    if (!graph)
        return 0;
    long references = graph->ClientReferences();
    for (const dshow::Filter* filter : graph->filters)
        references += filter->ClientReferences();
    return references;
}

std::vector<std::u16string> GraphView::Filters() const {
    std::vector<std::u16string> names;
    if (const dshow::FilterGraph* graph = GraphFor("LastGraph().Filters()"))
        for (const dshow::Filter* filter : graph->filters)
            names.push_back(filter->Name());
    return names;
}

std::vector<RecordedEvent> GraphView::QueuedEvents() const {
    const dshow::FilterGraph* graph = GraphFor("LastGraph().QueuedEvents()");
    if (!graph)
        return {};
    return std::vector<RecordedEvent>(graph->queue.begin(), graph->queue.end());
}

// A reading of the live graph `g`, or of what the destroyed graph kept.
#define KEPT_READING(Type, Name, reading, kept)                                                    \
    Type GraphView::Name() const {                                                                 \
        const dshow::FilterGraph* g = dshow::FilterGraph::Last();                                  \
        return g ? Type(reading) : Type(dshow::FinalRecordOfLastGraph().kept);                     \
    }
KEPT_READING(std::u16string, RenderedFile, g->renderedFile, renderedFile)
KEPT_READING(FILTER_STATE, State, g->ReportedState(), state)
KEPT_READING(OAHWND, Owner, g->window.owner, owner)
KEPT_READING(OAHWND, MessageDrain, g->window.drain, drain)
KEPT_READING(bool, Visible, g->window.visible, visible)
KEPT_READING(std::vector<RECT>, WindowPositions, g->window.positions, windowPositions)
#undef KEPT_READING

// A reading only the live graph `g` answers.
#define LIVE_READING(Type, Name, reading)                                                          \
    Type GraphView::Name() const {                                                                 \
        const dshow::FilterGraph* g = GraphFor("LastGraph()." #Name "()");                         \
        return g ? Type(reading) : Type();                                                         \
    }
LIVE_READING(REFERENCE_TIME, Position, g->Position())
LIVE_READING(REFERENCE_TIME, Stop, g->stop)
LIVE_READING(REFERENCE_TIME, Duration, g->media.duration)
LIVE_READING(double, Rate, g->rate)
LIVE_READING(long, VideoWidth, g->media.width)
LIVE_READING(long, FrameCount, g->media.frameCount)
LIVE_READING(HWND, NotifyWindow, g->notifyWindow)
LIVE_READING(long, NotifyMessage, g->notifyMessage)
LIVE_READING(std::vector<standin::NotifyMessage>, PostedNotifications, g->posted)
LIVE_READING(HWND, VideoWindow, g->window.window)
LIVE_READING(long, WindowStyle, g->window.style)
LIVE_READING(long, WindowStyleEx, g->window.exStyle)
LIVE_READING(long, BorderColor, g->window.borderColor)
LIVE_READING(long, FullScreenMode, g->window.fullScreen)
LIVE_READING(bool, CursorHidden, g->window.cursorHidden)
LIVE_READING(int, ForegroundCalls, g->window.foregroundCalls)
LIVE_READING(RECT, WindowPosition, g->window.position)
LIVE_READING(std::vector<standin::NotifyMessage>, OwnerMessages, g->window.ownerMessages)
LIVE_READING(RECT, Destination, g->destination)
LIVE_READING(std::vector<RECT>, Destinations, g->destinations)
LIVE_READING(long, Volume, g->volume)
#undef LIVE_READING

DecoderView LastDecoder() {
    DecoderView view;
    if (dshow::FilterGraph* last = dshow::FilterGraph::Last())
        for (dshow::Filter* filter : last->Filters())
            filter->Describe(&view);
    return view;
}

HRESULT ParseMediaBytes(const std::vector<uint8_t>& bytes) {
    dshow::MediaInfo info;
    return dshow::ParseMedia(bytes, &info);
}

void SetTransitionDelay(DWORD ms) {
    dshow::EnsureResetRegistered();
    dshow::Current().transitionDelay = ms;
}

void QueueGraphEvent(long code, LONG_PTR param1, LONG_PTR param2) {
    if (dshow::FilterGraph* last = dshow::FilterGraph::Last())
        last->QueueEvent(code, param1, param2);
}

void SetDecoderInstalled(const char* fourcc, bool installed) {
    dshow::EnsureResetRegistered();
    std::string code = dshow::Upper(fourcc ? fourcc : "");
    if (installed)
        dshow::Current().decoders.insert(code);
    else
        dshow::Current().decoders.erase(code);
}

void SetAudioDeviceAvailable(bool available) {
    dshow::EnsureResetRegistered();
    dshow::Current().audioDevice = available;
}

void PollGraphs() {
    // a copy: polling may post messages, never create or destroy graphs, but stay safe
    std::vector<dshow::FilterGraph*> graphs = dshow::FilterGraph::LiveGraphs();
    for (dshow::FilterGraph* graph : graphs)
        graph->Poll();
}

} // namespace standin

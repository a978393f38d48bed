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
    FinalViewOfLastGraph() = GraphView();
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
    dshow::FilterGraph* last = dshow::FilterGraph::Last();
    return last ? last->View() : dshow::FinalViewOfLastGraph();
}

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

// The simulated DirectShow the player runs on: the behaviours it relies on that are not obvious
// (reading files, positions on the manual clock, events and notifications, references), checked
// against what DirectShow does.
#include "standin/clock.h"
#include "standin/codecs.h"
#include "standin/dshow_control.h"
#include "standin/faults.h"
#include "standin/inspect_user.h"
#include "standin/open_file_dialog.h"
#include "media_writer.h"
#include "support/wide.h"

#include <commdlg.h>
#include <dshow.h>
#include <gtest/gtest.h>

namespace {

const UINT kGraphNotify = 0x040D;

std::u16string Wide(const std::string& text) {
    return U16FromUtf8(text);
}
LPCWSTR W(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

template <class Interface> Interface* Query(IUnknown* object, REFIID iid) {
    void* result = nullptr;
    EXPECT_EQ(object->QueryInterface(iid, &result), S_OK);
    return static_cast<Interface*>(result);
}

class DirectShowStandIn : public ::testing::Test {
  protected:
    void SetUp() override {
        standin::ResetPlatform();
        standin::UseManualClock(1000);
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override {
        for (IUnknown* held : holds)
            held->Release();
        CoUninitialize();
        standin::UseRealClock();
    }

    // A graph with `path` rendered; `renderResult` receives what RenderFile answered.
    IGraphBuilder* Render(const std::string& path, HRESULT* renderResult = nullptr) {
        IGraphBuilder* graph = nullptr;
        EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IGraphBuilder, reinterpret_cast<void**>(&graph)),
                  S_OK);
        HRESULT hr = graph->RenderFile(W(Wide(path)), nullptr);
        if (renderResult)
            *renderResult = hr;
        holds.push_back(graph);
        return graph;
    }
    template <class Interface> Interface* Get(IUnknown* object, REFIID iid) {
        Interface* result = Query<Interface>(object, iid);
        holds.push_back(result);
        return result;
    }

    std::vector<IUnknown*> holds;
};

media::AviClip Clip(int frames, bool audio = false, const std::string& fourcc = "") {
    media::AviClip clip;
    clip.width = 32;
    clip.height = 24;
    clip.frames = frames;
    clip.withAudio = audio;
    clip.fourcc = fourcc;
    return clip;
}

// ---- reading files ----

TEST_F(DirectShowStandIn, FiltersFollowTheFile) {
    struct Case {
        const char* fourcc;
        bool audio;
        std::vector<std::u16string> filters;
    } cases[] = {
        {"", false, {u"C:\\m\\a.avi", u"Video Renderer"}},
        {"", true, {u"C:\\m\\a.avi", u"Video Renderer", u"Default DirectSound Device"}},
        {"IV41",
         true,
         {u"C:\\m\\a.avi", u"Indeo 4 Video Decoder", u"Video Renderer",
          u"Default DirectSound Device"}},
        {"IV50", false, {u"C:\\m\\a.avi", u"Indeo 5 Video Decoder", u"Video Renderer"}},
        {"DX50", false, {u"C:\\m\\a.avi", u"DivX Decoder Filter", u"Video Renderer"}},
        {"MJPG", false, {u"C:\\m\\a.avi", u"AVI Decompressor", u"Video Renderer"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(10, c.audio, c.fourcc)));
        HRESULT hr;
        Render("C:\\m\\a.avi", &hr);
        EXPECT_EQ(hr, S_OK) << c.fourcc;
        EXPECT_EQ(standin::LastGraph().Filters(), c.filters) << c.fourcc;
    }
}

TEST_F(DirectShowStandIn, StillPictureIsOneFrameWithoutSound) {
    media::BmpImage image;
    ASSERT_TRUE(media::WriteBmp("C:\\m\\p.bmp", image));
    IGraphBuilder* graph = Render("C:\\m\\p.bmp");
    auto* audio = Get<IBasicAudio>(graph, IID_IBasicAudio);
    long volume;
    EXPECT_EQ(audio->get_Volume(&volume), E_NOTIMPL);
    standin::GraphView view = standin::LastGraph();
    EXPECT_EQ(view.FrameCount(), 1);
    EXPECT_EQ(view.VideoWidth(), 64);
    EXPECT_EQ(view.Duration(), 10000000);
}

TEST_F(DirectShowStandIn, UndecodableVideoWithSoundPlaysTheSoundOnly) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\odd.avi", Clip(4, true, "ZZZZ")));
    HRESULT hr;
    IGraphBuilder* graph = Render("C:\\m\\odd.avi", &hr);
    EXPECT_EQ(hr, VFW_S_PARTIAL_RENDER);
    auto* window = Get<IVideoWindow>(graph, IID_IVideoWindow);
    long visible;
    EXPECT_EQ(window->get_Visible(&visible), E_NOINTERFACE);
    EXPECT_EQ(standin::LastGraph().Filters(),
              (std::vector<std::u16string>{u"C:\\m\\odd.avi", u"Default DirectSound Device"}));
}

// Every prefix of a file, and the file with each header word spoiled, must parse or fail cleanly;
// run under the sanitizers this also proves no read goes past the bytes.
TEST_F(DirectShowStandIn, DamagedFilesNeverReadOutOfBounds) {
    media::AviClip small = Clip(2, true);
    small.width = 4;
    small.height = 2;
    small.audio = media::PcmFormat{8000, 1, 8};
    for (const std::vector<uint8_t>& whole :
         {media::AviBytes(small), media::WavBytes(media::WavClip{{8000, 1, 8}, 10}),
          media::BmpBytes(media::BmpImage{4, 3, 24, nullptr})}) {
        for (size_t length = 0; length <= whole.size(); ++length) {
            HRESULT hr = standin::ParseMediaBytes({whole.begin(), whole.begin() + length});
            EXPECT_TRUE(hr == S_OK || hr == VFW_E_INVALID_FILE_FORMAT ||
                        hr == VFW_E_UNKNOWN_FILE_TYPE)
                << length << " " << std::hex << hr;
        }
        for (size_t at = 0; at + 4 <= whole.size() && at < 400; at += 2) {
            for (uint32_t spoiled : {0u, 0xFFFFFFFFu, 0x7FFFFFF0u}) {
                std::vector<uint8_t> bytes = whole;
                media::PutU32(bytes, at, spoiled);
                standin::ParseMediaBytes(bytes); // any answer, as long as nothing breaks
            }
        }
    }
    EXPECT_EQ(standin::ParseMediaBytes(media::AviBytes(small)), S_OK);
}

// ---- run state, positions and events on the manual clock ----

TEST_F(DirectShowStandIn, RunningAdvancesWithTheClockAndCompletesOnce) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(25))); // 1 s at 25 fps
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* control = Get<IMediaControl>(graph, IID_IMediaControl);
    auto* events = Get<IMediaEventEx>(graph, IID_IMediaEventEx);
    auto* seeking = Get<IMediaSeeking>(graph, IID_IMediaSeeking);
    auto* position = Get<IMediaPosition>(graph, IID_IMediaPosition);
    HWND notify = reinterpret_cast<HWND>(0x1234);
    EXPECT_EQ(events->SetNotifyWindow(reinterpret_cast<OAHWND>(notify), kGraphNotify, 77), S_OK);
    EXPECT_EQ(seeking->SetTimeFormat(&TIME_FORMAT_FRAME), S_OK);
    EXPECT_EQ(position->put_Rate(2.0), S_OK);
    EXPECT_EQ(control->Run(), S_OK);
    standin::AdvanceClock(200); // 0.4 s of media at twice the speed
    LONGLONG current = 0, stop = 0;
    EXPECT_EQ(seeking->GetPositions(&current, &stop), S_OK);
    EXPECT_EQ(current, 10);
    EXPECT_EQ(stop, 25);
    EXPECT_TRUE(standin::LastGraph().PostedNotifications().empty());

    standin::AdvanceClock(400); // past the end: the clock's listener lets the graph notice
    standin::GraphView view = standin::LastGraph();
    ASSERT_EQ(view.PostedNotifications().size(), 1u);
    EXPECT_EQ(view.PostedNotifications()[0].window, notify);
    EXPECT_EQ(view.PostedNotifications()[0].message, kGraphNotify);
    EXPECT_EQ(view.PostedNotifications()[0].lParam, 77);
    long code;
    LONG_PTR p1, p2;
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 0), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 0), E_ABORT);
    OAFilterState state;
    EXPECT_EQ(control->GetState(0, &state), S_OK);
    EXPECT_EQ(state, State_Running); // the graph stays running at the end
    standin::AdvanceClock(1000);
    EXPECT_EQ(standin::LastGraph().QueuedEvents().size(), 0u);

    // seeking back lets the end come again
    LONGLONG frame = 20;
    EXPECT_EQ(seeking->SetPositions(&frame, AM_SEEKING_AbsolutePositioning, nullptr,
                                    AM_SEEKING_NoPositioning),
              S_OK);
    standin::AdvanceClock(100);
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 0), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
}

TEST_F(DirectShowStandIn, PauseStopAndStepKeepPositionsAndQueueTheirEvents) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(50)));
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* control = Get<IMediaControl>(graph, IID_IMediaControl);
    auto* events = Get<IMediaEventEx>(graph, IID_IMediaEventEx);
    auto* position = Get<IMediaPosition>(graph, IID_IMediaPosition);
    auto* step = Get<IVideoFrameStep>(graph, IID_IVideoFrameStep);
    control->Run();
    standin::AdvanceClock(400);
    control->Pause();
    standin::AdvanceClock(400);
    REFTIME seconds;
    position->get_CurrentPosition(&seconds);
    EXPECT_DOUBLE_EQ(seconds, 0.4);
    control->Stop(); // stopping does not rewind
    position->get_CurrentPosition(&seconds);
    EXPECT_DOUBLE_EQ(seconds, 0.4);
    EXPECT_EQ(step->CanStep(0, nullptr), S_OK);
    EXPECT_EQ(step->Step(3, nullptr), S_OK); // frame 10 -> 13, paused there
    position->get_CurrentPosition(&seconds);
    EXPECT_DOUBLE_EQ(seconds, 0.52);
    OAFilterState state;
    control->GetState(0, &state);
    EXPECT_EQ(state, State_Paused);
    long code;
    LONG_PTR p1, p2;
    std::vector<long> codes;
    while (events->GetEvent(&code, &p1, &p2, 0) == S_OK)
        codes.push_back(code);
    EXPECT_EQ(codes, (std::vector<long>{EC_PAUSED, EC_STEP_COMPLETE}));
}

TEST_F(DirectShowStandIn, PendingTransitionReportsIntermediateUntilItsTimeComes) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(50)));
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* control = Get<IMediaControl>(graph, IID_IMediaControl);
    standin::SetTransitionDelay(600);
    EXPECT_EQ(control->Pause(), S_FALSE);
    OAFilterState state = -1;
    EXPECT_EQ(control->GetState(500, &state), VFW_S_STATE_INTERMEDIATE);
    EXPECT_EQ(state, State_Paused);
    EXPECT_EQ(standin::NowMs(), 1500u); // the wait took its whole time-out
    EXPECT_TRUE(standin::LastGraph().QueuedEvents().empty());
    EXPECT_EQ(control->GetState(500, &state), S_OK); // done 100 ms into this wait
    EXPECT_EQ(standin::NowMs(), 1600u);
    EXPECT_EQ(standin::LastGraph().QueuedEvents().size(), 1u);
    // an injected result still reports the state
    standin::InjectFault("GetState", VFW_S_STATE_INTERMEDIATE);
    state = -1;
    EXPECT_EQ(control->GetState(250, &state), VFW_S_STATE_INTERMEDIATE);
    EXPECT_EQ(state, State_Paused);
}

TEST_F(DirectShowStandIn, TimeFormatsAndRatesAreCheckedLikeTheRenderers) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(10)));
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* seeking = Get<IMediaSeeking>(graph, IID_IMediaSeeking);
    auto* position = Get<IMediaPosition>(graph, IID_IMediaPosition);
    GUID format;
    EXPECT_EQ(seeking->GetTimeFormat(&format), S_OK);
    EXPECT_TRUE(format == TIME_FORMAT_MEDIA_TIME);
    EXPECT_EQ(seeking->SetTimeFormat(&TIME_FORMAT_SAMPLE), E_INVALIDARG);
    EXPECT_EQ(seeking->SetTimeFormat(&TIME_FORMAT_FRAME), S_OK);
    for (double refused : {0.0, -1.0, 4.5})
        EXPECT_EQ(position->put_Rate(refused), E_INVALIDARG) << refused;
    EXPECT_EQ(position->put_Rate(4.0), S_OK);
    double rate = 0;
    EXPECT_EQ(position->get_Rate(&rate), S_OK);
    EXPECT_EQ(rate, 4.0);
}

TEST_F(DirectShowStandIn, WaitingCallsLetTheClockRunToTheEnd) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(25)));
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* control = Get<IMediaControl>(graph, IID_IMediaControl);
    auto* events = Get<IMediaEventEx>(graph, IID_IMediaEventEx);
    long code;
    LONG_PTR p1, p2;
    EXPECT_EQ(events->WaitForCompletion(100, &code), VFW_E_WRONG_STATE);
    control->Run();
    standin::AdvanceClock(300);
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 200), E_ABORT); // 200 ms pass, no event yet
    EXPECT_EQ(standin::NowMs(), 1500u);
    EXPECT_EQ(events->GetEvent(&code, &p1, &p2, 5000), S_OK); // wakes at the end, not later
    EXPECT_EQ(code, EC_COMPLETE);
    EXPECT_EQ(standin::NowMs(), 2000u);
}

TEST_F(DirectShowStandIn, SeekingFlagsAndStopPositionsWorkInFrames) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(25)));
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* control = Get<IMediaControl>(graph, IID_IMediaControl);
    auto* seeking = Get<IMediaSeeking>(graph, IID_IMediaSeeking);
    seeking->SetTimeFormat(&TIME_FORMAT_FRAME);
    LONGLONG current = 4, stop = 10;
    EXPECT_EQ(seeking->SetPositions(&current, AM_SEEKING_AbsolutePositioning, &stop,
                                    AM_SEEKING_AbsolutePositioning),
              S_OK);
    current = 3;
    EXPECT_EQ(seeking->SetPositions(&current,
                                    AM_SEEKING_RelativePositioning | AM_SEEKING_ReturnTime, nullptr,
                                    AM_SEEKING_NoPositioning),
              S_OK);
    EXPECT_EQ(current, 2800000); // frame 7, handed back in 100 ns units
    current = -20;
    EXPECT_EQ(seeking->SetPositions(&current, AM_SEEKING_RelativePositioning, nullptr, 0),
              E_INVALIDARG);
    control->Run();
    standin::AdvanceClock(119); // frame 9.975: not yet at the stop
    EXPECT_TRUE(standin::LastGraph().QueuedEvents().empty());
    standin::AdvanceClock(1);
    ASSERT_EQ(standin::LastGraph().QueuedEvents().size(), 1u);
    LONGLONG reached = 0;
    seeking->GetCurrentPosition(&reached);
    EXPECT_EQ(reached, 10);
}

TEST_F(DirectShowStandIn, RectanglesAreCheckedLikeTheRenderer) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(2)));
    auto* video = Get<IBasicVideo>(Render("C:\\m\\a.avi"), IID_IBasicVideo);
    EXPECT_EQ(video->SetDestinationPosition(133, 0, 533, 400), S_OK);
    EXPECT_EQ(video->SetDestinationPosition(0, 0, 0, 10), E_INVALIDARG);
    EXPECT_EQ(video->SetDestinationPosition(0, 0, 10, -1), E_INVALIDARG);
    EXPECT_EQ(video->put_SourceWidth(33), E_INVALIDARG); // wider than the 32-pixel picture
    EXPECT_EQ(video->SetSourcePosition(8, 4, 24, 20), S_OK);
    EXPECT_EQ(video->IsUsingDefaultSource(), S_FALSE);
    standin::GraphView view = standin::LastGraph();
    ASSERT_EQ(view.Destinations().size(), 1u);
    EXPECT_EQ(view.Destination().left, 133);
    EXPECT_EQ(view.Destination().right, 533); // left, top, width, height
}

// The graph's own window and notifications must not use up what a test armed for the module.
TEST_F(DirectShowStandIn, PlatformOwnCallsLeaveTheModulesFaultsAlone) {
    standin::InjectFault("CreateWindowExW", ERROR_NOT_ENOUGH_MEMORY);
    standin::InjectFault("PostMessageW", ERROR_NOT_ENOUGH_MEMORY);
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(5)));
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* events = Get<IMediaEventEx>(graph, IID_IMediaEventEx);
    auto* control = Get<IMediaControl>(graph, IID_IMediaControl);
    WNDCLASSEXW description = {};
    description.cbSize = sizeof description;
    description.lpfnWndProc = DefWindowProcW;
    description.lpszClassName = L"Notified";
    RegisterClassExW(&description);
    EXPECT_NE(standin::LastGraph().VideoWindow(), nullptr);
    EXPECT_EQ(standin::CallCount("CreateWindowExW"), 0);
    HWND notified =
        CreateWindowExW(0, L"Notified", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(notified, nullptr); // the module's own call meets the fault
    notified =
        CreateWindowExW(0, L"Notified", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    events->SetNotifyWindow(reinterpret_cast<OAHWND>(notified), kGraphNotify, 0);
    control->Pause();
    std::vector<MSG> queued = standin::QueuedMessages();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].hwnd, notified);
    EXPECT_EQ(queued[0].message, kGraphNotify);
    EXPECT_FALSE(PostMessageW(notified, WM_USER, 0, 0)); // still armed for the module
}

// ---- references ----

TEST_F(DirectShowStandIn, EveryReferenceIsCountedUntilReleased) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(5, true, "IV50")));
    IGraphBuilder* graph = nullptr;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                     reinterpret_cast<void**>(&graph));
    graph->RenderFile(L"C:\\m\\a.avi", nullptr);
    IMediaControl* control = Query<IMediaControl>(graph, IID_IMediaControl);
    IBaseFilter* renderer = nullptr;
    EXPECT_EQ(graph->FindFilterByName(L"Video Renderer", &renderer), S_OK);
    IQualProp* quality = Query<IQualProp>(renderer, IID_IQualProp);
    IEnumFilters* filters = nullptr;
    EXPECT_EQ(graph->EnumFilters(&filters), S_OK);
    IBaseFilter* found[4] = {};
    ULONG fetched = 0;
    EXPECT_EQ(filters->Next(4, found, &fetched), S_OK);
    EXPECT_EQ(fetched, 4u);
    FILTER_INFO info;
    EXPECT_EQ(found[1]->QueryFilterInfo(&info), S_OK);
    EXPECT_EQ(Utf8(info.achName), "Indeo 5 Video Decoder");
    EXPECT_EQ(standin::OutstandingReferences(), 2 + 2 + 1 + 4 + 1);
    EXPECT_EQ(standin::LastGraph().References(), 2 + 2 + 4 + 1); // the enumerator is not a filter

    graph->Release();
    control->Release();
    info.pGraph->Release();
    EXPECT_EQ(standin::LiveGraphs(), 1); // the enumerator still holds the graph
    filters->Release();
    EXPECT_EQ(standin::LiveGraphs(), 0);
    for (IBaseFilter* filter : found)
        filter->Release();
    quality->Release();
    EXPECT_EQ(standin::OutstandingReferences(), 1);
    renderer->Release();
    EXPECT_EQ(standin::OutstandingReferences(), 0);
    EXPECT_FALSE(standin::LastGraph().Alive());
}

TEST_F(DirectShowStandIn, CreationAndQueriesFailAsAskedOrAsCom) {
    IGraphBuilder* graph = nullptr;
    EXPECT_EQ(CoCreateInstance(IID_IMediaControl, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&graph)),
              REGDB_E_CLASSNOTREG);
    CoUninitialize();
    EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&graph)),
              CO_E_NOTINITIALIZED);
    CoInitialize(nullptr);
    standin::InjectFault("CoCreateInstance", E_OUTOFMEMORY);
    EXPECT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                               reinterpret_cast<void**>(&graph)),
              E_OUTOFMEMORY);
    EXPECT_EQ(graph, nullptr);

    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(5, false, "DIVX")));
    graph = Render("C:\\m\\a.avi");
    standin::InjectFault("QueryInterface:IMediaSeeking", E_NOINTERFACE);
    void* out = &out;
    EXPECT_EQ(graph->QueryInterface(IID_IMediaSeeking, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(graph->QueryInterface(IID_IMediaSeeking, &out), S_OK);
    static_cast<IUnknown*>(out)->Release();
    // the second filter's query for the DivX interface fails once
    standin::InjectFault("Filter::QueryInterface", E_FAIL, 2);
    IEnumFilters* filters = nullptr;
    EXPECT_EQ(graph->EnumFilters(&filters), S_OK);
    holds.push_back(filters);
    std::vector<HRESULT> answers;
    IBaseFilter* filter;
    while (filters->Next(1, &filter, nullptr) == S_OK) {
        answers.push_back(filter->QueryInterface(standin::IID_IDivXFilterInterface, &out));
        if (answers.back() == S_OK)
            static_cast<IUnknown*>(out)->Release();
        filter->Release();
    }
    EXPECT_EQ(answers, (std::vector<HRESULT>{E_NOINTERFACE, E_FAIL, E_NOINTERFACE}));
}

// ---- pictures and the video window ----

TEST_F(DirectShowStandIn, CurrentImageIsThePictureOfTheCurrentFrame) {
    for (int bits : {24, 32}) {
        media::AviClip clip = Clip(10);
        clip.bitCount = bits;
        ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", clip));
        IGraphBuilder* graph = Render("C:\\m\\a.avi");
        auto* video = Get<IBasicVideo>(graph, IID_IBasicVideo);
        auto* seeking = Get<IMediaSeeking>(graph, IID_IMediaSeeking);
        seeking->SetTimeFormat(&TIME_FORMAT_FRAME);
        LONGLONG frame = 6;
        seeking->SetPositions(&frame, AM_SEEKING_AbsolutePositioning, nullptr, 0);
        long size = 0;
        EXPECT_EQ(video->GetCurrentImage(&size, nullptr), S_OK);
        const long row = 32 * bits / 8;
        EXPECT_EQ(size, 40 + row * 24);
        std::vector<long> buffer(static_cast<size_t>(size + 3) / 4);
        long tooSmall = size - 1;
        EXPECT_EQ(video->GetCurrentImage(&tooSmall, buffer.data()), E_OUTOFMEMORY);
        EXPECT_EQ(video->GetCurrentImage(&size, buffer.data()), S_OK);
        const auto* dib = reinterpret_cast<const uint8_t*>(buffer.data());
        EXPECT_EQ(dib[14], bits);
        // bottom-up: the first stored row is picture row 23
        const uint8_t* pixel = dib + 40 + 5 * (bits / 8);
        media::Rgb expected = media::DefaultPixel(6, 5, 23);
        EXPECT_EQ((media::Rgb{pixel[2], pixel[1], pixel[0]}), expected) << bits;
    }
}

TEST_F(DirectShowStandIn, VideoWindowIsARealWindowTheOwnerAndDrainControl) {
    WNDCLASSEXW owned = {};
    owned.cbSize = sizeof owned;
    owned.lpfnWndProc = DefWindowProcW;
    owned.lpszClassName = L"OwnerClass";
    ASSERT_NE(RegisterClassExW(&owned), 0);
    HWND owner = CreateWindowExW(0, L"OwnerClass", L"owner", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(10)));
    IGraphBuilder* graph = Render("C:\\m\\a.avi");
    auto* window = Get<IVideoWindow>(graph, IID_IVideoWindow);
    HWND video = standin::LastGraph().VideoWindow();
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, nullptr, L"ActiveMovie Window"), video);
    EXPECT_EQ(window->put_Owner(reinterpret_cast<OAHWND>(owner)), S_OK);
    EXPECT_EQ(window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN), S_OK);
    EXPECT_EQ(window->put_MessageDrain(reinterpret_cast<OAHWND>(owner)), S_OK);
    EXPECT_EQ(GetParent(video), owner);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, nullptr, L"ActiveMovie Window"), nullptr);
    EXPECT_EQ(window->SetWindowPosition(0, 0, 320, 240), S_OK);
    RECT client;
    GetClientRect(video, &client);
    EXPECT_EQ(client.right, 320);

    SendMessageW(video, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 6)); // MK_LBUTTON
    std::vector<MSG> queued = standin::QueuedMessages();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].hwnd, owner);
    EXPECT_EQ(queued[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(queued[0].lParam, MAKELPARAM(5, 6));

    // full screen lifts the window onto the screen; leaving puts it back where it was
    EXPECT_EQ(window->put_FullScreenMode(OATRUE), S_OK);
    EXPECT_EQ(GetParent(video), nullptr);
    RECT screen;
    GetWindowRect(video, &screen);
    EXPECT_EQ(screen.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window->put_FullScreenMode(OAFALSE), S_OK);
    EXPECT_EQ(GetParent(video), owner);
    GetClientRect(video, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(window->put_Visible(2), E_INVALIDARG);
    EXPECT_EQ(window->SetWindowForeground(1), E_INVALIDARG);
}

// ---- decoders ----

TEST_F(DirectShowStandIn, DecodersKeepWhatIsWrittenToThem) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(5, false, "IV50")));
    IBaseFilter* filter = nullptr;
    Render("C:\\m\\a.avi")->FindFilterByName(L"Indeo 5 Video Decoder", &filter);
    holds.push_back(filter);
    auto* indeo = Get<standin::IIndeoDecode>(filter, standin::IID_IIndeoDecode);
    uint8_t frame[124] = {}, sequence[44] = {};
    auto put = [](uint8_t* record, size_t at, uint32_t value) {
        std::memcpy(record + at, &value, 4);
    };
    auto get = [](const uint8_t* record, size_t at) {
        int32_t value;
        std::memcpy(&value, record + at, 4);
        return value;
    };
    for (uint8_t* record : {frame, sequence}) {
        put(record, 0x00, record == frame ? 124 : 44);
        std::memcpy(record + 0x04, "IV50", 4);
    }
    put(frame, 0x0C, 2);
    put(frame, 0x14, 0x800000E0);
    put(frame, 0x48, -5);
    put(frame, 0x4C, 9);
    put(frame, 0x50, 72);
    put(frame, 0x54, 0x00FF00); // not in the mask: not kept
    EXPECT_EQ(indeo->WriteFrame(frame), S_OK);
    put(sequence, 0x0C, 4);
    put(sequence, 0x14, 0x8000000F);
    put(sequence, 0x18, 1234);
    put(sequence, 0x28, 1);
    EXPECT_EQ(indeo->WriteSequence(sequence), S_OK);
    EXPECT_EQ(indeo->ReadSequence(sequence), E_INVALIDARG); // a read asks with kind 3
    put(sequence, 0x0C, 3);
    std::memset(sequence + 0x18, 0, 20);
    EXPECT_EQ(indeo->ReadSequence(sequence), S_OK);
    EXPECT_EQ(get(sequence, 0x18), 1234);
    EXPECT_EQ(get(sequence, 0x28), 1);
    std::memset(frame + 0x48, 0, 16);
    EXPECT_EQ(indeo->ReadFrame(frame), S_OK);
    EXPECT_EQ(get(frame, 0x50), 72);
    EXPECT_EQ(get(frame, 0x48), -5);
    standin::DecoderView view = standin::LastDecoder();
    EXPECT_EQ(view.kind, "Indeo5");
    EXPECT_EQ(view.indeoTransFill, 0);
    EXPECT_EQ(view.indeoSaturation, 9);
    put(frame, 0x00, 44);
    EXPECT_EQ(indeo->WriteFrame(frame), E_INVALIDARG);
    standin::InjectFault("Indeo5::ReadFrame", E_FAIL);
    EXPECT_EQ(indeo->ReadFrame(frame), E_FAIL);
}

TEST_F(DirectShowStandIn, Indeo4PasswordAndDivxSettingsRoundTrip) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\a.avi", Clip(5, false, "IV41")));
    IBaseFilter* filter = nullptr;
    Render("C:\\m\\a.avi")->FindFilterByName(L"Indeo 4 Video Decoder", &filter);
    holds.push_back(filter);
    auto* indeo4 = Get<standin::II6vxDecoder>(filter, standin::IID_II6vxDecoder);
    WCHAR buffer[18] = L"KEYNOTSUPPLIED";
    EXPECT_EQ(indeo4->GetPassword(buffer), S_FALSE);
    EXPECT_EQ(Utf8(buffer), "KEYNOTSUPPLIED");
    EXPECT_EQ(indeo4->SetPassword(L"a-very-long-password-text"), S_OK);
    EXPECT_EQ(indeo4->GetPassword(buffer), S_OK);
    EXPECT_EQ(Utf8(buffer), "a-very-long-passw"); // 17 units and the terminator

    ASSERT_TRUE(media::WriteAvi("C:\\m\\d.avi", Clip(5, false, "DIV3")));
    Render("C:\\m\\d.avi")->FindFilterByName(L"DivX Decoder Filter", &filter);
    holds.push_back(filter);
    auto* divx = Get<standin::IDivXFilterInterface>(filter, standin::IID_IDivXFilterInterface);
    EXPECT_EQ(divx->SetContrast(72), S_OK);
    int value = 50;
    standin::InjectFault("DivX::GetContrast", E_FAIL);
    EXPECT_EQ(divx->GetContrast(&value), E_FAIL);
    EXPECT_EQ(value, 50);
    EXPECT_EQ(divx->GetContrast(&value), S_OK);
    EXPECT_EQ(value, 72);
}

// ---- the open-file dialog ----

TEST_F(DirectShowStandIn, OpenFileDialogAnswersFromTheScriptAndRecordsTheRequest) {
    WCHAR file[260] = L"";
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.lpstrFilter = L"Video\0*.avi\0All\0*.*;\0";
    request.lpstrFile = file;
    request.nMaxFile = 260;
    request.lpstrInitialDir = L"\\";
    request.lpstrTitle = L"Media";
    request.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    EXPECT_FALSE(GetOpenFileNameW(&request)); // nothing scripted: the user cancels
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    standin::ScriptOpenFileChoice(u"C:\\clips\\intro.avi");
    EXPECT_TRUE(GetOpenFileNameW(&request));
    EXPECT_EQ(Utf8(file), "C:\\clips\\intro.avi");
    EXPECT_EQ(request.nFileOffset, 9);
    EXPECT_EQ(request.nFileExtension, 15);
    standin::ScriptOpenFileChoice(u"C:\\clips\\intro.avi");
    request.nMaxFile = 10;
    EXPECT_FALSE(GetOpenFileNameW(&request));
    EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
    const auto& shown = standin::OpenFileDialogs();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].filter, (std::vector<std::u16string>{u"Video", u"*.avi", u"All", u"*.*;"}));
    EXPECT_EQ(shown[0].initialDir, u"\\");
    EXPECT_EQ(shown[0].title, u"Media");
    EXPECT_EQ(shown[0].flags, 0x1800u);
}

// ---- what the stand-in does not model ----

TEST_F(DirectShowStandIn, UnmodelledCallsAnswerNotImplementedAndAreRemembered) {
    ASSERT_TRUE(media::WriteAvi("C:\\m\\u.avi", Clip(5)));
    IGraphBuilder* graph = Render("C:\\m\\u.avi");
    EXPECT_EQ(standin::TakeUnmodelledCalls(), std::vector<std::string>());
    EXPECT_EQ(graph->Render(nullptr), E_NOTIMPL);
    IMediaPosition* position = Get<IMediaPosition>(graph, IID_IMediaPosition);
    EXPECT_EQ(position->put_PrerollTime(1.0), E_NOTIMPL);
    standin::ResetPlatform(); // a reset must not hide them from the end-of-test check
    EXPECT_EQ(standin::TakeUnmodelledCalls(),
              (std::vector<std::string>{"GraphBuilderPart::Render",
                                        "MediaPositionPart::put_PrerollTime"}));
    EXPECT_EQ(standin::TakeUnmodelledCalls(), std::vector<std::string>());
}

} // namespace

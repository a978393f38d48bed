// The player's detours for Wine, each run twice: on the stand-in as Windows, where the whole call
// sequence must stay exactly what it is, and on the stand-in pretending to be Wine (with Wine's
// answers injected where it differs), where the detour must make the operation come out as it
// does on Windows.
#include "player/packed_dib.h"
#include "player/platform_quirks.h"
#include "standin/faults.h"
#include "standin/kernel_control.h"
#include "unit/player_fixture.h"

#include <cstring>
#include <set>

namespace {

// The graph calls whose order the detours change, as the stand-in names them.
std::vector<std::string> GraphCalls() {
    static const std::set<std::string> watched = {"CoCreateInstance",
                                                  "AddFilter",
                                                  "RemoveFilter",
                                                  "EnumPins",
                                                  "ConnectedTo",
                                                  "RenderFile",
                                                  "Run",
                                                  "Pause",
                                                  "Stop",
                                                  "GetState",
                                                  "SetTimeFormat",
                                                  "GetPositions",
                                                  "SetPositions",
                                                  "GetDuration",
                                                  "put_CurrentPosition",
                                                  "get_AvgTimePerFrame",
                                                  "GetVideoSize",
                                                  "SetWindowPosition",
                                                  "SetWindowPosition",
                                                  "put_Owner",
                                                  "GetCurrentImage",
                                                  "put_FullScreenMode",
                                                  "StopWhenReady",
                                                  "GetDestinationPosition",
                                                  "SetDestinationPosition",
                                                  "SetWindowPosition"};
    std::vector<std::string> calls;
    for (const std::string& call : standin::CallJournal())
        if (watched.count(call))
            calls.push_back(call);
    return calls;
}

typedef std::vector<std::string> Calls;

class QuirksTest : public PlayerTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        PlayerTest::SetUp();
        standin::PretendToBeWine(Wine());
        RedetectPlatform();
    }
    void TearDown() override {
        PlayerTest::TearDown();
        standin::PretendToBeWine(false);
        RedetectPlatform();
    }
    static bool Wine() { return GetParam(); }

    // Wine refuses the frame time format on every graph.
    static void RefuseFrameFormat() {
        standin::InjectFault("SetTimeFormat", E_INVALIDARG, 1, true);
    }
    void OpenSmallClip(int frames, bool withAudio = false) {
        media::AviClip clip = SmallClip(frames);
        clip.withAudio = withAudio;
        OpenQuietly(Avi(clip));
    }
    // Takes every queued graph event, so that a journal shows only the calls that follow.
    void DrainEvents() {
        for (int i = 0; i < 100 && !standin::LastGraph().QueuedEvents().empty(); ++i)
            player->HandleGraphEvents();
    }
    // Runs the graph and lets `ms` of the clock pass.
    void PlayFor(DWORD ms) {
        player->Play();
        standin::AdvanceClock(ms);
        standin::PollGraphs();
    }
};

TEST_P(QuirksTest, OnlyWineIsDetected) {
    EXPECT_EQ(RunningOnWine(), Wine());
}

TEST_P(QuirksTest, OpeningAddsTheGdiRendererOnlyOnWineAndKeepsItOnlyForAPicture) {
    standin::StartCallJournal();
    OpenSmallClip(10);
    if (Wine())
        EXPECT_EQ(GraphCalls(), (Calls{"CoCreateInstance", "CoCreateInstance", "AddFilter",
                                       "RenderFile", "EnumPins", "ConnectedTo", "put_Owner",
                                       "GetVideoSize", "SetWindowPosition", "SetWindowPosition",
                                       "Stop", "SetTimeFormat", "GetDuration", "SetTimeFormat"}));
    else
        EXPECT_EQ(GraphCalls(), (Calls{"CoCreateInstance", "RenderFile", "put_Owner",
                                       "GetVideoSize", "SetWindowPosition", "SetWindowPosition",
                                       "Stop", "SetTimeFormat", "GetDuration", "SetTimeFormat"}));
    // Either way the picture goes through one renderer under its usual name.
    std::vector<std::u16string> filters = standin::LastGraph().Filters();
    EXPECT_EQ(std::count(filters.begin(), filters.end(), u"Video Renderer"), 1);
    EXPECT_NE(player->pBF, (IBaseFilter*)NULL);
    EXPECT_EQ(player->NoVideo, 0u);

    // A sound without a picture leaves the added renderer unconnected: it is taken out again,
    // or the sound would look like a video.
    standin::StartCallJournal();
    ASSERT_EQ(Open(Wav()), 0);
    filters = standin::LastGraph().Filters();
    EXPECT_EQ(std::count(filters.begin(), filters.end(), u"Video Renderer"), 0);
    EXPECT_EQ(player->NoVideo, 1u);
    Calls calls = GraphCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string("RemoveFilter")), Wine() ? 1 : 0);
    player->CloseMedia();
    EXPECT_EQ(standin::OutstandingReferences(), 0);
}

TEST_P(QuirksTest, ARendererThatCannotBeAddedLeavesTheDefaultOne) {
    standin::InjectFault("AddFilter", E_FAIL);
    OpenSmallClip(10);
    std::vector<std::u16string> filters = standin::LastGraph().Filters();
    EXPECT_EQ(std::count(filters.begin(), filters.end(), u"Video Renderer"), 1);
    EXPECT_EQ(player->NoVideo, 0u);
    player->CloseMedia();
    EXPECT_EQ(standin::OutstandingReferences(), 0);
}

TEST_P(QuirksTest, ARefusedFrameFormatIsDerivedFromTheTimePerFrameOnlyOnWine) {
    RefuseFrameFormat();
    OpenSmallClip(75); // 3 s at 25 frames per second
    EXPECT_EQ(player->TotalMilliseconds, 3000);
    WCHAR text[16];
    if (!Wine()) {
        // Windows' answers to a graph that refuses the format: nothing in frames.
        EXPECT_EQ(player->TotalFrames, 0);
        EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), -1.0);
        standin::StartCallJournal();
        EXPECT_EQ(player->Seek(TIME_FORMAT_FRAME, 30), -1);
        EXPECT_EQ(GraphCalls(), Calls{"SetTimeFormat"});
        EXPECT_EQ(standin::LastGraph().Position(), 0);
        EXPECT_EQ(U16(player->FormatTime(text, 16, 3725.6)), u"01:02:06");
        return;
    }
    EXPECT_EQ(player->TotalFrames, 75);
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), 0.0);

    standin::StartCallJournal();
    player->Seek(TIME_FORMAT_FRAME, 30);
    EXPECT_EQ(GraphCalls(),
              (Calls{"SetTimeFormat", "get_AvgTimePerFrame", "GetState", "SetPositions"}));
    EXPECT_EQ(standin::LastGraph().Position(), 30 * 400000LL);
    EXPECT_EQ(standin::LastGraph().Stop(), 75 * 400000LL);
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), 30.0);
    EXPECT_EQ(player->StopPosition, 75);
    EXPECT_EQ(player->MediaStatus, MediaBetween);
    EXPECT_EQ(player->PlayState, PlayBetween);
    // As after a frame query on Windows, the position text is the plain number...
    EXPECT_EQ(U16(player->FormatTime(text, 16, 3725.6)), u"3725");
    // ...until the media-time format is asked for again.
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_MEDIA_TIME), 1200.0);
    EXPECT_EQ(U16(player->FormatTime(text, 16, 3725.6)), u"01:02:06");

    // The at-end test works in derived frames as in the graph's own.
    player->Seek(TIME_FORMAT_FRAME, 70);
    EXPECT_EQ(player->MediaStatus, MediaAtEnd);
    EXPECT_EQ(player->PlayState, PlayStopped);
    EXPECT_EQ(standin::LastGraph().Position(), 70 * 400000LL);
}

TEST_P(QuirksTest, AudioHasNoFramesOnEitherPlatform) {
    RefuseFrameFormat();
    ASSERT_EQ(Open(Wav()), 0);
    EXPECT_EQ(player->TotalFrames, 0);
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), -1.0);
}

TEST_P(QuirksTest, TheFrameRateComesFromTheTimePerFrameOnlyWithoutQualityFigures) {
    OpenSmallClip(10);
    PlayFor(100);
    EXPECT_EQ(player->GetAverageFrameRate(), 2500); // the renderer's own figures
    standin::InjectFault("QueryInterface:IQualProp", E_NOINTERFACE, 1, true);
    EXPECT_EQ(player->GetAverageFrameRate(), Wine() ? 2500 : -1);
}

TEST_P(QuirksTest, WineSeeksOnlyAStoppedGraphAndRestoresTheStateAfter) {
    OpenSmallClip(75, true);
    PlayFor(500);
    DrainEvents();
    standin::StartCallJournal();
    player->Seek(TIME_FORMAT_MEDIA_TIME, 2.0);
    EXPECT_EQ(GraphCalls(), Wine() ? (Calls{"GetState", "Stop", "put_CurrentPosition", "Run"})
                                   : (Calls{"put_CurrentPosition"}));
    EXPECT_EQ(standin::LastGraph().State(), State_Running);
    EXPECT_EQ(standin::LastGraph().Position(), 20000000LL);

    player->Pause();
    DrainEvents();
    standin::StartCallJournal();
    player->Seek(TIME_FORMAT_MEDIA_TIME, 0.0);
    // (The restoring pause queues EC_PAUSED, which the seek's event drain takes: it refits the
    // video window.)
    EXPECT_EQ(GraphCalls(), Wine() ? (Calls{"GetState", "Stop", "put_CurrentPosition", "Pause",
                                            "GetState", "SetWindowPosition"})
                                   : (Calls{"put_CurrentPosition"}));
    EXPECT_EQ(standin::LastGraph().State(), State_Paused);
    EXPECT_EQ(standin::LastGraph().Position(), 0);

    // A stopped graph is sought as it is.
    player->pMC->Stop();
    DrainEvents();
    standin::StartCallJournal();
    player->Seek(TIME_FORMAT_MEDIA_TIME, 1.0);
    EXPECT_EQ(GraphCalls(),
              Wine() ? (Calls{"GetState", "put_CurrentPosition"}) : (Calls{"put_CurrentPosition"}));
    EXPECT_EQ(standin::LastGraph().State(), State_Stopped);
    EXPECT_EQ(standin::LastGraph().Position(), 10000000LL);
}

TEST_P(QuirksTest, AGrabWhoseSizeQueryFailsIsSizedFromTheVideoOnlyOnWine) {
    media::AviClip clip = SmallClip(10);
    OpenQuietly(Avi(clip));
    // The reference: the picture of the stopped graph's first frame as the size query gives it.
    LONG expectedBytes = 0;
    std::unique_ptr<BYTE[]> expected(player->GrabCurrentImage(&expectedBytes));
    ASSERT_TRUE(expected);
    ASSERT_EQ(expectedBytes, kDibInfoHeaderBytes + 32 * 24 * 3);

    // Wine refuses the size query; right after its pause the renderer has no sample yet.
    standin::InjectFault("GetCurrentImage", E_POINTER, 1);
    standin::InjectFault("GetCurrentImage", E_UNEXPECTED, 2);
    standin::StartCallJournal();
    LONG bytes = -1;
    std::unique_ptr<BYTE[]> image(player->GrabCurrentImage(&bytes));
    if (!Wine()) {
        EXPECT_FALSE(image);
        EXPECT_EQ(bytes, 0);
        EXPECT_EQ(GraphCalls(), (Calls{"GetState", "GetCurrentImage"}));
        return;
    }
    ASSERT_TRUE(image);
    EXPECT_EQ(GraphCalls(), (Calls{"GetState", "GetCurrentImage", "GetVideoSize", "Pause",
                                   "GetState", "GetCurrentImage", "GetCurrentImage", "Stop"}));
    ASSERT_EQ(bytes, expectedBytes);
    EXPECT_EQ(std::memcmp(image.get(), expected.get(), bytes), 0);
    EXPECT_EQ(standin::LastGraph().State(), State_Stopped);

    // A running graph is paused for the copy and runs again after it.
    PlayFor(100);
    standin::InjectFault("GetCurrentImage", E_POINTER, 1);
    image.reset(player->GrabCurrentImage(&bytes));
    EXPECT_TRUE(image);
    EXPECT_EQ(standin::LastGraph().State(), State_Running);
}

TEST_P(QuirksTest, AGrabThatNeverGetsAPictureGivesNone) {
    OpenSmallClip(10);
    standin::InjectFault("GetCurrentImage", E_POINTER, 1);
    standin::InjectFault("GetCurrentImage", E_UNEXPECTED, 1, true);
    LONG bytes = -1;
    EXPECT_EQ(player->GrabCurrentImage(&bytes), (BYTE*)NULL);
    EXPECT_EQ(bytes, 0);
    EXPECT_EQ(standin::LastGraph().State(), State_Stopped);
}

TEST_P(QuirksTest, FullScreenKeepsItsWindowOnWineAndGivesBackPictureAndWindowAfter) {
    OpenSmallClip(10);
    ASSERT_EQ(player->SetDestinationRect(false, 100, 100, 0), 1);
    const RECT before = standin::LastGraph().Destination();
    const RECT windowBefore = standin::LastGraph().WindowPosition();

    standin::StartCallJournal();
    EXPECT_EQ(player->SetFullScreen(-1), 0);
    EXPECT_EQ(GraphCalls(), Wine() ? (Calls{"GetDestinationPosition", "put_FullScreenMode"})
                                   : (Calls{"put_FullScreenMode", "put_Owner"}));
    EXPECT_EQ(standin::LastGraph().FullScreenMode(), OATRUE);

    // Wine hands the window back screen-sized with a screen-sized picture.
    player->pBV->SetDestinationPosition(0, 0, 1280, 1024);
    standin::StartCallJournal();
    EXPECT_EQ(player->SetFullScreen(0), 0);
    if (Wine())
        EXPECT_EQ(GraphCalls(), (Calls{"put_FullScreenMode", "put_Owner", "SetDestinationPosition",
                                       "SetWindowPosition"}));
    else
        EXPECT_EQ(GraphCalls(), (Calls{"put_FullScreenMode", "put_Owner"}));
    EXPECT_EQ(standin::LastGraph().Owner(), (OAHWND)host);
    if (Wine()) {
        const RECT after = standin::LastGraph().Destination();
        EXPECT_TRUE(std::memcmp(&after, &before, sizeof(RECT)) == 0);
        const RECT windowAfter = standin::LastGraph().WindowPosition();
        EXPECT_TRUE(std::memcmp(&windowAfter, &windowBefore, sizeof(RECT)) == 0);
    }
}

TEST_P(QuirksTest, ClosingStopsTheGraphItselfOnWine) {
    OpenSmallClip(10, true);
    PlayFor(100);
    standin::StartCallJournal();
    player->CloseMedia();
    Calls calls = GraphCalls();
    EXPECT_EQ(calls, Wine() ? (Calls{"Stop", "GetState", "put_Owner"})
                            : (Calls{"StopWhenReady", "put_Owner"}));
    EXPECT_EQ(standin::OutstandingReferences(), 0);
}

INSTANTIATE_TEST_SUITE_P(Platforms, QuirksTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Wine" : "Windows";
                         });

TEST(FrameConversions, RoundToTheNearestFrameAndBack) {
    EXPECT_EQ(FramesFromMediaTime(0, 0.04), 0);
    EXPECT_EQ(FramesFromMediaTime(399999, 0.04), 1);
    EXPECT_EQ(FramesFromMediaTime(30 * 400000LL, 0.04), 30);
    EXPECT_EQ(FramesFromMediaTime(20000000, 1.0 / 29.97), 60); // 2 s at 29.97 fps: 59.94
    EXPECT_EQ(MediaTimeFromFrames(61, 1.0 / 29.97), 20353687);
    EXPECT_EQ(FramesFromMediaTime(12345, 0.0), 0);
}

} // namespace

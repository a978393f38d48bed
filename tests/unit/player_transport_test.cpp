// VideoPlayer: run, pause, stop, step, seek, positions, the position text and graph events.
#include "standin/faults.h"
#include "unit/player_fixture.h"

#include <functional>

namespace {

// A value no operation ever gives either word: a word that still holds it was left alone.
const LONG kUnchanged = 9;

struct StateWords {
    LONG media, play;
    bool operator==(const StateWords& o) const { return media == o.media && play == o.play; }
};
std::ostream& operator<<(std::ostream& out, const StateWords& s) {
    return out << s.media << "/" << s.play;
}

} // namespace

class TransportTest : public PlayerTest {
  protected:
    StateWords Words() const { return {player->MediaStatus, player->PlayState}; }
    void SetWords(LONG media, LONG play) {
        player->MediaStatus = media;
        player->PlayState = play;
    }
};

TEST_F(TransportTest, OperationsOnAClosedPlayerAnswerTheirFailureValues) {
    EXPECT_EQ(player->Play(), -1);
    EXPECT_EQ(player->Pause(), -1);
    EXPECT_EQ(player->Stop(), -1);
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), -1.0);
    EXPECT_EQ(player->Seek(TIME_FORMAT_FRAME, 5), -1);
    EXPECT_EQ(player->HandleGraphEvents(), 0);
    player->StepFrames(1);
    double seconds = 42.0;
    EXPECT_EQ(player->GetPositionSeconds(&seconds), 0);
    EXPECT_EQ(player->GetDurationSeconds(&seconds), 0);
    EXPECT_EQ(seconds, 42.0);
    WCHAR text[8] = {'x', 0};
    EXPECT_EQ(player->FormatTime(text, 8, 12.0), text);
    EXPECT_EQ(U16(text), u"x");
    EXPECT_EQ(Words(), (StateWords{MediaClosed, PlayIdleAtStart}));
}

TEST_F(TransportTest, PlayPauseAndStopFollowTheStateTheGraphReports) {
    OpenQuietly(Avi(SmallClip(50)));
    EXPECT_EQ(player->Play(), 0);
    EXPECT_EQ(Words(), (StateWords{MediaActive, PlayRunning}));
    EXPECT_EQ(player->Pause(), 0);
    EXPECT_EQ(Words(), (StateWords{MediaActive, PlayPaused}));

    standin::AdvanceClock(400);
    EXPECT_EQ(player->Stop(), 0);
    EXPECT_EQ(Words(), (StateWords{MediaAtStart, PlayStopped}));
    standin::GraphView graph = standin::LastGraph();
    EXPECT_EQ(graph.State(), State_Paused); // showing the first frame
    EXPECT_EQ(graph.Position(), 0);

    // Already stopped: nothing is asked of the graph.
    int stops = standin::CallCount("Stop");
    EXPECT_EQ(player->Stop(), 0);
    EXPECT_EQ(standin::CallCount("Stop"), stops);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(TransportTest, FailingTransportCallsAreLoggedAndTheStateWordsStay) {
    struct Case {
        const char* fault;
        std::function<int(VideoPlayer&)> call;
        std::string line;
    } cases[] = {
        {"Run", [](VideoPlayer& p) { return p.Play(); }, "FAILED(hr=0x80004005) in pMC->Run()\n"},
        {"GetState", [](VideoPlayer& p) { return p.Play(); },
         "FAILED(hr=0x80004005) in pMC->GetState(250, &pfs)\n"},
        {"Pause", [](VideoPlayer& p) { return p.Pause(); },
         "FAILED(hr=0x80004005) in pMC->Pause()\n"},
        {"GetState", [](VideoPlayer& p) { return p.Pause(); },
         "FAILED(hr=0x80004005) in pMC->GetState(500, &pfs)\n"},
        {"GetState", [](VideoPlayer& p) { return p.Stop(); },
         "FAILED(hr=0x80004005) in pMC->GetState(500, &pfs)\n"},
        {"SetPositions", [](VideoPlayer& p) { return p.Stop(); },
         "FAILED(hr=0x80004005) in pMS->SetPositions(&pos, AM_SEEKING_AbsolutePositioning , NULL, "
         "AM_SEEKING_NoPositioning)\n"},
        {"Run", [](VideoPlayer& p) { return p.Stop(); }, "FAILED(hr=0x80004005) in pMC->Run()\n"},
        {"Pause", [](VideoPlayer& p) { return p.Stop(); },
         "FAILED(hr=0x80004005) in pMC->Pause()\n"},
    };
    OpenQuietly(Avi(SmallClip(50)));
    for (const Case& c : cases) {
        SetWords(kUnchanged, kUnchanged);
        ClearLogLines();
        standin::InjectFault(c.fault, E_FAIL);
        EXPECT_EQ(c.call(*player), 0) << c.fault;
        EXPECT_EQ(LogLines(), std::vector<std::string>{c.line}) << c.fault;
        standin::ClearFaults();
    }
}

TEST_F(TransportTest, SeekMarksTheStartAndTheEndOfTheMedia) {
    struct Case {
        int frames;
        bool inFrames;
        double value;
        StateWords after;
    } cases[] = {
        {300, true, 5, {MediaAtStart, PlayIdleAtStart}},
        {300, true, 295, {MediaAtEnd, PlayStopped}},
        {300, true, 10, {MediaAtStart, PlayIdleAtStart}},
        {300, true, 11, {kUnchanged, kUnchanged}},
        {15, true, 8, {MediaAtEnd, PlayStopped}},
        {300, false, 0, {MediaAtStart, PlayIdleAtStart}},
        {300, false, 0.6, {kUnchanged, kUnchanged}},
    };
    for (const Case& c : cases) {
        OpenQuietly(Avi(SmallClip(c.frames)));
        SetWords(kUnchanged, kUnchanged);
        EXPECT_EQ(player->Seek(c.inFrames ? TIME_FORMAT_FRAME : TIME_FORMAT_MEDIA_TIME, c.value),
                  -1);
        EXPECT_EQ(Words(), c.after) << c.frames << " " << c.value;
    }
    // Frame positions reach the graph as frame numbers.
    OpenQuietly(Avi(SmallClip(300)));
    player->Seek(TIME_FORMAT_FRAME, 120.9);
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), 120.0);
    EXPECT_TRUE(LogLines().empty());
}

// A failed seek is logged, and the at-start and at-end tests still run on the value asked for.
TEST_F(TransportTest, AFailedSeekIsLoggedAndStillMarksTheStartOrTheEnd) {
    OpenQuietly(Avi(SmallClip(300)));
    player->Seek(TIME_FORMAT_FRAME, 100);
    ClearLogLines();
    const REFERENCE_TIME before = standin::LastGraph().Position();

    SetWords(kUnchanged, kUnchanged);
    standin::InjectFault("SetPositions", E_FAIL);
    EXPECT_EQ(player->Seek(TIME_FORMAT_FRAME, 295), -1);
    EXPECT_EQ(Words(), (StateWords{MediaAtEnd, PlayStopped}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{
                              "FAILED(hr=0x80004005) in pMS->SetPositions(&pos2, "
                              "AM_SEEKING_AbsolutePositioning, (LONGLONG *) &StopPosition, "
                              "AM_SEEKING_NoPositioning)\n"});

    ClearLogLines();
    SetWords(kUnchanged, kUnchanged);
    standin::InjectFault("put_CurrentPosition", E_FAIL);
    EXPECT_EQ(player->Seek(TIME_FORMAT_MEDIA_TIME, 0), -1);
    EXPECT_EQ(Words(), (StateWords{MediaAtStart, PlayIdleAtStart}));
    EXPECT_EQ(LogLines(), std::vector<std::string>{
                              "FAILED(hr=0x80004005) in pMP->put_CurrentPosition(pos1)\n"});
    EXPECT_EQ(standin::LastGraph().Position(), before);
}

TEST_F(TransportTest, SeekInAFormatTheMediaLacksChangesNothing) {
    OpenQuietly(Wav());
    SetWords(kUnchanged, kUnchanged);
    EXPECT_EQ(player->Seek(TIME_FORMAT_FRAME, 0), -1);
    EXPECT_EQ(Words(), (StateWords{kUnchanged, kUnchanged}));
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), -1.0);
}

TEST_F(TransportTest, GetPositionInFramesMarksPositionsBetweenStartAndEnd) {
    OpenQuietly(Avi(SmallClip(50)));
    SetWords(MediaAtStart, PlayStopped);
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), 0.0);
    EXPECT_EQ(Words(), (StateWords{MediaAtStart, PlayStopped}));
    EXPECT_EQ(player->StopPosition, 50);

    player->Seek(TIME_FORMAT_FRAME, 20);
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_FRAME), 20.0);
    EXPECT_EQ(Words(), (StateWords{MediaBetween, PlayBetween}));
    // The media-time position is in milliseconds, 20 frames at 25 per second.
    EXPECT_EQ(player->GetPosition(TIME_FORMAT_MEDIA_TIME), 800.0);

    double seconds = 0.0;
    EXPECT_EQ(player->GetPositionSeconds(&seconds), 1);
    EXPECT_EQ(seconds, 0.8);
    EXPECT_EQ(player->GetDurationSeconds(&seconds), 1);
    EXPECT_EQ(seconds, 2.0);
}

TEST_F(TransportTest, FormatTimeFollowsTheFormatLastSelected) {
    OpenQuietly(Avi(SmallClip(50)));
    struct Case {
        bool mediaTime;
        size_t capacity;
        double value;
        std::u16string text;
    } cases[] = {
        {true, 32, 3725.6, u"01:02:06"},  {true, 32, 59.52, u"00:01:00"},
        {true, 32, 360000, u"100:00:00"}, {true, 5, 59.52, u"00:0"},
        {false, 32, 3725.6, u"3725"},     {true, 32, 1e300, u"-596523:-14:-8"},
    };
    for (const Case& c : cases) {
        player->QueryDuration(c.mediaTime ? TIME_FORMAT_MEDIA_TIME : TIME_FORMAT_FRAME);
        WCHAR text[32];
        EXPECT_EQ(U16(player->FormatTime(text, c.capacity, c.value)), c.text) << c.value;
    }
}

TEST_F(TransportTest, EventsAreTakenUpToTheFirstThatReturns) {
    OpenQuietly(Avi(SmallClip(50)));
    player->Play();
    player->Pause();
    player->HandleGraphEvents(); // the pause's own EC_PAUSED
    ClearLogLines();

    standin::QueueGraphEvent(EC_COMPLETE, 0, 0);
    standin::QueueGraphEvent(EC_PAUSED, 0, 0);
    standin::QueueGraphEvent(EC_COMPLETE, 0, 0);
    EXPECT_EQ(player->HandleGraphEvents(), 0);
    // EC_COMPLETE set 4/0, then the paused graph's state came back with EC_PAUSED.
    EXPECT_EQ(Words(), (StateWords{MediaActive, PlayPaused}));
    EXPECT_EQ(standin::LastGraph().QueuedEvents().size(), 1u);
    EXPECT_TRUE(Contains(LogLines(), "Size information( 0, 0, 36, 28)"));

    EXPECT_EQ(player->HandleGraphEvents(), 0);
    EXPECT_EQ(Words(), (StateWords{MediaAtEnd, PlayStopped}));
}

TEST_F(TransportTest, EachEventCodeMovesTheStateWordsItsOwnWay) {
    struct Case {
        long code;
        LONG_PTR param1;
        StateWords after; // the graph is paused
    } cases[] = {
        {EC_VIDEOFRAMEREADY, 1, {MediaAtStart, PlayIdleAtStart}},
        {EC_VIDEOFRAMEREADY, 0, {MediaActive, PlayPaused}},
        {EC_SEGMENT_STARTED, 1, {MediaAtStart, PlayIdleAtStart}},
        {EC_OPENING_FILE, 1, {MediaOpening, PlayPaused}},
        {EC_BUFFERING_DATA, 0, {MediaActive, PlayPaused}},
        {EC_END_OF_SEGMENT, 0, {MediaAtEnd, PlayStopped}},
        {EC_NEED_RESTART, 0, {MediaActive, PlayPaused}},
    };
    OpenQuietly(Avi(SmallClip(50)));
    player->Pause();
    player->HandleGraphEvents();
    for (const Case& c : cases) {
        SetWords(kUnchanged, kUnchanged);
        standin::QueueGraphEvent(c.code, c.param1, 0);
        player->HandleGraphEvents();
        EXPECT_EQ(Words(), c.after) << c.code << " " << c.param1;
        player->HandleGraphEvents(); // whatever the restart queued
    }
}

TEST_F(TransportTest, APlayedClipEndsStoppedAtTheEnd) {
    OpenQuietly(Avi(SmallClip(50)));
    player->Play();
    standin::AdvanceClock(2100);
    standin::PollGraphs();
    std::vector<standin::NotifyMessage> posted = standin::LastGraph().PostedNotifications();
    ASSERT_FALSE(posted.empty());
    EXPECT_EQ(posted.back().window, host);
    EXPECT_EQ(posted.back().message, 0x040Du);
    player->HandleGraphEvents();
    EXPECT_EQ(Words(), (StateWords{MediaAtEnd, PlayStopped}));
}

TEST_F(TransportTest, StepFramesPausesAndStepsOnlyWhenTheGraphCan) {
    OpenQuietly(Avi(SmallClip(50)));
    player->Play();
    int pauses = standin::CallCount("Pause");
    standin::InjectFault("CanStep", E_FAIL, 1, true);
    player->StepFrames(3);
    player->StepFrames(0);
    EXPECT_EQ(standin::CallCount("Pause"), pauses);
    EXPECT_EQ(standin::CallCount("Step"), 0);
    EXPECT_EQ(Words(), (StateWords{MediaActive, PlayRunning}));
    standin::ClearFaults(); // the call counts start again from 0

    // A negative count never reaches the graph, whose count is unsigned.
    player->StepFrames(-1);
    EXPECT_EQ(standin::CallCount("CanStep"), 0);
    EXPECT_EQ(standin::CallCount("Pause"), 0);
    EXPECT_EQ(Words(), (StateWords{MediaActive, PlayRunning}));

    // A count of 0 goes through like any other: the running graph is paused.
    player->StepFrames(0);
    EXPECT_EQ(standin::CallCount("CanStep"), 1);
    EXPECT_EQ(standin::CallCount("Pause"), 1);
    EXPECT_EQ(standin::CallCount("Step"), 1);
    EXPECT_EQ(player->PlayState, PlayPaused);

    player->StepFrames(3);
    EXPECT_EQ(standin::CallCount("Pause"), 2);
    EXPECT_EQ(standin::CallCount("Step"), 2);
    EXPECT_EQ(player->PlayState, PlayPaused);
}

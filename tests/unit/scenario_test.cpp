// One object's life as the host lives it: a generated two-second clip played from the start,
// frames on the manual clock until the end is signalled, a seek back, the expressions a game
// would show, and destruction without a leaked interface or window.
#include "unit/run_time_fixture.h"

#include "player/video_player.h"
#include "runtime/run_object_entry.h"
#include "standin/clock.h"
#include "standin/dshow_control.h"
#include "standin/inspect_user.h"

namespace {

using Scenario = RunTimeTest;

constexpr int kFrameMs = 40; // the host runs 25 frames per second

TEST_F(Scenario, PlayToTheEndSeekBackReadAndDestroy) {
    WriteClip("two.avi", SmallClip(50)); // two seconds at 25 frames per second
    const size_t windowsBefore = standin::LiveWindows().size();

    RunObject* object = Create("C:\\clips\\two.avi", kLogged | PlayAtStart);
    ASSERT_EQ(createResult, 0);
    EXPECT_EQ(object->player->PlayState, PlayRunning);

    // Frame n runs at n * 40 ms: the host's loop, the object's frame calls, then its messages.
    int endFrame = -1;
    for (int frame = 0; frame < 100 && endFrame < 0; ++frame) {
        host->NextLoop();
        EXPECT_EQ(HandleRunObject(object), 2);
        DisplayRunObject(object);
        if (host->SignalCount(1) > 0)
            endFrame = frame;
        standin::AdvanceClock(kFrameMs);
        hoststandin::RunHost::PumpMessages();
    }
    // The graph completes at 2000 ms (after frame 49's pump); frame 50 reports it.
    EXPECT_EQ(endFrame, 50);
    EXPECT_EQ(object->player->MediaStatus, MediaAtEnd);
    EXPECT_EQ(host->SignalCount(1), 1);
    EXPECT_EQ(host->SignalCount(0) + host->SignalCount(2) + host->SignalCount(6), 0);

    Action(object, 10); // Goto beginning
    EXPECT_EQ(object->player->MediaStatus, MediaAtStart);
    EXPECT_EQ(object->player->PlayState, PlayIdleAtStart);
    host->ClearRecords();
    HandleRunObject(object);
    EXPECT_EQ(host->SignalCount(0), 1);
    EXPECT_EQ(host->SignalCount(6), 1);

    EXPECT_EQ(Expression(object, 0), 0);
    EXPECT_EQ(Expression(object, 1), 50);
    EXPECT_EQ(AsFloat(Expression(object, 2)), 0.0f);
    EXPECT_EQ(Expression(object, 3), 2);
    EXPECT_EQ(AsText(Expression(object, 19)), "00:00:00");
    EXPECT_EQ(AsText(Expression(object, 20)), "00:00:02");
    EXPECT_EQ(object->resultTypeFlags, ResultIsFloat | ResultIsText);

    EXPECT_EQ(DestroyRunObject(object, 0), 0);
    EXPECT_EQ(standin::LiveGraphs(), 0);
    EXPECT_EQ(standin::OutstandingReferences(), 0);
    EXPECT_EQ(standin::LiveWindows().size(), windowsBefore);
}

} // namespace

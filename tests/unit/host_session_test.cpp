// The stand-in host's session on the native build: the module linked in, the stand-ins as the
// platform and a manual clock, so every time on the timeline is exact.
#include <gtest/gtest.h>

#include "demo_clip.h"
#include "host/routine_tables.h"
#include "host_session.h"
#include "host_text.h"
#include "standin/clock.h"
#include "support/module_setup.h"

using namespace hoststandin;

namespace {

class HostSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartFreshModule();
        standin::UseManualClock(0);
        DemoClip clip;
        clip.width = 64;
        clip.height = 48;
        clip.frames = 25; // one second
        CreateDirectoryW(L"C:\\clips", nullptr);
        ASSERT_TRUE(WriteFileBytes(L"C:\\clips\\clip.avi", DemoAviBytes(clip)));
        std::string error;
        ASSERT_TRUE(BindModule(nullptr, &api, &error));
        session.reset(new HostSession(api, &timeline));
        timeline.Restart();
        ASSERT_TRUE(session->Start(640, 480, &error)) << error;
    }
    void TearDown() override {
        session.reset();
        ReleaseModule(&api);
        FreeModuleCompletely();
        standin::UseRealClock();
    }

    int Create(const std::string& file = "C:\\clips\\clip.avi", WORD flags = PlayAtStart) {
        ObjectOptions options;
        options.file = file;
        options.flags = flags;
        return session->CreateObject(options);
    }

    // The timeline's lines from `from` on, as printed.
    std::vector<std::string> Lines(size_t from = 0) const {
        const auto& lines = timeline.Lines();
        return std::vector<std::string>(lines.begin() + std::min(from, lines.size()), lines.end());
    }

    Timeline timeline{nullptr};
    ModuleApi api;
    std::unique_ptr<HostSession> session;
};

TEST_F(HostSessionTest, StartsCreatesAndPrintsWhatTheModuleAnswered) {
    const int clip = Create();
    ASSERT_EQ(clip, 1);
    EXPECT_EQ(session->CreateResult(clip), 0);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[  0.000 s] module       \"Cinevane Object 5.3 w/unicode\" CNV2: 14 "
                           "conditions, 40 actions, 24 expressions, settings 576 bytes, object "
                           "1288 bytes",
                           "[  0.000 s] initialized  frame window 640 x 480, image filters BMP "
                           "and PNG",
                           "[  0.000 s] settings     object 1: \"C:\\clips\\clip.avi\", 68 x 52, "
                           "options 0x0026",
                           "[  0.000 s] opened       object 1 at (286, 214), 68 x 52, 25 frames, "
                           "1000 ms, last error 0",
                           "[  0.000 s] playing      object 1: Play answered 0",
                       }));
    const size_t before = timeline.Lines().size();
    session->Action(clip, 14, 200, 150);
    session->Expression(clip, 19);
    session->Condition(clip, 2);
    EXPECT_EQ(Lines(before),
              (std::vector<std::string>{
                  "[  0.000 s] action       object 1: action 14 \"Set horizontal size to 200, "
                  "and vertical size to 150\" -> last error 0",
                  "[  0.000 s] expression   object 1: expression 19 \"VidPositionHMS$()\" = "
                  "\"00:00:00\"",
                  "[  0.000 s] condition    object 1: condition 2 \"Video paused?\" -> 0",
              }));
}

TEST_F(HostSessionTest, RunsAScriptOnTheFrameClockAndReportsEachSignalOnce) {
    const int clip = Create();
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript("500 position\n"
                            "on 1 position\n"
                            "on 1 +200 end\n"
                            "5000 end\n",
                            &script, &error));
    const size_t before = timeline.Lines().size();
    session->RunScript(script, "", 20000);
    EXPECT_EQ(Lines(before),
              (std::vector<std::string>{
                  "[  0.500 s] position     object 1: frame 12, 0.500 s, \"00:00:00\"",
                  "[  1.000 s] end reached  object 1: condition 1 \"End of video?\" -> 1",
                  "[  1.016 s] position     object 1: frame 25, 1.000 s, \"00:00:01\"",
                  "[  1.200 s] end          script line 3",
              }));
    // The end is signalled on every frame while it lasts, but printed once.
    EXPECT_EQ(session->SignalCount(clip, 1), 12);
    EXPECT_EQ(session->FirstSignalMs(clip, 1), 1000);
    EXPECT_EQ(session->FirstSignalMs(clip, 0), -1);
}

TEST_F(HostSessionTest, ScriptLinesActOnTheObjectsTheyNameAndCreateAnotherOne) {
    Create();
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript("0 create\n"   // object 2, on the default file
                            "0 action 2\n" // pauses object 2
                            "0 select 1\n"
                            "0 action 35 40\n" // object 1's volume
                            "50 select 2\n"
                            "50 destroy\n"
                            "100 end\n",
                            &script, &error));
    session->RunScript(script, "C:\\clips\\clip.avi", 5000);
    ASSERT_EQ(session->LastObject(), 2);
    EXPECT_EQ(session->Object(2), nullptr); // destroyed
    EXPECT_GT(session->SignalCount(2, 2), 0);
    EXPECT_EQ(session->SignalCount(1, 2), 0);
    EXPECT_EQ(session->Expression(1, 15).integer, 40);
    // The quit request object 2's window posted when it was destroyed did not end the frame
    // loop, and it is not left in the queue.
    const int signals = session->SignalCount(1, 1);
    session->RunFor(1200);
    EXPECT_GT(session->SignalCount(1, 1), signals);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(HostSessionTest, ClicksKeysAndFrameResizesReachTheObject) {
    const int clip = Create();
    RunObject* run = session->Object(clip);
    session->Frame();
    session->Click(clip, ClickButton::Right, true);
    session->Frame();
    EXPECT_EQ(session->SignalCount(clip, 3), 1);
    EXPECT_EQ(run->lastClickCode, -1); // the host's event took it at once
    session->ResizeFrame(1280, 960);
    session->Frame();
    RECT rect = {};
    GetWindowRect(run->hostWindow, &rect);
    EXPECT_EQ(rect.right - rect.left, 136);
}

TEST_F(HostSessionTest, BadRequestsFromTheHostSideChangeNothing) {
    const int clip = Create();
    EXPECT_EQ(session->Object(0), nullptr);
    EXPECT_EQ(session->Object(7), nullptr);
    EXPECT_EQ(session->Action(7, 0), 0);
    EXPECT_EQ(session->Action(clip, 40), 0);
    EXPECT_EQ(session->Action(clip, -1), 0);
    EXPECT_EQ(session->Condition(clip, 14), 0);
    EXPECT_EQ(session->Expression(clip, 24).integer, 0);
    EXPECT_FALSE(session->Grab(7, "C:\\g.png"));
    session->Click(7, ClickButton::Left, false);
    session->Key(7, 'A');
    session->DestroyObject(7);
    EXPECT_EQ(session->SignalCount(7, 1), 0);
    EXPECT_EQ(session->FirstSignalMs(7, 1), -1);
    EXPECT_EQ(session->CreateResult(7), 0);
    EXPECT_EQ(session->Settings(7), nullptr);

    // A routine list with a hole: the host skips the call and says so.
    ActionRoutine saved = ActionRoutines[5];
    ActionRoutines[5] = nullptr;
    const size_t before = timeline.Lines().size();
    EXPECT_EQ(session->Action(clip, 5, 3), 0);
    ActionRoutines[5] = saved;
    EXPECT_EQ(Lines(before), (std::vector<std::string>{
                                 "[  0.000 s] no routine   action 5 \"Step ? Frame\": the "
                                 "module's list has no routine",
                             }));

    // A file that is not there: the object exists without media and says why.
    const int missing = Create("C:\\clips\\none.avi");
    EXPECT_EQ(session->CreateResult(missing), 0);
    EXPECT_NE(session->Object(missing)->lastError, 0);
}

} // namespace

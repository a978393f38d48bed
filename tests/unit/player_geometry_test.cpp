// VideoPlayer: fitting the picture, painting the background, showing it, and full screen.
#include "standin/clock.h"
#include "standin/faults.h"
#include "unit/player_fixture.h"

namespace {

struct Box {
    LONG left, top, width, height;
    bool operator==(const Box& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << b.left << "," << b.top << "," << b.width << "," << b.height;
}
Box FromRecorded(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

TEST_F(PlayerTest, DestinationFitsThePictureWithOrWithoutItsAspect) {
    struct Case {
        bool keepAspect;
        LONG width, height;
        DWORD borders;
        Box destination;
    } cases[] = {
        {true, 800, 400, 0, {133, 0, 533, 400}},
        {true, 800, 800, 0, {0, 100, 800, 600}},
        {true, 801, 400, 0, {133, 0, 533, 400}},     // offset from the unrounded 533.33
        {true, 320, 241, 0, {0, 0, 320, 240}},       // width binds: 240.0 - trunc 240
        {true, 640, 480, 0, {0, 0, 640, 480}},       // exact proportions
        {true, 804, 404, 0x200, {133, 0, 533, 400}}, // 3-D edge: 2 each side
        {false, 800, 600, 0, {0, 0, 800, 600}},
        {false, 800, 600, 0x700, {0, 0, 788, 588}}, // 1 + 2 + 3, twice on each axis
        {false, 800, 600, 0x100, {0, 0, 798, 598}},
        {false, 800, 600, 0x400, {0, 0, 794, 594}},
    };
    OpenQuietly(Avi(Clip(10)));
    for (const Case& c : cases) {
        EXPECT_EQ(player->SetDestinationRect(c.keepAspect, c.width, c.height, c.borders), 1);
        EXPECT_EQ(FromRecorded(standin::LastGraph().Destination()), c.destination)
            << c.width << "x" << c.height << " " << c.borders;
    }
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(PlayerTest, DestinationIsLeftAloneWhenThereIsNothingToFit) {
    EXPECT_EQ(player->SetDestinationRect(true, 800, 400, 0), 0); // no graph

    OpenQuietly(Avi(Clip(10)));
    size_t placed = standin::LastGraph().Destinations().size();
    EXPECT_EQ(player->SetDestinationRect(true, 12, 600, 0x700), 1); // no width left
    EXPECT_EQ(player->SetDestinationRect(false, 800, -5, 0), 1);    // negative height
    EXPECT_EQ(player->SetDestinationRect(true, 0, 0, 0), 1);
    EXPECT_EQ(standin::LastGraph().Destinations().size(), placed);
    EXPECT_TRUE(LogLines().empty());

    standin::InjectFault("SetDestinationPosition", E_FAIL);
    EXPECT_EQ(player->SetDestinationRect(true, 800, 400, 0), 1);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "FAILED(hr=0x80004005) in pBV->SetDestinationPosition(newX, newY, "
                              "lWidth , lHeight)\n"}));

    // Sound only: no picture size, nothing placed, only the size failure logged.
    OpenQuietly(Wav());
    EXPECT_EQ(player->SetDestinationRect(true, 800, 400, 0), 1);
    EXPECT_TRUE(standin::LastGraph().Destinations().empty());
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"FAILED(hr=0x80004002) in "
                                                    "pBV->GetVideoSize(&lWidth, &lHeight)\n"}));
}

TEST_F(PlayerTest, BackgroundIsPaintedOnlyForSoundOnlyMedia) {
    OpenQuietly(Avi(Clip(10)));
    player->RepaintVideo();
    EXPECT_TRUE(standin::Fills().empty());
    ASSERT_FALSE(standin::LastGraph().OwnerMessages().empty());
    EXPECT_EQ(standin::LastGraph().OwnerMessages().back().message, (UINT)WM_DISPLAYCHANGE);

    OpenQuietly(Wav());
    player->RepaintVideo();
    std::vector<standin::FillRecord> fills = standin::Fills();
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].window, host);
    EXPECT_EQ(fills[0].brush, (HBRUSH)16);
    EXPECT_EQ(fills[0].color, GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(fills[0].rect.right, 32);
    EXPECT_EQ(standin::OpenPaintCycles(), 0);
}

TEST_F(PlayerTest, ShowVideoHidesAndShowsThePictureAndRearmsNotifications) {
    OpenQuietly(Avi(Clip(10)));
    player->ShowVideo(false);
    EXPECT_FALSE(standin::LastGraph().Visible());
    EXPECT_EQ(standin::LastGraph().NotifyMessage(), (long)WM_DISPLAYCHANGE);
    EXPECT_TRUE(LogLines().empty());

    int foreground = standin::LastGraph().ForegroundCalls();
    player->ShowVideo(true);
    EXPECT_TRUE(standin::LastGraph().Visible());
    EXPECT_EQ(standin::LastGraph().ForegroundCalls(), foreground + 1);
    EXPECT_TRUE(Contains(LogLines(), "Size information( 0, 0, 324, 244)"));

    standin::InjectFault("SetNotifyWindow", E_FAIL);
    player->ShowVideo(true);
    EXPECT_TRUE(Contains(LogLines(),
                         "FAILED(hr=0x80004005) in pME->SetNotifyWindow((OAHWND)vidHWnd, "
                         "WM_DISPLAYCHANGE, 0)\n"));
}

TEST_F(PlayerTest, FullScreenIsEnteredAndLeftOnceEach) {
    OpenQuietly(Avi(Clip(10)));
    ULONGLONG before = standin::NowMs();
    EXPECT_EQ(player->SetFullScreen(-1), 0);
    EXPECT_EQ(player->FullScreenActive, 1u);
    EXPECT_EQ(player->FullScreenMode, -1);
    EXPECT_EQ(standin::LastGraph().FullScreenMode(), -1);
    EXPECT_GE(standin::NowMs() - before, 15u);
    EXPECT_EQ(standin::Cursor().current, standin::StandardCursor(IDC_ARROW));

    int switches = standin::CallCount("put_FullScreenMode");
    EXPECT_EQ(player->SetFullScreen(-1), 0);
    EXPECT_EQ(standin::CallCount("put_FullScreenMode"), switches);

    // The host window moving does not move the full-screen picture.
    size_t placed = standin::LastGraph().WindowPositions().size();
    EXPECT_EQ(player->ResizeVideoWindow(), 1);
    EXPECT_EQ(standin::LastGraph().WindowPositions().size(), placed);

    EXPECT_EQ(player->SetFullScreen(0), 0);
    standin::GraphView graph = standin::LastGraph();
    EXPECT_EQ(player->FullScreenActive, 0u);
    EXPECT_EQ(graph.FullScreenMode(), 0);
    EXPECT_EQ(graph.Owner(), (OAHWND)host);
    EXPECT_EQ(graph.MessageDrain(), (OAHWND)host);
    EXPECT_FALSE(graph.CursorHidden());
    ASSERT_GE(graph.OwnerMessages().size(), 2u);
    EXPECT_EQ(graph.OwnerMessages()[graph.OwnerMessages().size() - 2].message, (UINT)WM_MOVE);
    EXPECT_EQ(graph.OwnerMessages().back().message, (UINT)WM_DISPLAYCHANGE);
    EXPECT_EQ(standin::Cursor().capture, (HWND)NULL);
    EXPECT_EQ(player->ResizeVideoWindow(), S_OK);
}

TEST_F(PlayerTest, FullScreenPausesOnlyARunningGraphAroundTheSwitch) {
    struct Case {
        int runState; // 0 stopped, 1 paused, 2 running
        int pauses, runs;
    } cases[] = {{0, 0, 0}, {1, 0, 0}, {2, 1, 1}};
    OpenQuietly(Avi(Clip(10)));
    for (const Case& c : cases) {
        if (c.runState == 2)
            player->Play();
        else if (c.runState == 1)
            player->Pause();
        int pauses = standin::CallCount("Pause"), runs = standin::CallCount("Run");
        EXPECT_EQ(player->SetFullScreen(-1), 0) << c.runState;
        EXPECT_EQ(player->SetFullScreen(0), 0) << c.runState;
        EXPECT_EQ(standin::CallCount("Pause") - pauses, 2 * c.pauses) << c.runState;
        EXPECT_EQ(standin::CallCount("Run") - runs, 2 * c.runs) << c.runState;
    }
}

TEST_F(PlayerTest, FullScreenIsRefusedWithoutAPicture) {
    EXPECT_EQ(player->SetFullScreen(-1), -1);
    OpenQuietly(Wav());
    EXPECT_EQ(player->SetFullScreen(-1), -1);
    EXPECT_EQ(player->FullScreenActive, 0u);
    EXPECT_EQ(player->FullScreenMode, 0);
}

TEST_F(PlayerTest, AFailedSwitchKeepsTheFullScreenFields) {
    OpenQuietly(Avi(Clip(10)));
    standin::InjectFault("SetNotifyWindow", E_FAIL);
    EXPECT_EQ(player->SetFullScreen(-1), E_FAIL);
    EXPECT_EQ(player->FullScreenActive, 0u);
    EXPECT_EQ(player->FullScreenMode, 0);
    EXPECT_EQ(LogLines(), std::vector<std::string>{
                              "FAILED(hr=0x80004005) in pME->SetNotifyWindow((OAHWND)vidHWnd, "
                              "WM_DISPLAYCHANGE, 0)\n"});
    standin::ClearFaults();

    struct Case {
        const char* fault;
        int nth;
        std::string line;
    } cases[] = {
        {"put_MessageDrain", 1,
         "FAILED(hr=0x80004005) in pVW->put_MessageDrain((OAHWND)vidHWnd)\n"},
        {"HideCursor", 1, "FAILED(hr=0x80004005) in pVW->HideCursor(OAFALSE)\n"},
        {"SetWindowForeground", 1, "FAILED(hr=0x80004005) in pVW->SetWindowForeground(-1)\n"},
        {"NotifyOwnerMessage", 1,
         "FAILED(hr=0x80004005) in pVW->NotifyOwnerMessage((OAHWND)vidHWnd, WM_MOVE, 0, 0)\n"},
        {"NotifyOwnerMessage", 2,
         "FAILED(hr=0x80004005) in pVW->NotifyOwnerMessage((OAHWND)vidHWnd, WM_DISPLAYCHANGE, 0, "
         "0)\n"},
    };
    ASSERT_EQ(player->SetFullScreen(-1), 0);
    for (const Case& c : cases) {
        ClearLogLines();
        standin::InjectFault(c.fault, E_FAIL, c.nth);
        EXPECT_EQ(player->SetFullScreen(0), E_FAIL) << c.line;
        EXPECT_EQ(LogLines(), std::vector<std::string>{c.line});
        EXPECT_EQ(player->FullScreenActive, 1u);
        EXPECT_EQ(player->FullScreenMode, -1);
        standin::ClearFaults();
    }
}

// The run-time object: creation from its settings, the per-frame signals, display, destruction,
// and the messages of its host window, driven through the entry points as the host calls them.
#include "unit/run_time_fixture.h"

#include "diag/event_log.h"
#include "host/module_state.h"
#include "player/video_player.h"
#include "runtime/access_guard.h"
#include "runtime/run_object_entry.h"
#include "runtime/video_window.h"
#include "standin/dshow_control.h"
#include "standin/faults.h"
#include "standin/inspect_user.h"
#include "support/log_capture.h"
#include "support/wide.h"

#include <cstring>

namespace {

using Runtime = RunTimeTest;
using Strings = std::vector<std::string>;

RECT Rect(LONG left, LONG top, LONG right, LONG bottom) {
    return RECT{left, top, right, bottom};
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// ---- CreateRunObject ------------------------------------------------------------------------

TEST_F(Runtime, CreatesItsWindowAndAStoppedPlayerFromTheSettings) {
    WriteClip("a.avi");
    host->SetDisplayOrigin(10, 5);
    RunObject* object =
        Create(hoststandin::MakeSettings(L"C:\\clips\\a.avi", 300, 200, kLogged | KeepAspect, 1.5),
               40, 30);
    ASSERT_EQ(createResult, 0);
    HWND window = object->hostWindow;
    ASSERT_NE(window, nullptr);

    EXPECT_EQ(object->hostWindowCopy, window);
    EXPECT_EQ(object->marker, 1);
    EXPECT_EQ(object->ownDataOffset, 716);
    EXPECT_EQ(object->lastClickCode, -4);
    EXPECT_EQ(object->lastFullScreenKey, 0);
    EXPECT_EQ(object->optionWord, kLogged | KeepAspect);
    EXPECT_EQ(object->aspectRatio, 1.5);
    EXPECT_EQ(object->width, 300);
    EXPECT_EQ(object->height, 200);
    EXPECT_EQ(object->frameWidth, 640);
    EXPECT_EQ(object->frameHeight, 480);
    EXPECT_EQ(object->keepAspect, 1);
    EXPECT_EQ(object->geometryChanged, 1);
    EXPECT_EQ(object->visible, 1);
    EXPECT_EQ(object->redrawRequest, 1);
    EXPECT_EQ(object->lastError, 0); // the result of Stop
    EXPECT_EQ(object->cachedTotalFrames, 25);
    EXPECT_EQ(object->cachedTotalMilliseconds, 1000);
    EXPECT_EQ(object->cachedRate, 1.0);
    EXPECT_EQ(Utf8(object->fileName), "C:\\clips\\a.avi");
    ASSERT_NE(object->player, nullptr);
    EXPECT_EQ(object->player->MediaStatus, MediaAtStart);
    EXPECT_EQ(object->player->PlayState, PlayStopped);

    const standin::WindowInfo info = standin::InspectWindow(window);
    EXPECT_EQ(info.className, u"VidPlayer");
    EXPECT_EQ(info.parent, host->FrameWindow());
    EXPECT_EQ(info.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(info.exStyle, 0x10000u);
    EXPECT_EQ(info.userData, static_cast<LONG>(reinterpret_cast<LONG_PTR>(object)));
    EXPECT_EQ(RunObjectFromWindow(window, host->Header()), object);
    EXPECT_EQ(host->RoutineFor(window), &VideoWindowRoutine);
    EXPECT_EQ(host->Journal(), (Strings{"suspend", "resume", "register", "resume"}));

    EXPECT_TRUE(LoggedInOrder({
        "====================== SESSION START ========================",
        "Parent window 0x" + Hex(host->FrameWindow()),
        "Checked Verbose Mode",
        "Checked Console Mode",
        "Check for a Filename!",
        "About to create the window",
        "Inside the Create Video Window Routine!",
        "Instance=0x" + Hex(ModuleInstance()) + ", Parent Wnd=0x" + Hex(host->FrameWindow()) +
            ", ExStyle=0x10000, Style=0x40000000, Video Size x=30, y=25, w=300, h=200",
        "Create Window! with handle=0x" + Hex(window),
        "Out of the Create Video Window function!",
        "After window creation",
        "Window Created! hWnd = 0x" + Hex(window),
        "Window Hook no problem!",
        "New Video Object no problem!",
        "checking if start on is set!",
        "Going to continue!",
    }));
}

TEST_F(Runtime, PlayAtStartRunsAndHideAtStartKeepsTheWindowHidden) {
    WriteClip("a.avi");
    RunObject* playing = Create("C:\\clips\\a.avi", kLogged | PlayAtStart);
    EXPECT_EQ(playing->player->PlayState, PlayRunning);
    EXPECT_EQ(playing->player->MediaStatus, MediaActive);
    EXPECT_EQ(playing->lastError, 0);
    EXPECT_TRUE(IsWindowVisible(playing->hostWindow));

    RunObject* hidden = Create("C:\\clips\\a.avi", kLogged | HideAtStart);
    ASSERT_EQ(createResult, 0);
    EXPECT_TRUE(IsWindow(hidden->hostWindow));
    EXPECT_FALSE(standin::InspectWindow(hidden->hostWindow).visible);
    EXPECT_EQ(hidden->visible, 0);
}

TEST_F(Runtime, EmptyFileNameTriesTheGraphWithoutPlayOrStop) {
    RunObject* object = Create("", kLogged);
    ASSERT_EQ(createResult, 0);
    ASSERT_NE(object->player, nullptr);
    EXPECT_EQ(object->player->PlayState, PlayIdleAtStart); // neither Play nor Stop ran
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(standin::LastGraph().RenderedFile(), u"");
    EXPECT_TRUE(LoggedInOrder({"New Video Object no problem!", "No Name / set video name!",
                               "No Name / set Video in window!", "Going to continue!"}));
}

TEST_F(Runtime, MissingFileLeavesTheStopFailureAsLastError) {
    RunObject* object = Create("C:\\clips\\missing.avi", kLogged);
    ASSERT_EQ(createResult, 0);
    EXPECT_EQ(object->lastError, -1); // OpenFile's 4, then Stop without a graph
    EXPECT_EQ(object->cachedTotalFrames, 0);
    EXPECT_EQ(object->player->MediaStatus, MediaClosed);
}

TEST_F(Runtime, DoubleSizeMakesTheObjectOnePixelLargerThanItsWindow) {
    media::AviClip clip = SmallClip(5);
    clip.width = 160;
    clip.height = 120;
    WriteClip("a.avi", clip);
    RunObject* object = Create("C:\\clips\\a.avi", kLogged | DoubleSize, 100, 100);
    RECT outer;
    GetWindowRect(object->hostWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, 320 + 2 * 2); // doubled, with the 3-D edges
    EXPECT_EQ(object->width, 320 + 2 * 2 + 1);
    EXPECT_EQ(object->height, 240 + 2 * 2 + 1);
}

TEST_F(Runtime, BorderBitsGiveTheExtendedStyle) {
    const struct {
        WORD flags;
        DWORD exStyle;
    } cases[] = {
        {0, 0x10000},
        {ClientBorder, 0x10200},
        {StaticBorder, 0x30000},
        {DialogBorder, 0x10001},
        {ClientBorder | StaticBorder | DialogBorder, 0x30201},
    };
    for (const auto& c : cases) {
        RunObject* object = Create("", c.flags);
        EXPECT_EQ(standin::InspectWindow(object->hostWindow).exStyle, c.exStyle) << c.flags;
    }
}

TEST_F(Runtime, TheNewestObjectSetsTheLogSwitches) {
    Create("", LogMode | ConsoleMode | DeleteLog);
    EXPECT_TRUE(ModuleLog()->FileLogging());
    EXPECT_TRUE(ModuleLog()->ConsoleLogging());
    EXPECT_TRUE(ModuleLog()->DeleteOnClose());
    Create("", 0);
    EXPECT_FALSE(ModuleLog()->FileLogging());
    EXPECT_FALSE(ModuleLog()->ConsoleLogging());
    EXPECT_FALSE(ModuleLog()->DeleteOnClose());
}

TEST_F(Runtime, FailedWindowCreationAnswersMinusOneWithCode8) {
    standin::InjectFault("CreateWindowExW", ERROR_NOT_ENOUGH_MEMORY);
    RunObject* object = Create("", kLogged);
    EXPECT_EQ(createResult, -1);
    EXPECT_EQ(object->hostWindow, nullptr);
    EXPECT_EQ(object->player, nullptr);
    EXPECT_EQ(object->lastError, 8);
    EXPECT_EQ(host->Journal(), (Strings{"suspend", "resume"}));
    EXPECT_TRUE(
        LoggedInOrder({"Create Window! with handle=0x0", "Out of the Create Video Window function!",
                       "Window was not created!", "After window creation", "No Window - Error!"}));

    // Destroying it afterwards does nothing but answer 0; displaying it reports code 1.
    const std::vector<BYTE> before = Snapshot(object);
    EXPECT_EQ(DestroyRunObject(object, 0), 0);
    EXPECT_EQ(Snapshot(object), before);
    EXPECT_EQ(DisplayRunObject(object), 0);
    EXPECT_EQ(object->lastError, 1);
}

TEST_F(Runtime, AccessViolationInWindowCreationIsShownLoggedAndCountsAsNoWindow) {
    standin::InjectFault("CreateWindowExW", static_cast<long>(0xC0000005));
    RunObject* object = Create("", kLogged);
    EXPECT_EQ(createResult, -1);
    EXPECT_EQ(object->lastError, 8);
    const std::vector<standin::MessageBoxRecord> boxes = standin::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Last Exception code was 0xc0000005");
    EXPECT_EQ(boxes[0].caption, u"Cinevane Object");
    EXPECT_TRUE(
        LoggedInOrder({"Last Exception code was 0xc0000005", "Create Window! with handle=0x0",
                       "Window was not created!", "No Window - Error!"}));
    EXPECT_EQ(standin::VectoredHandlerCount(), 0); // the guard is armed only around the call
}

int dismissedFaults = 0;
LONG WINAPI DismissDivideByZero(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode != EXCEPTION_INT_DIVIDE_BY_ZERO)
        return EXCEPTION_CONTINUE_SEARCH;
    ++dismissedFaults;
    return EXCEPTION_CONTINUE_EXECUTION;
}

TEST_F(Runtime, TheGuardPassesOtherFaultsOn) {
    PVOID outer = AddVectoredExceptionHandler(0, DismissDivideByZero);
    dismissedFaults = 0;
    DWORD code = 0;
    bool completed = CallGuardedAgainstAccessViolation(
        [](void*) { standin::RaiseFault(EXCEPTION_INT_DIVIDE_BY_ZERO, "test"); }, nullptr, &code);
    RemoveVectoredExceptionHandler(outer);
    EXPECT_TRUE(completed);
    EXPECT_EQ(dismissedFaults, 1);
    EXPECT_EQ(code, 0u);
}

TEST_F(Runtime, MissingOrMalformedInputFailsCleanly) {
    // No record at all: every entry point and routine answers without touching anything.
    EXPECT_EQ(CreateRunObject(nullptr, nullptr, nullptr), -1);
    EXPECT_EQ(HandleRunObject(nullptr), 0);
    EXPECT_EQ(DisplayRunObject(nullptr), 0);
    EXPECT_EQ(DestroyRunObject(nullptr, 0), 0);
    for (int code = 0; code < kConditionCount; ++code)
        infos.conditions[code](nullptr, 0, 0);
    for (int code = 0; code < kActionCount; ++code)
        infos.actions[code](nullptr, 0, 0);
    for (int code = 0; code < kExpressionCount; ++code)
        infos.expressions[code](nullptr, 0);

    // No settings: a failed creation, without a window.
    std::unique_ptr<RunObject> bare = host->NewObject();
    EXPECT_EQ(CreateRunObject(bare.get(), nullptr, nullptr), -1);
    EXPECT_EQ(bare->hostWindow, nullptr);
    EXPECT_EQ(bare->lastError, 8);

    // A stored file name without its terminator counts as no file.
    ObjectSettings settings = hoststandin::MakeSettings(L"", 320, 240, kLogged);
    for (WCHAR& unit : settings.FileName)
        unit = L'x';
    RunObject* object = Create(settings);
    EXPECT_EQ(createResult, 0);
    EXPECT_EQ(Utf8(object->fileName), "");
    EXPECT_TRUE(LoggedInOrder({"No Name / set video name!"}));
}

// The module's part of the record (bytes 672 to 1287) is cleared before it is filled: a host that
// hands over a record full of leftovers gets the same object as one that zeroed it.
TEST_F(Runtime, TheModulesPartStartsAtZeroWhateverTheHostLeftInIt) {
    std::unique_ptr<RunObject> object = host->NewObject();
    BYTE* bytes = reinterpret_cast<BYTE*>(object.get());
    std::memset(bytes + 672, 0xCD, kRunObjectSize - 672);
    ObjectSettings settings = hoststandin::MakeSettings(L"", 320, 240, kLogged);
    ASSERT_EQ(CreateRunObject(object.get(), &settings, nullptr), 0);

    EXPECT_EQ(object->clickLoopCount, 0);
    EXPECT_EQ(object->cachedTotalFrames, 0);
    EXPECT_EQ(object->cachedTotalMilliseconds, 0);
    EXPECT_EQ(object->grabDone, 0);
    const struct {
        size_t from, to; // bytes no member uses, and the file name's units after its terminator
    } unused[] = {{674, 676}, {690, 696},  {704, 708},   {718, 720},
                  {730, 732}, {758, 1276}, {1276, 1280}, {1284, 1288}};
    for (const auto& range : unused)
        for (size_t at = range.from; at < range.to; ++at)
            ASSERT_EQ(bytes[at], 0) << "byte " << at;

    EXPECT_EQ(Expression(object.get(), 6), 0); // "LastError("
    EXPECT_EQ(Expression(object.get(), 1), 0); // "VideoTotalFrames("
    EXPECT_EQ(Condition(object.get(), 12), 0); // "Image Grab/Clip Ok?": no grab was made
    DestroyRunObject(object.get(), 0);
}

// ---- HandleRunObject -------------------------------------------------------------------------

TEST_F(Runtime, FrameSignalsFollowTheStateWords) {
    const struct {
        LONG mediaStatus, playState;
        std::vector<int> signals;
    } cases[] = {
        {MediaActive, PlayRunning, {}},          {MediaActive, PlayPaused, {2}},
        {MediaAtStart, PlayIdleAtStart, {6, 0}}, {MediaAtStart, PlayStopped, {}},
        {MediaAtEnd, PlayStopped, {1}},          {MediaAtEnd, PlayPaused, {2, 1}},
        {MediaOpening, PlayIdleAtStart, {6}},
    };
    RunObject* object = Create("", kLogged);
    VideoPlayer* player = object->player;
    for (const auto& c : cases) {
        object->player->MediaStatus = c.mediaStatus;
        object->player->PlayState = c.playState;
        host->ClearRecords();
        EXPECT_EQ(HandleRunObject(object), 2);
        std::vector<int> codes;
        for (const hoststandin::SignalRecord& signal : host->Signals()) {
            codes.push_back(signal.code);
            EXPECT_EQ(signal.object, object);
            EXPECT_EQ(signal.parameter, 0);
        }
        EXPECT_EQ(codes, c.signals) << c.mediaStatus << "/" << c.playState;
    }
    object->redrawRequest = 0;
    EXPECT_EQ(HandleRunObject(object), 0);

    object->player = nullptr; // without a player nothing is signalled
    host->ClearRecords();
    EXPECT_EQ(HandleRunObject(object), 0);
    EXPECT_TRUE(host->Signals().empty());
    object->player = player;
}

TEST_F(Runtime, APausedPlayerSignalsConditionTwoEveryFrame) {
    WriteClip("a.avi");
    RunObject* object = Create("C:\\clips\\a.avi", kLogged | PlayAtStart);
    Action(object, 2); // Pause video
    for (int frame = 0; frame < 3; ++frame)
        HandleRunObject(object);
    EXPECT_EQ(host->SignalCount(2), 3);
}

TEST_F(Runtime, TheFrameReportsTheStateItReadBeforeSignalling) {
    RunObject* object = Create("", kLogged);
    object->player->MediaStatus = MediaAtEnd;
    object->player->PlayState = PlayPaused;
    host->OnSignal([](RunObject* signalled, int) {
        signalled->player->MediaStatus = MediaActive;
        signalled->player->PlayState = PlayRunning;
    });
    HandleRunObject(object);
    EXPECT_EQ(host->SignalCount(2), 1);
    EXPECT_EQ(host->SignalCount(1), 1);
}

// ---- DisplayRunObject ------------------------------------------------------------------------

TEST_F(Runtime, DisplayPlacesTheWindowAndRefitsThePictureOnceAfterAChange) {
    WriteClip("a.avi");
    host->SetDisplayOrigin(10, 5);
    RunObject* object =
        Create(hoststandin::MakeSettings(L"C:\\clips\\a.avi", 320, 240, kLogged), 110, 55);
    ClearLogLines();
    EXPECT_EQ(DisplayRunObject(object), 0);
    EXPECT_TRUE(standin::InspectWindow(object->hostWindow).rect == Rect(100, 50, 420, 290));
    EXPECT_EQ(object->geometryChanged, 0);
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(standin::LastGraph().Destinations().size(), 1u);
    EXPECT_TRUE(standin::LastGraph().Destination() == Rect(0, 0, 320, 240));
    EXPECT_TRUE(LoggedInOrder({"Video display run object is requested!",
                               "Start to calculate a true size!", "Checking a new size!",
                               "someone request me to move", "About to leave display object!"}));

    DisplayRunObject(object); // no geometry change: the picture is not refitted again
    EXPECT_EQ(standin::LastGraph().Destinations().size(), 1u);
}

TEST_F(Runtime, AResizedFrameScalesThePlacementButNotTheObject) {
    RunObject* object = Create(hoststandin::MakeSettings(L"", 320, 240, kLogged), 100, 50);
    const struct {
        int frameWidth, frameHeight;
        RECT placed;
    } cases[] = {
        {1280, 960, Rect(200, 100, 200 + 640, 100 + 480)},
        {1000, 700, Rect(156, 72, 156 + 500, 72 + 350)}, // 1.5625 and 1.4583, truncated
    };
    for (const auto& c : cases) {
        host->ResizeFrame(c.frameWidth, c.frameHeight);
        ClearLogLines();
        DisplayRunObject(object);
        EXPECT_TRUE(standin::InspectWindow(object->hostWindow).rect == c.placed) << c.frameWidth;
        EXPECT_TRUE(LoggedInOrder({"Start to calculate a different size!"}));
    }
    EXPECT_EQ(object->x, 100);
    EXPECT_EQ(object->y, 50);
    EXPECT_EQ(object->width, 320);
    EXPECT_EQ(object->height, 240);
}

// Without a run header there is no frame to measure or place the window in: the object is
// answered as one without a window, with the display's first and last lines.
TEST_F(Runtime, DisplayWithoutARunHeaderAnswersAsAnObjectWithoutAWindow) {
    RunObject* object = Create(hoststandin::MakeSettings(L"", 320, 240, kLogged), 100, 50);
    const RECT placed = standin::InspectWindow(object->hostWindow).rect;
    object->runHeader = nullptr;
    object->lastError = 77;
    object->geometryChanged = 1;
    ClearLogLines();
    EXPECT_EQ(DisplayRunObject(object), 0);
    EXPECT_EQ(object->lastError, 1);
    EXPECT_EQ(object->geometryChanged, 1);
    EXPECT_TRUE(standin::InspectWindow(object->hostWindow).rect == placed);
    EXPECT_EQ(LogLines(), (Strings{"Video display run object is requested!",
                                   "About to leave display object!"}));
    object->runHeader = host->Header(); // for the destruction at the end of the test
}

// ---- DestroyRunObject ------------------------------------------------------------------------

TEST_F(Runtime, DestroyReleasesThePlayerAndTheWindowWithoutEndingTheHost) {
    WriteClip("a.avi");
    const size_t windowsBefore = standin::LiveWindows().size();
    RunObject* object = Create("C:\\clips\\a.avi", kLogged | PlayAtStart);
    EXPECT_EQ(DestroyRunObject(object, 0), 0);
    EXPECT_EQ(object->player, nullptr);
    EXPECT_EQ(object->hostWindow, nullptr);
    EXPECT_EQ(standin::LiveWindows().size(), windowsBefore);
    EXPECT_EQ(standin::LiveGraphs(), 0);
    EXPECT_EQ(standin::OutstandingReferences(), 0);
    EXPECT_FALSE(standin::QuitPosted());
    EXPECT_TRUE(LoggedInOrder({"There is a video window, is about to be destroyed!"}));
}

// ---- The host window's messages ----------------------------------------------------------------

TEST_F(Runtime, EachButtonPressRecordsItsClickCodeAndSignalsOnce) {
    const struct {
        UINT message;
        SHORT code;
    } cases[] = {
        {WM_LBUTTONDOWN, 0},     {WM_MBUTTONDOWN, 1},     {WM_RBUTTONDOWN, 2},
        {WM_LBUTTONDBLCLK, 256}, {WM_MBUTTONDBLCLK, 257}, {WM_RBUTTONDBLCLK, 258},
    };
    RunObject* object = Create("", kLogged);
    for (const auto& c : cases) {
        host->NextLoop();
        host->ClearRecords();
        ClearLogLines();
        SendMessageW(object->hostWindow, c.message, 0, 0);
        EXPECT_EQ(object->lastClickCode, c.code);
        EXPECT_EQ(object->clickLoopCount, static_cast<LONG>(host->Header()->loopCounter));
        EXPECT_EQ(host->Journal(), (Strings{"signal 3"})) << c.message;
        EXPECT_EQ(LogLines(), (Strings{"someone click over the video window!"}));
    }
}

TEST_F(Runtime, ReleasesAndBlockedClicksAreNotSignalled) {
    RunObject* object = Create("", kLogged);
    host->ClearRecords();
    SendMessageW(object->hostWindow, WM_LBUTTONUP, 0, 0);
    host->SetClickBlock(1);
    SendMessageW(object->hostWindow, WM_RBUTTONDOWN, 0, 0);
    EXPECT_EQ(object->lastClickCode, -4);
    EXPECT_EQ(object->clickLoopCount, 0);
    EXPECT_TRUE(host->Signals().empty());
}

TEST_F(Runtime, KeysAreSignalledOnlyInFullScreen) {
    RunObject* object = Create("", kLogged);
    host->ClearRecords();
    SendMessageW(object->hostWindow, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(object->lastFullScreenKey, 0);
    EXPECT_TRUE(host->Signals().empty());

    object->player->FullScreenActive = 1;
    ClearLogLines();
    SendMessageW(object->hostWindow, WM_KEYDOWN, 'A', 0);
    object->player->FullScreenActive = 0;
    EXPECT_EQ(object->lastFullScreenKey, 'A');
    EXPECT_EQ(host->Journal(), (Strings{"signal 13"}));
    EXPECT_EQ(LogLines(), (Strings{"keydown = A "}));
}

TEST_F(Runtime, PlayerMessagesWithoutAPlayerOrObjectDoNothing) {
    RunObject* object = Create("", kLogged);
    VideoPlayer* player = object->player;
    object->player = nullptr;
    ClearLogLines();
    const UINT messages[] = {WM_PAINT, WM_MOVE, WM_DISPLAYCHANGE, WM_GRAPHNOTIFY, WM_KEYDOWN};
    for (UINT message : messages)
        EXPECT_EQ(VideoWindowRoutine(host->Header(), object->hostWindow, message, 'A', 0), 0);
    object->player = player;
    EXPECT_TRUE(LogLines().empty());

    // A window the host stored no object on is ignored.
    host->ClearRecords();
    EXPECT_EQ(VideoWindowRoutine(host->Header(), host->FrameWindow(), WM_LBUTTONDOWN, 0, 0), 0);
    EXPECT_EQ(RunObjectFromWindow(host->FrameWindow(), host->Header()), nullptr);
    EXPECT_TRUE(host->Signals().empty());
}

} // namespace

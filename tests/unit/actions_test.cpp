// Actions, called through the routine table the host received, on live objects playing
// generated clips: what each leaves in the object (flags, codes, geometry) and in its player.
#include "unit/run_time_fixture.h"

#include "player/video_player.h"
#include "standin/dshow_control.h"
#include "standin/faults.h"
#include "standin/inspect_user.h"
#include "standin/open_file_dialog.h"
#include "support/log_capture.h"
#include "support/wide.h"

#include <type_traits>
#include <utility>

namespace {

using Actions = RunTimeTest;
using Strings = std::vector<std::string>;

struct Flags {
    SHORT geometryChanged;
    LONG redrawRequest;
    SHORT lastError;
    bool operator==(const Flags& o) const {
        return geometryChanged == o.geometryChanged && redrawRequest == o.redrawRequest &&
               lastError == o.lastError;
    }
};

std::ostream& operator<<(std::ostream& out, const Flags& f) {
    return out << "{G " << f.geometryChanged << ", R " << f.redrawRequest << ", E " << f.lastError
               << "}";
}

// Clears the three flags to a recognisable state before an action.
void ResetFlags(RunObject* object) {
    object->geometryChanged = 0;
    object->redrawRequest = 0;
    object->lastError = 77;
}

Flags FlagsOf(const RunObject* object) {
    return Flags{object->geometryChanged, object->redrawRequest, object->lastError};
}

class PlayingObject : public Actions {
  protected:
    void SetUp() override {
        Actions::SetUp();
        WriteClip("a.avi"); // 25 frames at 25 per second, no sound
        object = Create("C:\\clips\\a.avi", kLogged | PlayAtStart);
        ASSERT_EQ(createResult, 0);
    }
    RunObject* object = nullptr;
};

// The host reads an action's result as a full 32-bit value: every routine declares one, and
// answers 0 even without an object.
TEST_F(Actions, EveryRoutineAnswersA32BitZero) {
    static_assert(
        std::is_same<decltype(std::declval<ActionRoutine>()(nullptr, 0L, 0L)), long>::value,
        "an action routine returns a 32-bit result");
    static_assert(sizeof(long) == 4, "the host's 32-bit result");
    for (int code = 0; code < kActionCount; ++code)
        EXPECT_EQ(infos.actions[code](nullptr, 0, 0), 0L) << code;
}

TEST_F(PlayingObject, IgnoredActionsChangeNothing) {
    for (int code : {4, 29}) {
        const std::vector<BYTE> before = Snapshot(object);
        EXPECT_EQ(Action(object, code, 55, 66), 0);
        EXPECT_EQ(Snapshot(object), before) << code;
    }
    EXPECT_EQ(infos.actions[0], infos.actions[3]); // "Resume video" is "Play video"
}

TEST_F(PlayingObject, SizeAndPositionActionsKeepSixteenBits) {
    const struct {
        int code;
        long param1, param2;
        LONG x, y, width, height;
        Flags flags;
    } cases[] = {
        {14, -1, 200, 0, 0, 320, 200, {1, 1, 0}},      // a negative size is left alone
        {14, 70000, 65535, 0, 0, 4464, -1, {1, 1, 0}}, // both cut to 16 bits
        {15, -1, 0, 0, 0, -1, 240, {1, 1, 0}},         // no sign test for one size
        {16, 70000, 0, 0, 0, 320, 4464, {1, 1, 0}},
        {33, 70000, 0, 4464, 0, 320, 240, {0, 1, 0}}, // positions: no refit
        {34, -5, 0, 0, -5, 320, 240, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        object->x = object->y = 0;
        object->width = 320;
        object->height = 240;
        ResetFlags(object);
        Action(object, c.code, c.param1, c.param2);
        EXPECT_EQ(object->x, c.x) << c.code;
        EXPECT_EQ(object->y, c.y) << c.code;
        EXPECT_EQ(object->width, c.width) << c.code;
        EXPECT_EQ(object->height, c.height) << c.code;
        EXPECT_EQ(FlagsOf(object), c.flags) << c.code;
    }
}

TEST_F(PlayingObject, FullScreenThenNormalSize) {
    ResetFlags(object);
    object->redrawRequest = 1;
    Action(object, 17);
    EXPECT_EQ(object->redrawRequest, 0);
    EXPECT_EQ(object->player->FullScreenActive, 1u);
    EXPECT_EQ(standin::LastGraph().FullScreenMode(), OATRUE);
    Action(object, 18);
    EXPECT_EQ(object->player->FullScreenActive, 0u);
    EXPECT_EQ(object->redrawRequest, 1);
    EXPECT_EQ(object->geometryChanged, 1);
}

TEST_F(PlayingObject, KeepAspectToggleTwiceRestoresTheFlag) {
    ResetFlags(object);
    Action(object, 26);
    EXPECT_EQ(object->keepAspect, 1);
    EXPECT_EQ(FlagsOf(object), (Flags{1, 1, 0}));
    Action(object, 26);
    EXPECT_EQ(object->keepAspect, 0);
}

TEST_F(PlayingObject, VolumeRefusesOnlyNegativePercentages) {
    media::AviClip withSound = SmallClip();
    withSound.withAudio = true;
    WriteClip("sound.avi", withSound);
    RunObject* sound = Create("C:\\clips\\sound.avi", kLogged);
    Action(sound, 35, 50);
    EXPECT_EQ(standin::LastGraph().Volume(), -5000);
    sound->lastError = 0;
    Action(sound, 35, -5);
    EXPECT_EQ(sound->lastError, 1);
    EXPECT_EQ(standin::LastGraph().Volume(), -5000);
    ClearLogLines();
    Action(sound, 35, 150); // reaches the renderer, which refuses +5000
    EXPECT_EQ(standin::LastGraph().Volume(), -5000);
    EXPECT_TRUE(LoggedInOrder({"FAILED(hr=0x80070057) in pBA->put_Volume(lVolume)\n"}));
}

TEST_F(PlayingObject, CentringUsesTheFrameRecordedAtCreation) {
    object->width = 300;
    object->height = 201;
    ResetFlags(object);
    Action(object, 19);
    EXPECT_EQ(object->x, 170);
    EXPECT_EQ(object->y, 139);
    EXPECT_EQ(FlagsOf(object), (Flags{1, 1, 0}));
    EXPECT_TRUE(IsWindowVisible(object->hostWindow));
}

TEST_F(PlayingObject, HideAndShow) {
    ResetFlags(object);
    Action(object, 8);
    EXPECT_FALSE(IsWindowVisible(object->hostWindow));
    EXPECT_EQ(object->visible, 0);
    EXPECT_FALSE(standin::LastGraph().Visible());
    EXPECT_EQ(FlagsOf(object), (Flags{0, 0, 77}));
    Action(object, 9);
    EXPECT_TRUE(IsWindowVisible(object->hostWindow));
    EXPECT_EQ(object->visible, 1);
    EXPECT_TRUE(standin::LastGraph().Visible());
    EXPECT_EQ(FlagsOf(object), (Flags{0, 1, 77}));
}

TEST_F(PlayingObject, SeekingActionsMoveThePlayerAndAskForRedraw) {
    const struct {
        int code;
        long param;
        LONG mediaStatus, playState;
        REFERENCE_TIME position; // 100 ns units
    } cases[] = {
        {11, 0, MediaAtEnd, PlayStopped, 10000000},
        {10, 0, MediaAtStart, PlayIdleAtStart, 0},
        {12, 20, MediaAtEnd, PlayStopped, 8000000}, // within 9 frames of the end
        {13, 0, MediaAtStart, PlayIdleAtStart, 0},
    };
    for (const auto& c : cases) {
        object->redrawRequest = 0;
        Action(object, c.code, c.param);
        EXPECT_EQ(object->player->MediaStatus, c.mediaStatus) << c.code;
        EXPECT_EQ(object->player->PlayState, c.playState) << c.code;
        EXPECT_EQ(standin::LastGraph().Position(), c.position) << c.code;
        EXPECT_EQ(object->redrawRequest, 1) << c.code;
    }
}

// The graph's IMediaPosition, wrapped so that a test sees every position a seek hands over.
class PositionSpy : public IMediaPosition {
  public:
    explicit PositionSpy(IMediaPosition* real) : real(real) {}

    IMediaPosition* const real;
    std::vector<double> handed; // put_CurrentPosition values, in seconds

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return real->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return real->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return real->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return real->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return real->Invoke(id, iid, locale, flags, params, result, exception, argument);
    }
    HRESULT STDMETHODCALLTYPE get_Duration(REFTIME* length) override {
        return real->get_Duration(length);
    }
    HRESULT STDMETHODCALLTYPE put_CurrentPosition(REFTIME time) override {
        handed.push_back(time);
        return real->put_CurrentPosition(time);
    }
    HRESULT STDMETHODCALLTYPE get_CurrentPosition(REFTIME* time) override {
        return real->get_CurrentPosition(time);
    }
    HRESULT STDMETHODCALLTYPE get_StopTime(REFTIME* time) override {
        return real->get_StopTime(time);
    }
    HRESULT STDMETHODCALLTYPE put_StopTime(REFTIME time) override {
        return real->put_StopTime(time);
    }
    HRESULT STDMETHODCALLTYPE get_PrerollTime(REFTIME* time) override {
        return real->get_PrerollTime(time);
    }
    HRESULT STDMETHODCALLTYPE put_PrerollTime(REFTIME time) override {
        return real->put_PrerollTime(time);
    }
    HRESULT STDMETHODCALLTYPE put_Rate(double rate) override { return real->put_Rate(rate); }
    HRESULT STDMETHODCALLTYPE get_Rate(double* rate) override { return real->get_Rate(rate); }
    HRESULT STDMETHODCALLTYPE CanSeekForward(LONG* can) override {
        return real->CanSeekForward(can);
    }
    HRESULT STDMETHODCALLTYPE CanSeekBackward(LONG* can) override {
        return real->CanSeekBackward(can);
    }
};

// The graph reads a media-time seek in seconds. "Goto end" hands over the length in seconds
// (1.2 for 1200 ms, never 1200) and still leaves the object at its end; "Goto time" hands its
// parameter over unchanged, as seconds; "Goto beginning" hands over 0.
TEST_F(Actions, TimeSeeksHandSecondsToTheGraph) {
    WriteClip("b.avi", SmallClip(30)); // 1.2 seconds
    RunObject* object = Create("C:\\clips\\b.avi", kLogged);
    ASSERT_EQ(object->cachedTotalMilliseconds, 1200);
    VideoPlayer* player = object->player;
    PositionSpy spy(player->pMP);
    player->pMP = &spy;

    player->MediaStatus = player->PlayState = 9;
    Action(object, 11);
    EXPECT_EQ(player->MediaStatus, MediaAtEnd);
    EXPECT_EQ(player->PlayState, PlayStopped);
    EXPECT_EQ(Condition(object, 1), 1); // "End of video?"
    EXPECT_EQ(standin::LastGraph().Position(), 12000000);

    Action(object, 13, 1); // "Goto time %0": one second in
    EXPECT_EQ(standin::LastGraph().Position(), 10000000);
    Action(object, 10);
    EXPECT_EQ(standin::LastGraph().Position(), 0);
    Action(object, 12, 5); // frames go through IMediaSeeking, not here
    EXPECT_EQ(standin::LastGraph().Position(), 2000000);

    player->pMP = spy.real;
    EXPECT_EQ(spy.handed, (std::vector<double>{1.2, 1.0, 0.0}));
}

TEST_F(PlayingObject, PlaybackRateComesFromTheParameterService) {
    host->SetParameter(1.5f);
    host->ClearRecords();
    Action(object, 39, 0);
    EXPECT_EQ(host->Journal(), (Strings{"parameter 2"}));
    EXPECT_EQ(object->player->Rate, 1.5);
    EXPECT_EQ(standin::LastGraph().Rate(), 1.5);

    host->SetParameter(0.0f); // a rate of 0 is ignored
    Action(object, 39, 0);
    EXPECT_EQ(object->player->Rate, 1.5);

    host->RemoveService(hoststandin::RunHost::Parameter); // the rate then arrives as a number
    Action(object, 39, 2);
    EXPECT_EQ(object->player->Rate, 2.0);
}

TEST_F(PlayingObject, ActionsThatNeedAPlayerReportCodeOneWithoutIt) {
    VideoPlayer* player = object->player;
    object->player = nullptr;
    for (int code : {5, 39}) {
        object->lastError = 0;
        Action(object, code, 1);
        EXPECT_EQ(object->lastError, 1) << code;
    }
    for (int code : {0, 1, 2, 8, 9, 10, 11, 12, 13, 17, 18, 19, 20, 21, 27, 35})
        Action(object, code, 1); // nothing to act on, and no crash
    object->player = player;
}

// ---- Opening another file ------------------------------------------------------------------

TEST_F(PlayingObject, NewFileOpensItAndTakesItsLengths) {
    media::AviClip longer = SmallClip(50);
    WriteClip("b.avi", longer);
    object->lastClickCode = 2;
    host->ClearRecords();
    ResetFlags(object);
    Action(object, 6, "C:\\clips\\b.avi");
    EXPECT_EQ(Utf8(object->fileName), "C:\\clips\\b.avi");
    EXPECT_EQ(object->cachedTotalFrames, 50);
    EXPECT_EQ(object->cachedTotalMilliseconds, 2000);
    EXPECT_EQ(object->player->PlayState, PlayRunning); // the object plays at start
    EXPECT_EQ(object->lastClickCode, -4);
    EXPECT_EQ(FlagsOf(object), (Flags{1, 1, 0}));
    EXPECT_EQ(host->Journal(), (Strings{"suspend", "resume"}));
}

TEST_F(PlayingObject, NewFileThatDoesNotExistResumesTheOldMedia) {
    host->ClearRecords();
    ResetFlags(object);
    Action(object, 6, "C:\\clips\\missing.avi");
    EXPECT_EQ(FlagsOf(object), (Flags{0, 0, 1}));
    EXPECT_EQ(Utf8(object->fileName), "C:\\clips\\a.avi");
    EXPECT_EQ(object->player->PlayState, PlayRunning);
    EXPECT_EQ(standin::LastGraph().RenderedFile(), u"C:\\clips\\a.avi");
    EXPECT_EQ(host->Journal(), (Strings{"suspend", "resume"}));
}

TEST_F(PlayingObject, NewFileRefusesEmptyAndOverlongNames) {
    ResetFlags(object);
    Action(object, 6, "");
    EXPECT_EQ(FlagsOf(object), (Flags{1, 1, 8}));

    const std::vector<BYTE> before = Snapshot(object);
    const std::string overlong = "C:\\" + std::string(257, 'n'); // 260 units
    host->ClearRecords();
    Action(object, 6, overlong);
    EXPECT_EQ(object->lastError, 1);
    object->lastError = 8;
    EXPECT_EQ(Snapshot(object), before);
    EXPECT_TRUE(host->Journal().empty());
}

TEST_F(Actions, NewFileWithDoubleSizeTakesTheDoubledWindow) {
    WriteClip("a.avi", media::AviClip()); // 320 x 240
    RunObject* object = Create("", kLogged | DoubleSize);
    Action(object, 6, "C:\\clips\\a.avi");
    EXPECT_EQ(object->width, 640 + 2 * 2 + 1);
    EXPECT_EQ(object->height, 480 + 2 * 2 + 1);
    EXPECT_EQ(object->lastError, 0);
}

TEST_F(PlayingObject, NewFileFromTheSelector) {
    media::AviClip longer = SmallClip(50);
    WriteClip("b.avi", longer);
    standin::ScriptOpenFileChoice(u"C:\\clips\\b.avi");
    ResetFlags(object);
    Action(object, 7);
    ASSERT_EQ(standin::OpenFileDialogs().size(), 1u);
    EXPECT_EQ(standin::OpenFileDialogs()[0].owner, host->ApplicationMainWindow());
    EXPECT_EQ(Utf8(object->fileName), "C:\\clips\\b.avi");
    EXPECT_EQ(object->cachedTotalFrames, 50);
    EXPECT_EQ(object->cachedTotalMilliseconds, 2000);
    EXPECT_EQ(FlagsOf(object), (Flags{1, 1, 0}));

    standin::ScriptOpenFileCancel();
    ResetFlags(object);
    Action(object, 7);
    EXPECT_EQ(FlagsOf(object), (Flags{0, 0, 1}));
    EXPECT_EQ(object->player->PlayState, PlayRunning);
    EXPECT_EQ(Utf8(object->fileName), "C:\\clips\\b.avi");
}

// ---- Decoder settings ------------------------------------------------------------------------

TEST_F(Actions, DecoderActionsReachOnlyTheirDecoder) {
    media::AviClip clip = SmallClip(10);
    clip.fourcc = "IV50";
    WriteClip("indeo5.avi", clip);
    clip.fourcc = "DIVX";
    WriteClip("divx.avi", clip);

    RunObject* indeo5 = Create("C:\\clips\\indeo5.avi", kLogged);
    ResetFlags(indeo5);
    Action(indeo5, 23, 0); // brightness 0 on the user's scale
    Action(indeo5, 25, 1234);
    Action(indeo5, 21);
    Action(indeo5, 20, RGB(1, 2, 3));
    standin::DecoderView decoder = standin::LastDecoder();
    EXPECT_EQ(decoder.indeoBrightness, -128);
    EXPECT_EQ(decoder.indeoAccessKey, 1234);
    EXPECT_EQ(decoder.indeoAltLine, 1);
    EXPECT_EQ(decoder.indeoTransFill, static_cast<long>(RGB(1, 2, 3)));
    EXPECT_EQ(FlagsOf(indeo5), (Flags{1, 1, 0}));

    RunObject* divx = Create("C:\\clips\\divx.avi", kLogged);
    ResetFlags(divx);
    Action(divx, 22, 200); // an Indeo action on DivX content: nothing
    EXPECT_EQ(divx->player->IndeoContrast, 0);
    EXPECT_EQ(FlagsOf(divx), (Flags{0, 0, 77}));
    Action(divx, 31, 256);
    Action(divx, 32, 100);
    EXPECT_EQ(standin::LastDecoder().divxBrightness, 128);
    EXPECT_EQ(standin::LastDecoder().divxSaturation, -28);
    EXPECT_EQ(FlagsOf(divx), (Flags{0, 1, 0}));
}

TEST_F(Actions, IndioPasswordIsCutToSeventeenUnits) {
    media::AviClip clip = SmallClip(10);
    clip.fourcc = "IV41";
    WriteClip("indeo4.avi", clip);
    RunObject* object = Create("C:\\clips\\indeo4.avi", kLogged);
    Action(object, 28, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(Utf8(object->player->IndioPassword), "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(standin::LastDecoder().password, u"ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(object->redrawRequest, 1);
}

TEST_F(PlayingObject, BackgroundColourGoesToTheVideoWindowBorder) {
    ResetFlags(object);
    Action(object, 27, RGB(10, 20, 30));
    EXPECT_EQ(object->player->BkColor, RGB(10, 20, 30));
    EXPECT_EQ(standin::LastGraph().BorderColor(), static_cast<long>(RGB(10, 20, 30)));
    EXPECT_EQ(FlagsOf(object), (Flags{0, 1, 0}));
}

TEST_F(Actions, WithoutAWindowTheGuardedActionsReportTheirCodes) {
    standin::InjectFault("CreateWindowExW", ERROR_NOT_ENOUGH_MEMORY);
    RunObject* object = Create("", kLogged);
    const struct {
        int code;
        SHORT lastError;
    } cases[] = {{14, 1}, {15, 1}, {16, 1}, {33, 1}, {34, 1}, {35, 1}, {6, 8}, {7, 8}};
    for (const auto& c : cases) {
        object->lastError = 0;
        Action(object, c.code, "C:\\clips\\a.avi");
        EXPECT_EQ(object->lastError, c.lastError) << c.code;
    }
    ClearLogLines();
    object->redrawRequest = 0;
    Action(object, 17);
    Action(object, 18);
    EXPECT_EQ(LogLines(), (Strings{"There is no window", "There is no window"}));
    EXPECT_EQ(object->redrawRequest, 1); // normal size asks for a redraw even so
    Action(object, 26);
    EXPECT_EQ(object->keepAspect, 1); // the toggle needs no window
}

} // namespace

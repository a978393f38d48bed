// Conditions and expressions, called through the routine tables the host received, on live
// objects playing generated clips.
#include "unit/run_time_fixture.h"

#include "player/video_player.h"
#include "standin/dshow_control.h"
#include "standin/faults.h"
#include "support/log_capture.h"
#include "support/wide.h"

namespace {

using Conditions = RunTimeTest;
using Expressions = RunTimeTest;

media::AviClip Clip(int frames, const std::string& fourcc = "", bool withAudio = false) {
    media::AviClip clip = SmallClip(frames);
    clip.fourcc = fourcc;
    clip.withAudio = withAudio;
    return clip;
}

// ---- Conditions ----------------------------------------------------------------------------

TEST_F(Conditions, AClickIsReportedOnceAndOnlyInTheLoopItHappened) {
    RunObject* object = Create("", kLogged);
    host->NextLoop();
    SendMessageW(object->hostWindow, WM_RBUTTONDBLCLK, 0, 0);
    EXPECT_EQ(Condition(object, 3, 0), 0); // another button: the click stays recorded
    EXPECT_EQ(Condition(object, 3, 258), 1);
    EXPECT_EQ(object->lastClickCode, -1);
    EXPECT_EQ(Condition(object, 3, 258), 0);

    SendMessageW(object->hostWindow, WM_LBUTTONDOWN, 0, 0);
    host->NextLoop();
    EXPECT_EQ(Condition(object, 3, 0), 0);
}

TEST_F(Conditions, PositionConditionsAnswerTheValueAndChooseTheTextForm) {
    WriteClip("four.avi", Clip(100)); // 4 seconds at 25 frames per second
    RunObject* object = Create("C:\\clips\\four.avi", kLogged);
    Action(object, 12, 50); // Goto frame 50
    object->lastError = 5;
    EXPECT_EQ(Condition(object, 4), 50);
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(AsText(Expression(object, 19)), "2"); // frame format selected: plain seconds
    EXPECT_EQ(Condition(object, 5), 2000);
    EXPECT_EQ(AsText(Expression(object, 19)), "00:00:02");
    EXPECT_EQ(AsText(Expression(object, 20)), "00:00:04");
    EXPECT_EQ(host->CallCount("text 120"), 3);
}

// A position whose milliseconds do not fit 32 bits is truncated by the bounded conversion: it
// reads as the lowest 32-bit value, never as whatever an out-of-range cast gives.
TEST_F(Conditions, PositionsBeyondThirtyTwoBitsReadAsTheLowestValue) {
    media::AviClip clip = Clip(600); // 4000 seconds a frame: 2,400,000 seconds in all
    clip.width = clip.height = 4;
    clip.rate = 1;
    clip.scale = 4000;
    WriteClip("long.avi", clip);
    RunObject* object = Create("C:\\clips\\long.avi", kLogged);
    ASSERT_EQ(object->cachedTotalFrames, 600);

    Action(object, 13, 2000000); // Goto time, in seconds: 2,000,000,000 ms still fits
    EXPECT_EQ(Condition(object, 5), 2000000000L);
    EXPECT_EQ(Condition(object, 4), 500);
    EXPECT_EQ(Expression(object, 0), 500);

    Action(object, 13, 2300000); // 2,300,000,000 ms
    EXPECT_EQ(Condition(object, 5), -2147483647L - 1);
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(Condition(object, 4), 575);
    EXPECT_EQ(Expression(object, 0), 575);
}

TEST_F(Conditions, GuardsWithoutAWindowSetCodeOneAndAnswerTheFailureValue) {
    standin::InjectFault("CreateWindowExW", ERROR_NOT_ENOUGH_MEMORY);
    RunObject* object = Create("", kLogged);
    ASSERT_EQ(object->hostWindow, nullptr);
    object->grabDone = 1;
    object->lastFullScreenKey = 'A';
    const struct {
        int code;
        long result;
    } cases[] = {{4, -1}, {5, -1}, {6, 0}, {8, 0}, {10, 0}, {11, 0}, {12, 0}, {13, 0}};
    for (const auto& c : cases) {
        object->lastError = 0;
        EXPECT_EQ(Condition(object, c.code, 'A'), c.result) << c.code;
        EXPECT_EQ(object->lastError, 1) << c.code;
    }
    EXPECT_EQ(object->grabDone, 1);
    EXPECT_EQ(object->lastFullScreenKey, 'A');
}

TEST_F(Conditions, FileOpenedHoldsOnlyWhileOpeningWithAName) {
    WriteClip("a.avi");
    RunObject* named = Create("C:\\clips\\a.avi", kLogged);
    EXPECT_EQ(Condition(named, 6), 0); // at the start, not opening
    EXPECT_EQ(named->lastError, 1);
    named->player->MediaStatus = MediaOpening;
    EXPECT_EQ(Condition(named, 6), 1);

    RunObject* unnamed = Create("", kLogged);
    unnamed->player->MediaStatus = MediaOpening;
    unnamed->lastError = 42;
    EXPECT_EQ(Condition(unnamed, 6), 0);
    EXPECT_EQ(unnamed->lastError, 42);
}

TEST_F(Conditions, CodecConditionsNameTheDecoderInTheGraph) {
    const struct {
        const char* fourcc;
        long indeo5, indeo4, divx;
    } cases[] = {{"", 0, 0, 0}, {"IV50", 1, 0, 0}, {"IV41", 0, 1, 0}, {"DIVX", 0, 0, 1}};
    for (const auto& c : cases) {
        const std::string name = std::string("codec") + c.fourcc + ".avi";
        WriteClip(name, Clip(10, c.fourcc));
        RunObject* object = Create("C:\\clips\\" + name, kLogged);
        EXPECT_EQ(Condition(object, 8), c.indeo5) << c.fourcc;
        EXPECT_EQ(Condition(object, 10), c.indeo4) << c.fourcc;
        EXPECT_EQ(Condition(object, 11), c.divx) << c.fourcc;
    }
}

TEST_F(Conditions, OneShotConditionsConsumeWhatTheyReport) {
    RunObject* object = Create("", kLogged);
    object->grabDone = 1;
    EXPECT_EQ(Condition(object, 12), 1);
    EXPECT_EQ(object->grabDone, 0);
    object->lastError = 0;
    EXPECT_EQ(Condition(object, 12), 0);
    EXPECT_EQ(object->lastError, 1);

    object->lastFullScreenKey = 'B';
    object->lastError = 0;
    EXPECT_EQ(Condition(object, 13, 'A'), 0);
    EXPECT_EQ(object->lastFullScreenKey, 'B');
    ClearLogLines();
    EXPECT_EQ(Condition(object, 13, 'B'), 1);
    EXPECT_EQ(object->lastFullScreenKey, 0);
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"keydown = B and from menu B"}));
    EXPECT_EQ(Condition(object, 13, 0), 0); // no key recorded: never true, not even for key 0
}

// ---- Expressions ---------------------------------------------------------------------------

TEST_F(Expressions, LengthsComeFromTheCacheAndNeedAWindow) {
    RunObject* object = Create("", kLogged);
    object->cachedTotalMilliseconds = 12999;
    object->cachedTotalFrames = 77;
    EXPECT_EQ(Expression(object, 3), 12);
    EXPECT_EQ(Expression(object, 1), 77);

    standin::InjectFault("CreateWindowExW", ERROR_NOT_ENOUGH_MEMORY);
    RunObject* windowless = Create("", kLogged);
    EXPECT_EQ(Expression(windowless, 0), -1);
    EXPECT_EQ(Expression(windowless, 1), -1);
    EXPECT_EQ(Expression(windowless, 3), -1);
    EXPECT_EQ(AsFloat(Expression(windowless, 2)), 0.0f);
    EXPECT_EQ(windowless->resultTypeFlags, ResultIsFloat);
}

TEST_F(Expressions, VolumeIsAPercentageAndMissingSoundGives99) {
    WriteClip("sound.avi", Clip(25, "", true));
    RunObject* object = Create("C:\\clips\\sound.avi", kLogged);
    const struct {
        long percent;
        long volume;
    } cases[] = {{75, -2500}, {0, -10000}, {100, 0}};
    for (const auto& c : cases) {
        Action(object, 35, c.percent);
        EXPECT_EQ(standin::LastGraph().Volume(), c.volume);
        EXPECT_EQ(Expression(object, 15), c.percent);
    }
    WriteClip("silent.avi", Clip(25));
    EXPECT_EQ(Expression(Create("C:\\clips\\silent.avi", kLogged), 15), 99);
}

TEST_F(Expressions, FloatResultsSetTheFloatBitBesideTheOthers) {
    WriteClip("a.avi");
    RunObject* object = Create("C:\\clips\\a.avi", kLogged);
    object->resultTypeFlags = 0x0001;
    object->player->Rate = 1.5;
    EXPECT_EQ(AsFloat(Expression(object, 16)), 1.5f);
    EXPECT_EQ(object->cachedRate, 1.5);
    EXPECT_EQ(object->resultTypeFlags, 0x0001 | ResultIsFloat);

    object->resultTypeFlags = 0;
    Action(object, 12, 10); // frame 10 is 0.4 s in
    EXPECT_FLOAT_EQ(AsFloat(Expression(object, 2)), 0.4f);
    EXPECT_EQ(object->resultTypeFlags, ResultIsFloat);
}

TEST_F(Expressions, AverageFrameRateInFramesPerSecondOrMinusOne) {
    media::AviClip ntsc = Clip(30);
    ntsc.rate = 2997;
    ntsc.scale = 100;
    WriteClip("ntsc.avi", ntsc);
    RunObject* object = Create("C:\\clips\\ntsc.avi", kLogged | PlayAtStart);
    EXPECT_FLOAT_EQ(AsFloat(Expression(object, 21)), 29.97f);
    EXPECT_EQ(object->resultTypeFlags, ResultIsFloat);

    media::WriteWav("C:\\clips\\tone.wav", media::WavClip());
    RunObject* audioOnly = Create("C:\\clips\\tone.wav", kLogged);
    EXPECT_EQ(AsFloat(Expression(audioOnly, 21)), -1.0f);
}

TEST_F(Expressions, TextResultsSetTheTextBit) {
    WriteClip("a.avi");
    RunObject* object = Create("C:\\clips\\a.avi", kLogged);
    EXPECT_EQ(AsText(Expression(object, 18)), "C:\\clips\\a.avi");
    EXPECT_EQ(object->resultTypeFlags, ResultIsText);
    EXPECT_EQ(AsText(Expression(object, 14)), ""); // no Indeo 4 decoder: the field as it was

    WriteClip("indeo4.avi", Clip(10, "IV41"));
    RunObject* indeo4 = Create("C:\\clips\\indeo4.avi", kLogged);
    Action(indeo4, 28, "secret");
    EXPECT_EQ(AsText(Expression(indeo4, 14)), "secret");
    EXPECT_EQ(indeo4->resultTypeFlags, ResultIsText);

    host->RemoveService(hoststandin::RunHost::TemporaryText);
    EXPECT_EQ(AsText(Expression(object, 19)), "");
}

TEST_F(Expressions, CodecValuesAreReadFromTheirOwnDecoderOnly) {
    WriteClip("indeo5.avi", Clip(10, "IV50"));
    RunObject* indeo5 = Create("C:\\clips\\indeo5.avi", kLogged);
    Action(indeo5, 22, 200); // Indeo contrast: the decoder holds 72
    EXPECT_EQ(standin::LastDecoder().indeoContrast, 72);
    indeo5->player->IndeoContrast = 0;
    EXPECT_EQ(Expression(indeo5, 8), 200); // read back from the decoder

    WriteClip("divx.avi", Clip(10, "DIVX"));
    RunObject* divx = Create("C:\\clips\\divx.avi", kLogged);
    Action(divx, 30, 200);
    EXPECT_EQ(standin::LastDecoder().divxContrast, 72);
    EXPECT_EQ(Expression(divx, 11), 72); // in the decoder's own units
    const int indeoReads = standin::CallCount("Indeo5::ReadFrame");
    EXPECT_EQ(Expression(divx, 8), 128); // the stored Indeo value, decoder not asked
    EXPECT_EQ(standin::CallCount("Indeo5::ReadFrame"), indeoReads);
}

TEST_F(Expressions, NativeSizeOfThePicture) {
    media::AviClip clip = Clip(5);
    clip.width = 176;
    clip.height = 144;
    WriteClip("small.avi", clip);
    RunObject* object = Create("C:\\clips\\small.avi", kLogged);
    EXPECT_EQ(Expression(object, 22), 176);
    EXPECT_EQ(Expression(object, 23), 144);
}

TEST_F(Expressions, AnObjectWithoutAPlayerAnswersFailureValues) {
    RunObject* object = Create("", kLogged);
    VideoPlayer* player = object->player;
    object->player = nullptr;
    for (int code : {0, 7, 8, 9, 10, 11, 12, 13, 15, 22, 23})
        EXPECT_EQ(Expression(object, code), -1) << code;
    for (int code : {14, 19, 20}) {
        object->resultTypeFlags = 0;
        EXPECT_EQ(AsText(Expression(object, code)), "") << code;
        EXPECT_EQ(object->resultTypeFlags, ResultIsText) << code;
    }
    EXPECT_EQ(AsFloat(Expression(object, 16)), 0.0f);
    EXPECT_EQ(AsFloat(Expression(object, 21)), -1.0f);
    for (int code : {0, 1, 2, 9})
        EXPECT_EQ(Condition(object, code), 0) << code;
    object->player = player;
}

} // namespace

// The stand-in host program's own parts: the event script, the generated clip and tone, its
// UTF-8 texts and the wide-text value it hands to the property sheet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "demo_clip.h"
#include "edit/prop_value.h"
#include "host_script.h"
#include "host_text.h"
#include "host_text_value.h"

using namespace hoststandin;

namespace {

unsigned long U32At(const std::vector<BYTE>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<unsigned long>(bytes[at + 3]) << 24;
}

size_t Find(const std::vector<BYTE>& bytes, const char* id, size_t from = 0) {
    for (size_t i = from; i + 4 <= bytes.size(); ++i)
        if (std::memcmp(&bytes[i], id, 4) == 0)
            return i;
    return std::string::npos;
}

TEST(HostScript, ReadsEveryVerbWithItsArguments) {
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript("# clip facts\n"
                            "0 expression 18   # file name\n"
                            "\n"
                            "500 action 35 50\n"
                            "+250 action 39 1.5\n"
                            "+0 action 6 \"out\\other clip.avi\"\n"
                            "1000 action 14 -1 200\n"
                            "on 1 position\n"
                            "on 1 +300 end\n"
                            "2000 click right double\n"
                            "2000 key 65\n"
                            "2000 frame 1280 960\n"
                            "2100 create\n"
                            "2100 create \"b.wav\"\n"
                            "2200 select 1\n"
                            "2300 grab out\\g.bmp\n"
                            "2400 condition 3 256\n"
                            "2500 screenshot s.png\n"
                            "2600 destroy\n",
                            &script, &error))
        << error;
    ASSERT_EQ(script.events.size(), 17u);
    const ScriptEvent& volume = script.events[1];
    EXPECT_EQ(volume.line, 4);
    EXPECT_EQ(volume.verb, ScriptVerb::Action);
    EXPECT_EQ(volume.code, 35);
    ASSERT_EQ(volume.arguments.size(), 1u);
    EXPECT_EQ(volume.arguments[0].integer, 50);
    const ScriptEvent& rate = script.events[2];
    EXPECT_EQ(rate.atMs, 750);
    EXPECT_EQ(rate.arguments[0].kind, ScriptArgument::Decimal);
    EXPECT_FLOAT_EQ(rate.arguments[0].decimal, 1.5f);
    EXPECT_EQ(script.events[3].atMs, 750);
    EXPECT_EQ(script.events[3].arguments[0].kind, ScriptArgument::Text);
    EXPECT_EQ(script.events[3].arguments[0].text, "out\\other clip.avi");
    EXPECT_EQ(script.events[4].arguments[0].integer, -1);
    EXPECT_EQ(script.events[4].arguments[1].integer, 200);
    EXPECT_EQ(script.events[5].onCondition, 1);
    EXPECT_EQ(script.events[5].atMs, 0);
    EXPECT_EQ(script.events[6].onCondition, 1);
    EXPECT_EQ(script.events[6].atMs, 300);
    EXPECT_EQ(script.events[6].verb, ScriptVerb::End);
    EXPECT_EQ(script.events[7].button, ClickButton::Right);
    EXPECT_TRUE(script.events[7].doubleClick);
    EXPECT_EQ(script.events[8].code, 65);
    EXPECT_EQ(script.events[9].width, 1280);
    EXPECT_EQ(script.events[9].height, 960);
    EXPECT_EQ(script.events[10].path, "");
    EXPECT_EQ(script.events[11].path, "b.wav");
    EXPECT_EQ(script.events[12].code, 1);
    EXPECT_EQ(script.events[13].path, "out\\g.bmp");
    EXPECT_EQ(script.events[14].arguments[0].integer, 256);
    EXPECT_EQ(script.events[15].verb, ScriptVerb::Screenshot);
    EXPECT_EQ(script.events[16].verb, ScriptVerb::Destroy);
}

TEST(HostScript, RefusesBadLinesNamingTheLineAndTheReason) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"0 action 40", "line 1: bad action number '40' (0 to 39)"},
        {"0 condition -1", "line 1: bad condition number '-1' (0 to 13)"},
        {"0 expression 24", "line 1: bad expression number '24' (0 to 23)"},
        {"\n0 jump 1", "line 2: unknown verb 'jump'"},
        {"soon action 0", "line 1: bad time 'soon' (milliseconds, +delay or 'on N')"},
        {"+x action 0", "line 1: bad delay '+x'"},
        {"on 14 end", "line 1: 'on' needs a condition number (0 to 13) and a verb"},
        {"on 1", "line 1: 'on' needs a condition number (0 to 13) and a verb"},
        {"100", "line 1: missing verb"},
        {"0 action 6 \"unterminated", "line 1: unterminated text"},
        {"0 action 35 fifty", "line 1: bad argument 'fifty'"},
        {"0 action 14 1 2 3", "line 1: 'action' takes 1 to 3 arguments"},
        {"0 position now", "line 1: 'position' takes 0 arguments"},
        {"0 click up", "line 1: bad button 'up' (left, middle or right)"},
        {"0 click left twice", "line 1: bad click kind 'twice' (only 'double')"},
        {"0 frame 0 480", "line 1: bad frame size (1 to 8192 pixels each)"},
        {"0 select 0", "line 1: bad object number '0'"},
        {"99999999999 end", "line 1: bad time '99999999999' (milliseconds, +delay or 'on N')"},
        {"0 action 35 1e999", "line 1: bad argument '1e999'"},
    };
    for (const auto& c : cases) {
        Script script;
        std::string error;
        EXPECT_FALSE(ParseScript(c.text, &script, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(HostScript, TheBuiltInScriptParsesAndEndsAfterTheEnd) {
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript(DefaultScript("out\\grab.png", "out/shot.png"), &script, &error))
        << error;
    int grabs = 0, shots = 0, endsAfterCondition1 = 0;
    for (const ScriptEvent& event : script.events) {
        grabs += event.verb == ScriptVerb::Grab && event.path == "out\\grab.png";
        shots += event.verb == ScriptVerb::Screenshot && event.path == "out/shot.png";
        endsAfterCondition1 += event.verb == ScriptVerb::End && event.onCondition == 1;
    }
    EXPECT_EQ(grabs, 1);
    EXPECT_EQ(shots, 1);
    EXPECT_EQ(endsAfterCondition1, 1);
    ASSERT_TRUE(ParseScript(DefaultScript("g.png", ""), &script, &error));
    for (const ScriptEvent& event : script.events)
        EXPECT_NE(event.verb, ScriptVerb::Screenshot);
}

TEST(DemoClip, IsAnIndexedAviOfThreeSecondsWithPictureAndTone) {
    DemoClip clip;
    std::vector<BYTE> avi = DemoAviBytes(clip);
    ASSERT_GT(avi.size(), 75u * 320 * 240 * 3);
    EXPECT_EQ(std::memcmp(avi.data(), "RIFF", 4), 0);
    EXPECT_EQ(U32At(avi, 4), avi.size() - 8);
    const size_t avih = Find(avi, "avih");
    EXPECT_EQ(U32At(avi, avih + 8), 40000u);   // microseconds a frame: 25 per second
    EXPECT_EQ(U32At(avi, avih + 8 + 16), 75u); // frames
    EXPECT_EQ(U32At(avi, avih + 8 + 24), 2u);  // streams
    EXPECT_EQ(U32At(avi, avih + 8 + 32), 320u);
    EXPECT_EQ(U32At(avi, avih + 8 + 36), 240u);
    const size_t auds = Find(avi, "auds");
    ASSERT_NE(auds, std::string::npos);
    EXPECT_EQ(U32At(avi, auds + 24) / U32At(avi, auds + 20), 22050u); // samples per second
    EXPECT_EQ(U32At(avi, auds + 32), 882u * 75);                      // samples in all
    // The index lists a picture and a sound chunk per frame, each where it says.
    const size_t idx1 = Find(avi, "idx1");
    const size_t movi = Find(avi, "movi");
    ASSERT_NE(idx1, std::string::npos);
    EXPECT_EQ(U32At(avi, idx1 + 4), 150u * 16);
    for (size_t entry = 0; entry < 150; entry += 37) {
        const size_t at = idx1 + 8 + entry * 16;
        EXPECT_EQ(std::memcmp(&avi[movi + U32At(avi, at + 8)], &avi[at], 4), 0);
        EXPECT_EQ(U32At(avi, movi + U32At(avi, at + 8) + 4), U32At(avi, at + 12));
    }
    // The last frame's bottom row (stored first) shows the bar at the right edge.
    size_t lastFrame = movi + U32At(avi, idx1 + 8 + 148 * 16 + 8) + 8;
    EXPECT_EQ(avi[lastFrame + 3 * 319], 255);
    EXPECT_EQ(avi[lastFrame + 3 * 0 + 2], kGroundColour.r);

    // The tone, a sine of amplitude 6000, runs on from chunk to chunk as in the WAV: the second
    // frame's sound is the WAV's samples 882 to 1763.
    const std::vector<BYTE> wav = ToneWavBytes(3000);
    const size_t secondSound = movi + U32At(avi, idx1 + 8 + 3 * 16 + 8) + 8;
    EXPECT_EQ(std::memcmp(&avi[secondSound], &wav[44 + 882 * 2], 882 * 2), 0);
    int peak = 0;
    for (size_t at = 44; at < 44 + 2 * 100; at += 2)
        peak = std::max(peak, int(int16_t(wav[at] | wav[at + 1] << 8)));
    EXPECT_GT(peak, 5900);
    EXPECT_LE(peak, 6000);
}

TEST(DemoClip, FramesShowTheSweepingBarAndTheirNumber) {
    DemoClip clip;
    EXPECT_EQ(BarLeft(clip, 0), 0);
    EXPECT_EQ(BarLeft(clip, 37), 148);
    EXPECT_EQ(BarLeft(clip, 74), 296);
    EXPECT_EQ(BarLeft(clip, 500), 296);
    auto same = [](PixelColour a, PixelColour b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    EXPECT_TRUE(same(DemoPixel(clip, 37, 150, 200), kBarColour));
    EXPECT_TRUE(same(DemoPixel(clip, 37, 150, 40), kGroundColour)); // above the bar
    EXPECT_TRUE(same(DemoPixel(clip, 37, 100, 200), kGroundColour));
    // "037": the first digit 0 has its upper left segment lit; 3 has not, 7 has its top.
    EXPECT_TRUE(same(DemoPixel(clip, 37, 13, 20), kDigitColour));
    EXPECT_TRUE(same(DemoPixel(clip, 37, 41, 20), kGroundColour));
    EXPECT_TRUE(same(DemoPixel(clip, 37, 75, 13), kDigitColour));
    // "008": the middle bar is lit in the 8, not in the 0 before it.
    EXPECT_TRUE(same(DemoPixel(clip, 8, 75, 30), kDigitColour));
    EXPECT_TRUE(same(DemoPixel(clip, 8, 50, 30), kGroundColour));
}

TEST(DemoClip, ImplausibleClipsGiveNoBytesAndToneLengthsAreExact) {
    DemoClip bad;
    bad.width = 0;
    EXPECT_TRUE(DemoAviBytes(bad).empty());
    bad = DemoClip();
    bad.frames = 0;
    EXPECT_TRUE(DemoAviBytes(bad).empty());
    bad = DemoClip();
    bad.framesPerSecond = 0;
    EXPECT_TRUE(DemoAviBytes(bad).empty());
    std::vector<BYTE> wav = ToneWavBytes(3000);
    ASSERT_EQ(wav.size(), 44u + 3u * 22050 * 2);
    EXPECT_EQ(std::memcmp(&wav[8], "WAVE", 4), 0);
    EXPECT_EQ(U32At(wav, 40), 3u * 22050 * 2);
    EXPECT_TRUE(ToneWavBytes(-1).empty());
    EXPECT_TRUE(ToneWavBytes(10, 440, 0).empty());
}

TEST(HostText, ConvertsBothWaysAndReplacesMalformedUtf8) {
    const std::string text = "C:\\Vid\xC3\xA9o\\\xF0\x9F\x8E\xAC.avi";
    std::u16string wide = WideFromUtf8(text);
    EXPECT_EQ(wide, u"C:\\Vid\u00e9o\\\U0001F3AC.avi");
    EXPECT_EQ(Utf8FromWide(AsWide(wide)), text);
    EXPECT_EQ(WideFromUtf8("a\xC3"), u"a\uFFFD");         // cut sequence
    EXPECT_EQ(WideFromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD"); // over-long form
    EXPECT_EQ(WideFromUtf8("\xED\xA0\x80"), u"\uFFFD");   // a surrogate written in UTF-8
    const WCHAR lone[] = {0xD800, 'x', 0};
    EXPECT_EQ(Utf8FromWide(lone), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf8FromWide(nullptr), "");
    EXPECT_EQ(Utf8FromWide(AsWide(wide), 3), "C:\\");
}

TEST(HostTextValue, IsReadByTheModuleAsAWideTextValue) {
    HostTextValue value(u"C:\\clip.avi");
    CPropValue* asHostValue = &value;
    EXPECT_EQ(asHostValue->KindCode(), kWideTextKind);
    EXPECT_EQ(asHostValue->Destroy(1), &value); // the host's own value is never freed by slot 0
    LPCWSTR text = PropValueText(asHostValue);
    ASSERT_EQ(text, value.text);
    EXPECT_EQ(Utf8FromWide(text), "C:\\clip.avi");
    // The module's value layout: the word at byte 4, the text pointer at byte 8.
    EXPECT_EQ(reinterpret_cast<BYTE*>(&value.text) - reinterpret_cast<BYTE*>(&value), 8);
}

} // namespace

// Bad media at module level: an object given an empty file, a text file named .avi, a file cut at
// 150 bytes, a corrupt stream header or a header claiming a huge picture fails to open with the
// graph's result in its log and -1 as its error code, and afterwards opens, plays and grabs a
// good clip, all through the routine lists.
#include "player/video_player.h"
#include "standin/clock.h"
#include "standin/dshow_control.h"
#include "standin/sandbox.h"
#include "support/image_files.h"
#include "support/log_capture.h"
#include "unit/run_time_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

enum : int { kPlay = 0, kNewFile = 6, kGrabToFile = 36 };
const int kGrabDone = 12;
const int kVideoError = 17;

struct BadFile {
    const char* name;
    std::vector<uint8_t> bytes;
    HRESULT renderResult;
};

std::vector<BadFile> BadFiles() {
    const std::vector<uint8_t> avi = media::AviBytes(SmallClip(5));
    const size_t format = static_cast<size_t>(media::FindChunk(avi, "strf")) + 8;
    std::vector<uint8_t> corrupt = avi;
    corrupt[format + 14] = corrupt[format + 15] = 0; // the picture's bit count
    std::vector<uint8_t> huge = avi;
    media::PutU32(huge, format + 4, 0x7FFFFFFF); // the picture's width
    const std::string text = "This is not a video.\r\n";
    return {
        {"empty.avi", {}, VFW_E_UNKNOWN_FILE_TYPE},
        {"text.avi", std::vector<uint8_t>(text.begin(), text.end()), VFW_E_UNKNOWN_FILE_TYPE},
        {"cut.avi", std::vector<uint8_t>(avi.begin(), avi.begin() + 150),
         VFW_E_INVALID_FILE_FORMAT},
        {"corrupt.avi", corrupt, VFW_E_INVALID_FILE_FORMAT},
        {"huge.avi", huge, VFW_E_INVALID_FILE_FORMAT},
    };
}

std::string RenderFailure(HRESULT hr) {
    return "FAILED(hr=0x" + Hex(static_cast<unsigned long>(hr)) +
           ") in pGB->RenderFile(wFile, NULL)\n";
}

class BadMedia : public RunTimeTest {
  protected:
    void SetUp() override {
        RunTimeTest::SetUp();
        OfferImageServices();
        CreateDirectoryW(L"C:\\grabs", nullptr);
        good = WriteClip("good.avi", SmallClip(25));
    }

    // Fails cleanly: the log names the graph's result, the error code is -1 (the open's, or the
    // Stop after it that found no graph), the player holds no media.
    void ExpectFailedOpen(RunObject* object, HRESULT hr) {
        const std::vector<std::string> lines = LogLines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), RenderFailure(hr)), lines.end());
        EXPECT_EQ(Expression(object, kVideoError), -1);
        ASSERT_NE(object->player, nullptr);
        EXPECT_EQ(object->player->LastError, 4);
        EXPECT_EQ(object->player->MediaStatus, MediaClosed);
    }

    // The object then opens the good clip, plays it and grabs a picture of it.
    void ExpectRecovery(RunObject* object) {
        ClearLogLines();
        Action(object, kNewFile, good);
        EXPECT_EQ(object->lastError, 0);
        EXPECT_NE(object->player->MediaStatus, MediaClosed);
        Action(object, kPlay);
        EXPECT_EQ(object->player->PlayState, PlayRunning);
        standin::AdvanceClock(200);
        EXPECT_EQ(standin::LastGraph().State(), State_Running);
        EXPECT_GT(standin::LastGraph().Position(), 0);
        Action(object, kGrabToFile, "C:\\grabs\\after.bmp");
        EXPECT_EQ(Condition(object, kGrabDone), 1);
        std::string bytes;
        ASSERT_TRUE(standin::ReadSandboxFile(L"C:\\grabs\\after.bmp", &bytes));
        DecodedImage image;
        std::string why;
        ASSERT_TRUE(DecodeBmp(bytes, &image, &why)) << why;
        EXPECT_EQ(image.width, 32);
        EXPECT_EQ(image.height, 24);
    }

    std::string good;
};

TEST_F(BadMedia, ObjectCreatedOnABadFileFailsCleanlyAndThenPlaysAGoodClip) {
    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.name);
        const std::string path = "C:\\clips\\" + std::string(bad.name);
        ASSERT_TRUE(media::WriteBytes(path, bad.bytes));
        ClearLogLines();
        RunObject* object = Create(path, kLogged);
        EXPECT_EQ(createResult, 0);
        ExpectFailedOpen(object, bad.renderResult);
        ExpectRecovery(object);
    }
}

TEST_F(BadMedia, BadFileOpenedByAPlayingObjectFailsCleanlyAndTheNextGoodClipPlays) {
    RunObject* object = Create(good, kLogged | PlayAtStart);
    ASSERT_EQ(object->player->PlayState, PlayRunning);
    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.name);
        const std::string path = "C:\\clips\\" + std::string(bad.name);
        ASSERT_TRUE(media::WriteBytes(path, bad.bytes));
        ClearLogLines();
        Action(object, kNewFile, path);
        ExpectFailedOpen(object, bad.renderResult);
        ExpectRecovery(object);
    }
}

} // namespace

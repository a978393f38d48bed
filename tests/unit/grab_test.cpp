// The frame grab through the module's routine lists: actions 36, 37 and 38 and condition 12 on
// a run-time object playing a generated uncompressed AVI, with the host stand-in's surfaces and
// image filters bound by ordinal. Saved files and the clipboard's DIB are decoded and compared
// with the frame the graph showed.
#include "bmp_writer.h"
#include "host/host_image_services.h"
#include "host/hostrt.h"
#include "host_runtime.h"
#include "hostrt_exports.h"
#include "image_filters.h"
#include "player/packed_dib.h"
#include "player/video_player.h"
#include "png_writer.h"
#include "standin/clipboard_control.h"
#include "standin/dshow_control.h"
#include "standin/faults.h"
#include "standin/kernel_control.h"
#include "standin/sandbox.h"
#include "support/image_files.h"
#include "support/log_capture.h"
#include "support/served_picture.h"
#include "support/wide.h"
#include "unit/run_time_fixture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kShownFrame = 6;
const DWORD kPngMagic = 0x474E5089u; // "\x89PNG"

enum : int { kGrabToFile = 36, kGrabToClipboard = 37, kResetClipboard = 38, kGrabCondition = 12 };

long TextParameter(LPCWSTR text) {
    return static_cast<long>(reinterpret_cast<LONG_PTR>(text));
}

std::string SavedFile(LPCWSTR path) {
    std::string bytes;
    return standin::ReadSandboxFile(path, &bytes) ? bytes : std::string();
}

// "BM" for a BMP file, "PNG" for a PNG file, "" for anything else or no file.
std::string FileKind(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return "BM";
    DWORD magic = 0;
    if (bytes.size() >= 4)
        std::memcpy(&magic, bytes.data(), 4);
    return magic == kPngMagic ? "PNG" : "";
}

// Every pixel of the decoded picture against frame `frame` of the generated clip.
void ExpectFramePixels(const DecodedImage& image, const media::AviClip& clip, int frame) {
    ASSERT_EQ(image.width, clip.width);
    ASSERT_EQ(image.height, clip.height);
    int wrong = 0;
    for (int y = 0; y < clip.height; ++y)
        for (int x = 0; x < clip.width; ++x) {
            const media::Rgb p = media::DefaultPixel(frame, x, y);
            const uint32_t expected = (uint32_t(p.r) << 16) | (uint32_t(p.g) << 8) | p.b;
            if (image.At(x, y) != expected && ++wrong <= 3)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                              << image.At(x, y) << ", expected " << expected;
        }
    EXPECT_EQ(wrong, 0);
}

// A run-time object on a generated uncompressed clip, with the host's image services and the
// application's filter manager in place; the log starts empty once the object is made.
class GrabTest : public RunTimeTest {
  protected:
    void SetUp() override {
        RunTimeTest::SetUp();
        OfferImageServices();
        CreateDirectoryW(L"C:\\grabs", nullptr);
    }

    // Stopped on its first frame unless `flags` has PlayAtStart.
    void StartObject(int bitCount = 24, WORD flags = 0) {
        clip = SmallClip(10);
        clip.bitCount = bitCount;
        StartObjectOn(WriteClip("a.avi", clip), flags);
    }

    void StartObjectOn(const std::string& file, WORD flags = 0) {
        object = Create(file, WORD(flags | LogMode), SHORT(clip.width), SHORT(clip.height));
        ASSERT_EQ(createResult, 0);
        ClearLogLines();
    }

    VideoPlayer* Player() { return object->player; }

    void ShowFrame(int frame) {
        Player()->Seek(TIME_FORMAT_FRAME, frame);
        ASSERT_EQ(standin::LastGraph().Position(), frame * 10000000LL / 25);
    }

    long GrabTo(LPCWSTR fileName) {
        return RunTimeTest::Action(object, kGrabToFile, TextParameter(fileName));
    }
    long Act(int code, LPCWSTR fileName = nullptr) {
        return RunTimeTest::Action(object, code, TextParameter(fileName));
    }
    long GrabCondition() { return Condition(object, kGrabCondition); }

    media::AviClip clip;
    RunObject* object = nullptr;
};

const std::vector<std::string> kSavedLines = {"Grab Image exist", "Image saved..."};

// ---- Saving to a file ----

TEST_F(GrabTest, SavedBmpAndPngHoldTheShownFrame) {
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        StartObject(bits);
        ShowFrame(kShownFrame);
        object->lastError = 5;

        EXPECT_EQ(GrabTo(L"C:\\grabs\\frame.bmp"), 0);
        EXPECT_EQ(GrabTo(L"C:\\grabs\\frame.png"), 0);

        DecodedImage image;
        std::string why;
        ASSERT_TRUE(DecodeBmp(SavedFile(L"C:\\grabs\\frame.bmp"), &image, &why)) << why;
        ExpectFramePixels(image, clip, kShownFrame);
        ASSERT_TRUE(DecodePng(SavedFile(L"C:\\grabs\\frame.png"), &image, &why)) << why;
        ExpectFramePixels(image, clip, kShownFrame);
        std::vector<std::string> twice = kSavedLines;
        twice.insert(twice.end(), kSavedLines.begin(), kSavedLines.end());
        EXPECT_EQ(LogLines(), twice);
        EXPECT_EQ(object->lastError, 5); // success does not clear the code
        EXPECT_EQ(object->grabDone, 1);
    }
}

// The extension picks the filter by exact, case-sensitive comparison; anything unmatched, and a
// filter the host cannot use, falls back to the filter listing "bmp".
TEST_F(GrabTest, ExtensionChoosesTheFilterAndBmpIsTheFallback) {
    StartObject();
    struct Case {
        const char16_t* name;
        const char* kind;
    } cases[] = {
        {u"C:\\grabs\\a.png", "PNG"},    {u"C:\\grabs\\a.PNG", "BM"},
        {u"C:\\grabs\\a.dib", "BM"},     {u"C:\\grabs\\noextension", "BM"},
        {u"C:\\grabs\\a.png.gif", "BM"}, {u"C:\\grabs\\a.", "BM"},
    };
    for (const Case& c : cases) {
        LPCWSTR name = reinterpret_cast<LPCWSTR>(c.name);
        SCOPED_TRACE(Utf8(name));
        GrabTo(name);
        EXPECT_EQ(FileKind(SavedFile(name)), c.kind);
    }

    hoststandin::StandardImageFilters().SetUsable(1, false);
    GrabTo(L"C:\\grabs\\unusable.png");
    hoststandin::StandardImageFilters().SetUsable(1, true);
    EXPECT_EQ(FileKind(SavedFile(L"C:\\grabs\\unusable.png")), "BM");
}

// The selector has the last word: a filter it finds unusable is replaced by the BMP filter even
// when the extension search chose it. Here two filters share an identifier: the search skips the
// unusable first one and picks the second, the selector finds the first by that identifier.
TEST_F(GrabTest, FilterTheSelectorRefusesIsReplacedByBmp) {
    StartObject();
    const DWORD kShared = 0x30474E50u;
    hoststandin::ImageFilterManager manager;
    manager.AddFilter(kBmpFilterIdentifier, {"bmp"}, hoststandin::WriteBmp);
    manager.AddFilter(kShared, {"png"}, hoststandin::WritePng, false);
    manager.AddFilter(kShared, {"png"}, hoststandin::WritePng);
    application.imageFilterManager = &manager;
    GrabTo(L"C:\\grabs\\chosen.png");
    EXPECT_EQ(FileKind(SavedFile(L"C:\\grabs\\chosen.png")), "BM");
    EXPECT_EQ(LogLines(), kSavedLines);
}

TEST_F(GrabTest, FailedSaveLogsOnlyTheAttemptAndKeepsTheFlag) {
    StartObject();
    object->grabDone = 1;
    object->lastError = 0;
    GrabTo(L"C:\\missing\\folder\\a.bmp");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Grab Image exist"});
    EXPECT_EQ(object->grabDone, 1);
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(SavedFile(L"C:\\missing\\folder\\a.bmp"), "");

    // No application record: no filter manager to save with.
    object->grabDone = 0;
    host->Header()->application = nullptr;
    ClearLogLines();
    GrabTo(L"C:\\grabs\\a.bmp");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"Grab Image exist"});
    EXPECT_EQ(object->grabDone, 0);
    EXPECT_EQ(SavedFile(L"C:\\grabs\\a.bmp"), "");
}

// ---- Condition 12 ----

TEST_F(GrabTest, ConditionAnswersOnceAfterSavesAndNeverForTheClipboard) {
    StartObject();
    GrabTo(L"C:\\grabs\\1.bmp");
    GrabTo(L"C:\\grabs\\2.bmp");
    object->lastError = 0;
    EXPECT_EQ(GrabCondition(), 1);
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(GrabCondition(), 0);
    EXPECT_EQ(object->lastError, 1);

    object->lastError = 0;
    Act(kGrabToClipboard);
    EXPECT_TRUE(standin::PeekClipboardData(CF_DIB) != nullptr);
    EXPECT_EQ(GrabCondition(), 0);
    EXPECT_EQ(object->lastError, 1);

    // A clipboard grab after a save leaves the save's answer standing.
    GrabTo(L"C:\\grabs\\3.bmp");
    Act(kGrabToClipboard);
    EXPECT_EQ(GrabCondition(), 1);
}

// ---- Graph state around the copy ----

TEST_F(GrabTest, RunningGraphIsPausedForTheCopyAndRunAgain) {
    StartObject(24, PlayAtStart);
    ASSERT_EQ(standin::LastGraph().State(), State_Running);
    const int pauses = standin::CallCount("Pause");
    const int runs = standin::CallCount("Run");
    GrabTo(L"C:\\grabs\\running.bmp");
    EXPECT_EQ(standin::CallCount("Pause"), pauses + 1);
    EXPECT_EQ(standin::CallCount("Run"), runs + 1);
    EXPECT_EQ(standin::LastGraph().State(), State_Running);
    EXPECT_EQ(Player()->PlayState, PlayRunning);
    EXPECT_EQ(FileKind(SavedFile(L"C:\\grabs\\running.bmp")), "BM");
    EXPECT_EQ(object->grabDone, 1);
}

TEST_F(GrabTest, PausedOrStoppedGraphIsLeftAsItIs) {
    StartObject();
    struct Case {
        const char* name;
        int (VideoPlayer::*enter)();
        FILTER_STATE graphState;
        LONG playState;
    } cases[] = {
        {"paused", &VideoPlayer::Pause, State_Paused, PlayPaused},
        // Stop rewinds and leaves the graph paused on the first frame.
        {"stopped", &VideoPlayer::Stop, State_Paused, PlayStopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        (Player()->*c.enter)();
        const int pauses = standin::CallCount("Pause");
        const int runs = standin::CallCount("Run");
        const int stops = standin::CallCount("Stop");
        GrabTo(L"C:\\grabs\\still.bmp");
        Act(kGrabToClipboard);
        EXPECT_EQ(standin::CallCount("Pause"), pauses);
        EXPECT_EQ(standin::CallCount("Run"), runs);
        EXPECT_EQ(standin::CallCount("Stop"), stops);
        EXPECT_EQ(standin::LastGraph().State(), c.graphState);
        EXPECT_EQ(Player()->PlayState, c.playState);
    }
}

// A picture that cannot be had leaves code 32; a graph the grab paused runs on regardless.
TEST_F(GrabTest, NoPictureGivesCode32AndARunningGraphRunsOn) {
    StartObject(24, PlayAtStart);
    struct Case {
        const char* fault;
        int runsAfter; // Run calls the grab makes
    } cases[] = {
        {"Pause", 0},           // the graph cannot be paused for the copy
        {"GetCurrentImage", 1}, // the renderer gives no size
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        for (int action : {kGrabToFile, kGrabToClipboard}) {
            object->lastError = 0;
            standin::InjectFault(c.fault, E_UNEXPECTED);
            const int runs = standin::CallCount("Run");
            ClearLogLines();
            Act(action, L"C:\\grabs\\none.bmp");
            EXPECT_EQ(object->lastError, 32);
            EXPECT_EQ(LogLines(), action == kGrabToFile
                                      ? std::vector<std::string>{"No Image get..."}
                                      : std::vector<std::string>{});
            EXPECT_EQ(standin::CallCount("Run"), runs + c.runsAfter);
            EXPECT_EQ(standin::LastGraph().State(), State_Running);
            standin::ClearFaults();
        }
    }
    EXPECT_EQ(SavedFile(L"C:\\grabs\\none.bmp"), "");
    EXPECT_EQ(standin::PeekClipboardData(CF_DIB), nullptr);
}

TEST_F(GrabTest, SoundOnlyMediaHasNoPictureAndNoNativeSize) {
    ASSERT_TRUE(media::WriteWav("C:\\clips\\sound.wav", media::WavClip()));
    StartObjectOn("C:\\clips\\sound.wav");
    EXPECT_EQ(Player()->GetNativeVideoWidth(), 0);
    EXPECT_EQ(Player()->GetNativeVideoHeight(), 0);
    GrabTo(L"C:\\grabs\\sound.bmp");
    EXPECT_EQ(object->lastError, 32);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"No Image get..."});
}

// ---- Failures before and after the picture ----

TEST_F(GrabTest, MissingNameOrPlayerGivesCode1Silently) {
    StartObject();
    for (LPCWSTR name : {static_cast<LPCWSTR>(nullptr), L""}) {
        object->lastError = 0;
        GrabTo(name);
        EXPECT_EQ(object->lastError, 1);
    }
    VideoPlayer* player = object->player;
    object->player = nullptr;
    for (int action : {kGrabToFile, kGrabToClipboard}) {
        object->lastError = 0;
        Act(action, L"C:\\grabs\\a.bmp");
        EXPECT_EQ(object->lastError, 1);
    }
    object->player = player;
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    EXPECT_EQ(SavedFile(L"C:\\grabs\\a.bmp"), "");
}

// Without a surface prototype for the picture's depth nothing happens and nothing is reported.
TEST_F(GrabTest, NoPrototypeReturnsSilently) {
    StartObject();
    standin::RemoveModuleExport(L"HOSTRT.dll", OrdinalSurfacePrototype);
    ForgetHostRuntime();
    object->lastError = 7;
    object->grabDone = 1;
    const int globals = standin::LiveGlobalBlocks();
    GrabTo(L"C:\\grabs\\a.bmp");
    Act(kGrabToClipboard);
    EXPECT_EQ(object->lastError, 7);
    EXPECT_EQ(object->grabDone, 1);
    EXPECT_EQ(LogLines(), std::vector<std::string>{});
    EXPECT_EQ(SavedFile(L"C:\\grabs\\a.bmp"), "");
    EXPECT_EQ(standin::PeekClipboardData(CF_DIB), nullptr);
    EXPECT_EQ(standin::LiveGlobalBlocks(), globals);
}

// A picture the host cannot load: code 64 and the flag cleared; only the file grab logs. Among
// them a picture that passes the module's block check but that the host refuses: a 16-bit
// bit-field picture whose masks are all zero, which once crashed the host's loader.
TEST_F(GrabTest, PictureTheHostCannotLoadGivesCode64) {
    StartObject();
    std::vector<BYTE> masksZero(40 + 12 + 16, 0);
    const DWORD header[5] = {40, 3, 2, 1 | (16u << 16), 3}; // 3 x 2, 16 bits, BI_BITFIELDS
    std::memcpy(masksZero.data(), header, sizeof header);
    ASSERT_TRUE(PackedDibFitsBlock(masksZero.data(), LONG(masksZero.size())));
    std::unique_ptr<ServedPicture> served;
    struct Case {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"no load service",
         [] {
             standin::RemoveModuleExport(L"HOSTRT.dll", OrdinalSurfaceLoadDib);
             ForgetHostRuntime();
         }},
        // The copy fails after the size query: the block holds no header at all.
        {"copy failed", [] { standin::InjectFault("GetCurrentImage", E_FAIL, 2); }},
        {"bit fields without masks",
         [&] { served.reset(new ServedPicture(Player(), masksZero.data(), masksZero.size())); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int action : {kGrabToFile, kGrabToClipboard}) {
            hoststandin::InstallHostRuntime();
            ForgetHostRuntime();
            c.arrange();
            object->grabDone = 1;
            object->lastError = 0;
            ClearLogLines();
            Act(action, L"C:\\grabs\\bad.bmp");
            EXPECT_EQ(object->lastError, 64);
            EXPECT_EQ(object->grabDone, 0);
            EXPECT_EQ(LogLines(), action == kGrabToFile
                                      ? std::vector<std::string>{"No Image created..."}
                                      : std::vector<std::string>{});
            standin::ClearFaults();
            served.reset();
        }
    }
    EXPECT_EQ(SavedFile(L"C:\\grabs\\bad.bmp"), "");
    EXPECT_EQ(standin::PeekClipboardData(CF_DIB), nullptr);
}

// ---- Clipboard ----

TEST_F(GrabTest, ClipboardReceivesTheFrameAsAMovableDib) {
    StartObject(32);
    ShowFrame(kShownFrame);
    object->lastError = 0;
    EXPECT_EQ(Act(kGrabToClipboard), 0);

    EXPECT_FALSE(standin::ClipboardOpen());
    HANDLE held = standin::PeekClipboardData(CF_DIB);
    ASSERT_TRUE(held != nullptr);
    EXPECT_EQ(standin::GlobalLockCount(held), 0);
    std::string dib;
    ASSERT_TRUE(standin::ClipboardBytes(CF_DIB, &dib));
    DecodedImage image;
    std::string why;
    ASSERT_TRUE(DecodePackedDib(dib, &image, &why)) << why;
    ExpectFramePixels(image, clip, kShownFrame);
    EXPECT_EQ(object->lastError, 0);
    EXPECT_EQ(object->grabDone, 0);

    EXPECT_EQ(Act(kResetClipboard), 0);
    EXPECT_EQ(standin::PeekClipboardData(CF_DIB), nullptr);
    EXPECT_FALSE(standin::ClipboardOpen());
}

// The host's DIB writer may answer a byte count or a flag: the clipboard takes the DIB of the
// size service's byte count whatever the writer answered.
DWORD writerAnswer = 0;
DWORD WINAPI WriterWithItsOwnAnswer(HostSurfaceBlock* surface, void* destination, DWORD reserved1,
                                    DWORD reserved2) {
    HostRtSurfaceWriteDib(surface, destination, reserved1, reserved2);
    return writerAnswer;
}

TEST_F(GrabTest, ClipboardTakesTheDibWhateverTheWriterAnswers) {
    StartObject(24);
    ShowFrame(kShownFrame);
    standin::RegisterModuleExport(
        HOSTRT_LIBRARY_NAME, OrdinalSurfaceWriteDib,
        reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(WriterWithItsOwnAnswer)));
    ForgetHostRuntime();
    for (DWORD answer : {1u, 0u}) {
        SCOPED_TRACE(answer);
        writerAnswer = answer;
        EXPECT_EQ(Act(kResetClipboard), 0);
        const int globals = standin::LiveGlobalBlocks();
        EXPECT_EQ(Act(kGrabToClipboard), 0);
        std::string dib;
        ASSERT_TRUE(standin::ClipboardBytes(CF_DIB, &dib));
        DecodedImage image;
        std::string why;
        ASSERT_TRUE(DecodePackedDib(dib, &image, &why)) << why;
        ExpectFramePixels(image, clip, kShownFrame);
        EXPECT_EQ(standin::LiveGlobalBlocks(), globals + 1); // the clipboard's block only
    }
    EXPECT_EQ(Act(kResetClipboard), 0);
    ForgetHostRuntime();
}

// Every failure of the hand-over closes the clipboard and leaks no memory; a busy clipboard is
// not touched at all.
TEST_F(GrabTest, ClipboardFailuresLeaveNothingBehind) {
    StartObject();
    struct Case {
        const char* fault;
        long code;
        bool emptied;
    } cases[] = {
        {"OpenClipboard", ERROR_ACCESS_DENIED, false},
        {"GlobalAlloc", ERROR_NOT_ENOUGH_MEMORY, true},
        {"GlobalLock", ERROR_INVALID_HANDLE, true},
        {"SetClipboardData", ERROR_ACCESS_DENIED, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const int globals = standin::LiveGlobalBlocks();
        const int empties = standin::ClipboardEmptyCount();
        object->lastError = 0;
        standin::InjectFault(c.fault, c.code);
        Act(kGrabToClipboard);
        standin::ClearFaults();
        EXPECT_FALSE(standin::ClipboardOpen());
        EXPECT_EQ(standin::PeekClipboardData(CF_DIB), nullptr);
        EXPECT_EQ(standin::ClipboardEmptyCount(), empties + (c.emptied ? 1 : 0));
        EXPECT_EQ(standin::LiveGlobalBlocks(), globals);
        EXPECT_EQ(object->lastError, 0);
    }

    standin::InjectFault("OpenClipboard", ERROR_ACCESS_DENIED);
    const int empties = standin::ClipboardEmptyCount();
    EXPECT_EQ(Act(kResetClipboard), 0);
    EXPECT_EQ(standin::ClipboardEmptyCount(), empties);
}

// ---- The header check that keeps the host's load inside the picture's block ----

std::vector<BYTE> DibHeader(LONG width, LONG height, WORD bits, DWORD compression = 0,
                            DWORD imageBytes = 0, DWORD coloursUsed = 0, DWORD headerBytes = 40) {
    std::vector<BYTE> header(40, 0);
    auto put32 = [&](size_t at, DWORD v) { std::memcpy(&header[at], &v, 4); };
    put32(0, headerBytes);
    put32(4, DWORD(width));
    put32(8, DWORD(height));
    header[12] = 1;
    std::memcpy(&header[14], &bits, 2);
    put32(16, compression);
    put32(20, imageBytes);
    put32(32, coloursUsed);
    return header;
}

TEST(PackedDibBlock, HeaderClaimsMustLieInsideTheBlock) {
    struct Case {
        const char* name;
        std::vector<BYTE> header;
        LONG exactBytes; // the smallest block that holds everything claimed; 0: never fits
    } cases[] = {
        {"24 bits, rows padded", DibHeader(5, 3, 24), 40 + 16 * 3},
        {"top-down", DibHeader(5, -3, 24), 40 + 16 * 3},
        {"32 bits", DibHeader(4, 2, 32), 40 + 32},
        {"8 bits, full colour table", DibHeader(4, 2, 8), 40 + 1024 + 8},
        {"8 bits, 16 colours used", DibHeader(4, 2, 8, 0, 0, 16), 40 + 64 + 8},
        {"16-bit bit fields", DibHeader(2, 2, 16, 3), 40 + 12 + 8},
        {"image size beyond the rows", DibHeader(4, 2, 32, 0, 100), 40 + 100},
        {"compressed with its size", DibHeader(4, 2, 24, 0x32595559, 20), 60},
        {"compressed without a size", DibHeader(4, 2, 24, 0x32595559), 0},
        {"zero width", DibHeader(0, 2, 24), 0},
        {"negative width", DibHeader(-4, 2, 24), 0},
        {"zero height", DibHeader(4, 0, 24), 0},
        {"zero bits", DibHeader(4, 2, 0), 0},
        {"header size below 40", DibHeader(4, 2, 24, 0, 0, 0, 12), 0},
        {"most negative height", DibHeader(4, LONG_MIN, 24), 0},
        {"huge sides", DibHeader(LONG_MAX, LONG_MAX, 32), 0},
        {"huge colour count", DibHeader(1, 1, 8, 0, 0, 0xFFFFFFFFu), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> block = c.header;
        block.resize(block.size() + 70000, 0);
        const BYTE* dib = block.data();
        if (c.exactBytes == 0) {
            EXPECT_FALSE(PackedDibFitsBlock(dib, LONG(block.size())));
            continue;
        }
        EXPECT_TRUE(PackedDibFitsBlock(dib, c.exactBytes));
        EXPECT_FALSE(PackedDibFitsBlock(dib, c.exactBytes - 1));
    }
    std::vector<BYTE> header = DibHeader(1, 1, 24);
    EXPECT_FALSE(PackedDibFitsBlock(header.data(), 39));
    EXPECT_FALSE(PackedDibFitsBlock(nullptr, 100));
    EXPECT_EQ(PackedDibBitCount(header.data(), 40), 24);
    EXPECT_EQ(PackedDibBitCount(header.data(), 39), 0);
}

} // namespace

// VideoPlayer: building and tearing down the graph, codec search, window sizing, the open-file
// dialog.
#include "diag/text.h"
#include "player/indeo_requests.h"
#include "standin/faults.h"
#include "standin/open_file_dialog.h"
#include "unit/player_fixture.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Hex(const void* pointer) {
    char text[32];
    std::snprintf(text, sizeof text, "%x", (unsigned)(UINT_PTR)pointer);
    return text;
}

const char* const Indeo4Failure =
    "FAILED(hr=0x80004002) in pFilter->QueryInterface(IID_II6vxDecoder, &m_pIndio)\n";
const char* const Indeo5Failure =
    "FAILED(hr=0x80004002) in pFilter->QueryInterface(IID_IIndeoDecode, &m_pIndeo)\n";
const char* const DivxFailure =
    "FAILED(hr=0x80004002) in pFilter->QueryInterface(IID_IDivXFilterInterface, &m_pDivx)\n";

// The "FAILED(hr=...) in ..." lines among `lines`, in order.
std::vector<std::string> FailureLines(const std::vector<std::string>& lines) {
    std::vector<std::string> failures;
    for (const std::string& line : lines)
        if (line.compare(0, 7, "FAILED(") == 0)
            failures.push_back(line);
    return failures;
}

// `lines` without one occurrence of each line of `known`.
std::vector<std::string> Without(std::vector<std::string> lines,
                                 const std::vector<std::string>& known) {
    for (const std::string& line : known) {
        auto found = std::find(lines.begin(), lines.end(), line);
        if (found != lines.end())
            lines.erase(found);
    }
    return lines;
}

} // namespace

TEST_F(PlayerTest, OpeningAVideoClipWritesEveryStepAndLeavesItStoppedAtTheStart) {
    ASSERT_EQ(Open(Avi(Clip(10))), 0);

    EXPECT_EQ(player->MediaStatus, MediaAtStart);
    EXPECT_EQ(player->PlayState, PlayStopped);
    EXPECT_EQ(player->NoVideo, 0u);
    EXPECT_EQ(player->LastError, 0u);
    EXPECT_EQ(player->TotalFrames, 10);
    EXPECT_EQ(player->TotalMilliseconds, 400);
    EXPECT_EQ(player->Rate, 1.0);
    EXPECT_TRUE(player->pFS != NULL);
    EXPECT_TRUE(player->pBF != NULL);

    standin::GraphView graph = standin::LastGraph();
    EXPECT_EQ(graph.Owner(), (OAHWND)host);
    EXPECT_EQ(graph.MessageDrain(), (OAHWND)host);
    EXPECT_EQ(graph.WindowStyle(), 0x46000000);
    EXPECT_EQ(graph.NotifyWindow(), host);
    EXPECT_EQ(graph.NotifyMessage(), 0x040D);
    EXPECT_EQ(graph.WindowStyleEx() & WS_EX_LAYERED, WS_EX_LAYERED);
    // Parked at (1600, 1600) and sized to 320 x 240 plus the 3-D edges (2 pixels each side).
    RECT rect = HostRect();
    EXPECT_EQ(rect.left, 1600);
    EXPECT_EQ(rect.top, 1600);
    EXPECT_EQ(rect.right - rect.left, 324);
    EXPECT_EQ(rect.bottom - rect.top, 244);

    std::vector<std::string> expected = {
        "About to RELEASE", "All FILTERS RELEASED", "Initializing Video in Window!",
        "GraphBuilder requested!", "Video Filename! C:\\clips\\clip.avi", "About to Render!",
        "Creating MediaControls", "Querying for Video/Basic!", "Querying for Audio",
        "About to Notify the Window", "Checking Video Render Filter",
        // source and renderer, three passes
        Indeo4Failure, Indeo4Failure, Indeo5Failure, Indeo5Failure, DivxFailure, DivxFailure,
        "Put Video color", "Move Video", "MovieVideoWindow VW= 0x" + Hex(player->pVW),
        "Size information( 0, 0, 324, 244)", "Update", "Get Rate"};
    EXPECT_EQ(LogLines(), expected);
}

TEST_F(PlayerTest, SoundOnlyMediaTakesTheNoVideoPathAndShrinksTheWindowInPlace) {
    ASSERT_EQ(Open(Wav()), 0);

    EXPECT_EQ(player->NoVideo, 1u);
    EXPECT_TRUE(player->pVW != NULL);
    EXPECT_TRUE(player->pBV != NULL);
    EXPECT_TRUE(player->pBF == NULL);
    EXPECT_TRUE(player->pFS == NULL);
    EXPECT_EQ(player->TotalMilliseconds, 1000);
    EXPECT_EQ(standin::LastGraph().Owner(), (OAHWND)0);
    RECT rect = HostRect();
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right - rect.left, 32);
    EXPECT_EQ(rect.bottom - rect.top, 32);

    std::vector<std::string> lines = LogLines();
    EXPECT_TRUE(Contains(lines, "FAILED(hr=0x80004002) in pVW->get_Visible(&lVisible)\n"));
    EXPECT_TRUE(Contains(lines, "Video Codec not supported hr=80004002"));
    EXPECT_FALSE(Contains(lines, "Checking Video Render Filter"));
    EXPECT_EQ(CountOf(lines, Indeo4Failure), 0);
}

TEST_F(PlayerTest, CodecSearchLogsOneLinePerFilterTriedBeforeTheDecoder) {
    // Indeo 5 with sound: source, decoder, video renderer, sound renderer.
    ASSERT_EQ(Open(Avi(Clip(10, "IV50", true))), 0);
    std::vector<std::string> lines = LogLines();
    EXPECT_EQ(CountOf(lines, Indeo4Failure), 4);
    EXPECT_EQ(CountOf(lines, Indeo5Failure), 1);
    EXPECT_EQ(CountOf(lines, DivxFailure), 4);
    EXPECT_TRUE(player->m_pIndio == NULL);
    EXPECT_TRUE(player->m_pIndeo != NULL);
    EXPECT_EQ(player->CodecKind(), 1);

    // DivX as the second filter: its pass stops after the source's line.
    ASSERT_EQ(Open(Avi(Clip(10, "DIVX"), "divx.avi")), 0);
    lines = LogLines();
    EXPECT_EQ(CountOf(lines, DivxFailure), 4 + 1);
    EXPECT_EQ(player->CodecKind(), 2);
    EXPECT_TRUE(player->m_pIndeo == NULL);

    ASSERT_EQ(Open(Avi(Clip(10, "IV41"), "indeo4.avi")), 0);
    EXPECT_EQ(player->CodecKind(), 3);

    player->CloseMedia();
    EXPECT_EQ(player->CodecKind(), 0);
    EXPECT_EQ(standin::OutstandingReferences(), 0);
    EXPECT_EQ(standin::LiveGraphs(), 0);
}

TEST_F(PlayerTest, CodecKindPrefersIndeo4ThenDivxThenIndeo5) {
    // Only the presence of the pointers counts; they are emptied before anything uses them.
    player->m_pIndio = reinterpret_cast<II6vxDecoder*>(8);
    player->m_pDivx = reinterpret_cast<IDivXFilterInterface*>(8);
    player->m_pIndeo = reinterpret_cast<IIndeoDecode*>(8);
    EXPECT_EQ(player->CodecKind(), 3);
    player->m_pIndio = NULL;
    EXPECT_EQ(player->CodecKind(), 2);
    player->m_pDivx = NULL;
    player->m_pIndeo = NULL;
}

TEST_F(PlayerTest, AFailingBuildStepIsLoggedAndTheOpenFailsAndClosesTheMedia) {
    struct Case {
        const char* fault;
        HRESULT code;
        std::string line;
    } cases[] = {
        {"CoCreateInstance", E_OUTOFMEMORY,
         "FAILED(hr=0x8007000e) in CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, "
         "IID_IGraphBuilder, (void **)&pGB)\n"},
        {"RenderFile", E_FAIL, "FAILED(hr=0x80004005) in pGB->RenderFile(wFile, NULL)\n"},
        {"QueryInterface:IMediaControl", E_NOINTERFACE,
         "FAILED(hr=0x80004002) in pGB->QueryInterface(IID_IMediaControl, (void **)&pMC)\n"},
        {"QueryInterface:IMediaEventEx", E_NOINTERFACE,
         "FAILED(hr=0x80004002) in pGB->QueryInterface(IID_IMediaEventEx, (void **)&pME)\n"},
        {"QueryInterface:IMediaSeeking", E_NOINTERFACE,
         "FAILED(hr=0x80004002) in pGB->QueryInterface(IID_IMediaSeeking, (void **)&pMS)\n"},
        {"QueryInterface:IMediaPosition", E_NOINTERFACE,
         "FAILED(hr=0x80004002) in pGB->QueryInterface(IID_IMediaPosition, (void **)&pMP)\n"},
        {"QueryInterface:IVideoWindow", E_NOINTERFACE,
         "FAILED(hr=0x80004002) in pGB->QueryInterface(IID_IVideoWindow, (void **)&pVW)\n"},
        {"QueryInterface:IBasicVideo", E_NOINTERFACE,
         "FAILED(hr=0x80004002) in pGB->QueryInterface(IID_IBasicVideo, (void **)&pBV)\n"},
        {"SetNotifyWindow", E_FAIL,
         "FAILED(hr=0x80004005) in pME->SetNotifyWindow((OAHWND)vidHWnd, WM_GRAPHNOTIFY, 0)\n"},
    };
    std::u16string path = Avi(Clip(10));
    for (const Case& c : cases) {
        ClearLogLines();
        standin::InjectFault(c.fault, c.code);
        player->LastError = 0;
        EXPECT_EQ(Open(path), -1) << c.fault;
        EXPECT_EQ(player->LastError, 4u) << c.fault;
        EXPECT_EQ(player->MediaStatus, MediaClosed) << c.fault;
        EXPECT_EQ(player->NoVideo, 1u) << c.fault;
        EXPECT_TRUE(Contains(LogLines(), c.line)) << c.fault;
        EXPECT_EQ(standin::LiveGraphs(), 0) << c.fault;
        standin::ClearFaults();
    }
}

// The set-up after the graph is built: each failing call writes its line and the open goes on
// (SetWindowForeground's result is the build's result, so that failure fails the open). The
// "InitPlayerWindow(vidHWnd)" line of the sound-only path cannot be reached: InitPlayerWindow
// always answers 0.
TEST_F(PlayerTest, AFailingSetUpStepIsLoggedWithItsLine) {
    const struct {
        const char* fault;
        int nth;
        int opened;
        std::vector<std::string> lines;
    } cases[] = {
        {"FindFilterByName",
         1,
         0,
         {"FAILED(hr=0x80004005) in pGB->FindFilterByName(L\"Video Renderer\", &pBF)\n"}},
        {"put_Owner", 1, 0, {"FAILED(hr=0x80004005) in pVW->put_Owner((OAHWND)vidHWnd)\n"}},
        {"put_WindowStyle",
         1,
         0,
         {"FAILED(hr=0x80004005) in pVW->put_WindowStyle(WS_CHILD|WS_CLIPSIBLINGS|WS_CLIPCHILDREN)"
          "\n"}},
        {"put_MessageDrain",
         1,
         0,
         {"FAILED(hr=0x80004005) in pVW->put_MessageDrain((OAHWND)vidHWnd)\n"}},
        // InitVideoWindow's placement, then InitVideoWindow's own result.
        {"SetWindowPosition",
         1,
         0,
         {"FAILED(hr=0x80004005) in pVW->SetWindowPosition(rect.left, rect.top, rect.right, "
          "rect.bottom)\n",
          "FAILED(hr=0x80004005) in InitVideoWindow( 1, 1)\n"}},
        {"SetWindowForeground", 1, -1, {"FAILED(hr=0x80004005) in pVW->SetWindowForeground(-1)\n"}},
        {"put_BorderColor",
         1,
         0,
         {"FAILED(hr=0x80004005) in pVW->put_BorderColor((long) BkColor)\n"}},
        // ResizeVideoWindow's placement.
        {"SetWindowPosition",
         2,
         0,
         {"FAILED(hr=0x80004005) in pVW->SetWindowPosition(vidRC.left, vidRC.top, vidRC.right, "
          "vidRC.bottom)\n"}},
        {"get_Rate", 1, 0, {"FAILED(hr=0x80004005) in pMP->get_Rate(&dRate)\n"}},
    };
    std::u16string path = Avi(Clip(10));
    ASSERT_EQ(Open(path), 0);
    // The codec search's lines, written on every open of this clip.
    const std::vector<std::string> usual = FailureLines(LogLines());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fault) + " #" + std::to_string(c.nth));
        player->CloseMedia(); // the next open then makes no teardown call
        standin::ClearFaults();
        ClearLogLines();
        standin::InjectFault(c.fault, E_FAIL, c.nth);
        EXPECT_EQ(Open(path), c.opened);
        EXPECT_EQ(Without(FailureLines(LogLines()), usual), c.lines);
    }
    standin::ClearFaults();
    player->CloseMedia();
    ClearLogLines();
    standin::InjectFault("FindFilterByName", E_FAIL);
    ASSERT_EQ(Open(path), 0);
    EXPECT_TRUE(player->pBF == NULL);
}

// Tearing the graph down: each failing call writes its line and the release goes on.
TEST_F(PlayerTest, AFailingTearDownStepIsLoggedAndEverythingIsStillReleased) {
    const struct {
        const char* fault;
        int nth; // CloseMedia hides the video window once before the release does
        std::string line;
    } cases[] = {
        {"put_Visible", 2, "FAILED(hr=0x80004005) in pVW->put_Visible(OAFALSE)\n"},
        {"put_Owner", 1, "FAILED(hr=0x80004005) in pVW->put_Owner(NULL)\n"},
        {"SetNotifyWindow", 1,
         "FAILED(hr=0x80004005) in pME->SetNotifyWindow((OAHWND)NULL, 0, 0)\n"},
    };
    std::u16string path = Avi(Clip(10));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        OpenQuietly(path);
        standin::InjectFault(c.fault, E_FAIL, c.nth);
        EXPECT_EQ(player->CloseMedia(), 0);
        standin::ClearFaults();
        EXPECT_EQ(FailureLines(LogLines()), std::vector<std::string>{c.line});
        EXPECT_TRUE(Contains(LogLines(), "All FILTERS RELEASED"));
        EXPECT_EQ(standin::LiveGraphs(), 0);
        EXPECT_EQ(standin::OutstandingReferences(), 0);
    }
}

TEST_F(PlayerTest, FilterListFailureCountsAsOpenedButSkipsTheTail) {
    standin::InjectFault("EnumFilters", E_FAIL);
    player->LastError = 7;
    EXPECT_EQ(Open(Avi(Clip(10))), 0);
    EXPECT_EQ(player->LastError, 7u);
    EXPECT_FALSE(Contains(LogLines(), "Put Video color"));
    EXPECT_EQ(player->TotalFrames, 10);
}

TEST_F(PlayerTest, AVideoCheckFailureOtherThanNoInterfaceStillCountsAsVideo) {
    standin::InjectFault("get_Visible", E_FAIL);
    ASSERT_EQ(Open(Avi(Clip(10))), 0);
    EXPECT_EQ(player->NoVideo, 0u);
    EXPECT_TRUE(Contains(LogLines(), "FAILED(hr=0x80004005) in pVW->get_Visible(&lVisible)\n"));
    EXPECT_TRUE(Contains(LogLines(), "Video Codec not supported hr=80004005"));
}

TEST_F(PlayerTest, BuildingWithoutAFileNameKeepsTheGraphUntilReleased) {
    player->SetMediaFile(L"");
    EXPECT_EQ(player->BuildGraph(host), (HRESULT)0x80070002);
    EXPECT_TRUE(Contains(LogLines(), "FAILED(hr=0x80070002) in pGB->RenderFile(wFile, NULL)\n"));
    EXPECT_TRUE(player->pGB != NULL);
    EXPECT_EQ(standin::LiveGraphs(), 1);

    // A second build releases the half-built graph instead of overwriting it.
    EXPECT_EQ(player->BuildGraph(host), (HRESULT)0x80070002);
    EXPECT_EQ(standin::LiveGraphs(), 1);
    player->ReleaseGraph();
    EXPECT_EQ(standin::LiveGraphs(), 0);
    EXPECT_EQ(standin::OutstandingReferences(), 0);
}

TEST_F(PlayerTest, ReleaseAndCloseOnAClosedPlayer) {
    player->ReleaseGraph();
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"About to RELEASE", "All FILTERS RELEASED"}));

    EXPECT_EQ(player->CloseMedia(), 0);
    EXPECT_EQ(player->NoVideo, 1u);
    EXPECT_EQ(player->MediaStatus, MediaClosed);
    EXPECT_EQ(player->PlayState, PlayIdleAtStart);
    standin::WindowInfo info = standin::InspectWindow(host);
    EXPECT_FALSE(info.visible);
    EXPECT_EQ(info.rect.right - info.rect.left, 32);
    EXPECT_EQ(info.rect.bottom - info.rect.top, 32);
}

TEST_F(PlayerTest, NothingStaysReferencedAfterPlayingAndClosing) {
    ASSERT_EQ(Open(Avi(Clip(20, "IV50", true))), 0);
    player->Play();
    player->SetVolume(80);
    player->GetAverageFrameRate();
    player->GetAverageFrameRate();
    player->CloseMedia();
    EXPECT_EQ(standin::LiveGraphs(), 0);
    EXPECT_EQ(standin::OutstandingReferences(), 0);
}

TEST_F(PlayerTest, OpeningAnotherFileReplacesTheGraph) {
    ASSERT_EQ(Open(Avi(SmallClip(50))), 0);
    ASSERT_EQ(Open(Wav()), 0);
    EXPECT_EQ(standin::LiveGraphs(), 1);
    EXPECT_EQ(player->NoVideo, 1u);
    // The sound has no frame count: the video's 50 frames do not survive it.
    EXPECT_EQ(player->TotalFrames, 0);
    EXPECT_EQ(player->TotalMilliseconds, 1000);
}

TEST_F(PlayerTest, OverlongNamesAreRefusedNotCut) {
    ASSERT_EQ(Open(Avi(Clip(10))), 0);
    std::u16string longName = u"C:\\" + std::u16string(300, u'a');
    EXPECT_EQ(Open(longName), -1);
    EXPECT_EQ(player->LastError, 4u);
    EXPECT_EQ(U16(player->MediaFile), u"C:\\clips\\clip.avi");
    EXPECT_TRUE(player->pGB != NULL); // the open media is untouched

    player->SetMediaFile(reinterpret_cast<LPCWSTR>(longName.c_str()));
    EXPECT_EQ(U16(player->MediaFile), u"");
}

TEST_F(PlayerTest, InitVideoWindowSizesTheHostWindowToTheScaledPicture) {
    OpenQuietly(Avi(Clip(10)));
    EXPECT_EQ(player->InitVideoWindow(2, 1), S_OK);
    RECT rect = HostRect();
    EXPECT_EQ(rect.left, 1600);
    EXPECT_EQ(rect.top, 1600);
    EXPECT_EQ(rect.right - rect.left, 644);
    EXPECT_EQ(rect.bottom - rect.top, 484);
    RECT placed = standin::LastGraph().WindowPosition();
    EXPECT_EQ(placed.right, 644);
    EXPECT_EQ(placed.bottom, 484);

    // No divisor, or no picture size: the host window keeps its size.
    EXPECT_EQ(player->InitVideoWindow(1, 0), E_INVALIDARG);
    standin::InjectFault("GetVideoSize", E_FAIL);
    EXPECT_EQ(player->InitVideoWindow(1, 1), S_OK);
    rect = HostRect();
    EXPECT_EQ(rect.right - rect.left, 644);
    EXPECT_TRUE(
        Contains(LogLines(), "FAILED(hr=0x80004005) in pBV->GetVideoSize(&lWidth, &lHeight)\n"));

    VideoPlayer closed(host);
    EXPECT_EQ(closed.InitVideoWindow(2, 1), 1);
    EXPECT_EQ(closed.ResizeVideoWindow(), 1);
}

TEST_F(PlayerTest, BuildingRewritesTheIndeoRequestHeadersOnly) {
    IndeoFrameRequest.requestKind = 9;
    IndeoFrameRequest.fieldMask = 0x1234;
    IndeoSequenceRequest.accessKey = 77;
    ASSERT_EQ(Open(Avi(Clip(10))), 0);
    const BYTE* frame = reinterpret_cast<const BYTE*>(&IndeoFrameRequest);
    const BYTE header[] = {124, 0, 0, 0, 'I', 'V', '5', '0', 5, 0, 1, 0};
    EXPECT_EQ(std::vector<BYTE>(frame, frame + 12), std::vector<BYTE>(header, header + 12));
    EXPECT_EQ(IndeoFrameRequest.requestKind, 9u);
    EXPECT_EQ(IndeoFrameRequest.headerWord, 2u);
    EXPECT_EQ(IndeoFrameRequest.fieldMask, 0u);
    EXPECT_EQ(IndeoSequenceRequest.size, 44u);
    EXPECT_EQ(IndeoSequenceRequest.codecCode, IndeoFrameRequest.codecCode);
    EXPECT_EQ(IndeoSequenceRequest.accessKey, 77);
}

TEST_F(PlayerTest, ChooseFileShowsTheMediaDialogAndFillsTheCallersBuffer) {
    WCHAR buffer[260];
    TextCopy(buffer, 260, L"old");
    standin::ScriptOpenFileCancel();
    EXPECT_EQ(player->ChooseFile(buffer, frame), 0);
    EXPECT_EQ(U16(buffer), u"");

    standin::ScriptOpenFileChoice(u"C:\\clips\\chosen.avi");
    EXPECT_NE(player->ChooseFile(buffer, frame), 0);
    EXPECT_EQ(U16(buffer), u"C:\\clips\\chosen.avi");

    const std::vector<standin::OpenFileDialogRecord>& shown = standin::OpenFileDialogs();
    ASSERT_EQ(shown.size(), 2u);
    const standin::OpenFileDialogRecord& dialog = shown[1];
    EXPECT_EQ(dialog.structSize, 88u);
    EXPECT_EQ(dialog.owner, frame);
    EXPECT_EQ(dialog.filterIndex, 1u);
    EXPECT_EQ(dialog.maxFile, 260u);
    EXPECT_EQ(dialog.fileOnEntry, u"");
    EXPECT_EQ(dialog.fileTitleText, u"Video Filename");
    EXPECT_EQ(dialog.maxFileTitle, 0u);
    EXPECT_EQ(dialog.title, u"Media");
    EXPECT_EQ(dialog.defaultExtension, u"*");
    EXPECT_EQ(dialog.flags, 0x1800u);
    // The root directory only on the first dialog of the module's life.
    EXPECT_FALSE(dialog.hasInitialDir);
    ASSERT_EQ(dialog.filter.size(), 12u);
    EXPECT_EQ(dialog.filter[0],
              u"Video Files (*.avi; *.qt; *.mov; *.mpg; *.mpeg; *.m1v; *.dat; *.mp4)");
    EXPECT_EQ(dialog.filter[3], u"*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; *.snd");
    EXPECT_EQ(dialog.filter[8], u"Image Files (*.jpg, *.bmp, *.gif, *.tga)");
    EXPECT_EQ(dialog.filter[11], u"*.*;");
}

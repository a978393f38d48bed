// Building the filter graph for one media file and deciding what it holds.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "diag/text.h"
#include "player/com_release.h"
#include "player/indeo_requests.h"
#include "player/platform_quirks.h"

namespace {

const LONG VideoWindowStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// Copies a path into a MediaFile-sized field. A null path counts as empty; a path that does not
// fit is refused (the field ends empty) rather than cut into the name of another file.
bool CopyMediaPath(WCHAR (&field)[MediaFileCapacity], LPCWSTR path) {
    field[0] = 0;
    if (!path)
        return true;
    if (TextLengthBounded(path, MediaFileCapacity) >= (size_t)MediaFileCapacity) {
        LogEvent(ModuleLog(), L"Media file name longer than %d characters refused",
                 MediaFileCapacity - 1);
        return false;
    }
    TextCopy(field, MediaFileCapacity, path);
    return true;
}

} // namespace

VideoPlayer::VideoPlayer(HWND hostWindow)
    : vidHWnd(hostWindow), m_pIndeo(0), m_pIndio(0), m_pDivx(0), pGB(0), pMC(0), pME(0), pMP(0),
      pVW(0), pBA(0), pBV(0), pMS(0), pQP(0), pFS(0), pBF(0), FullScreenMode(0), BkColor(0),
      NoVideo(0), ExStyle(0), MediaStatus(MediaClosed), PlayState(PlayIdleAtStart),
      IndeoAccessKey(0), AltLine(0), IndeoContrast(0), IndeoBrightness(0), IndeoSaturation(0),
      DivxContrast(0), DivxBrightness(0), DivxSaturation(0), Rate(0.0), LastError(0),
      StopPosition(0), TotalFrames(0), TotalMilliseconds(0), FullScreenActive(0),
      derivedFrameSeconds(0.0) {
    // The fields that operations fill later start zeroed too, so nothing reads an
    // indeterminate value before its operation has run.
    MediaFile[0] = 0;
    IndioPassword[0] = 0;
    vidRC.left = vidRC.top = vidRC.right = vidRC.bottom = 0;
    destinationBeforeFullScreen = vidRC;
}

VideoPlayer::~VideoPlayer() {}

void VideoPlayer::SetMediaFile(LPCWSTR path) {
    CopyMediaPath(MediaFile, path);
}

int VideoPlayer::OpenFile(LPCWSTR path, HWND ownerWindow) {
    WCHAR checked[MediaFileCapacity];
    if (!CopyMediaPath(checked, path)) {
        // Refused before anything changes: the media already open stays as it is.
        LastError = 4;
        return -1;
    }
    TextCopy(MediaFile, MediaFileCapacity, checked);
    // The lengths of the previous media never outlive it, even when the new one has none.
    TotalFrames = 0;
    TotalMilliseconds = 0;
    PlayState = PlayStopped;
    MediaStatus = MediaAtStart;
    ReleaseGraph();

    HRESULT hr = BuildGraph(ownerWindow);
    if (FAILED(hr)) {
        CloseMedia();
        LastError = 4;
        return -1;
    }
    if (pMC)
        pMC->Stop();
    QueryDuration(TIME_FORMAT_FRAME);
    QueryDuration(TIME_FORMAT_MEDIA_TIME);
    return 0;
}

bool VideoPlayer::HoldsGraph() const {
    return pGB || pMC || pME || pMP || pVW || pBA || pBV || pMS || pQP || pFS || pBF || m_pIndeo ||
           m_pIndio || m_pDivx;
}

HRESULT VideoPlayer::BuildGraph(HWND hostWindow) {
    // A second build without a release in between would overwrite held references.
    if (HoldsGraph())
        ReleaseGraph();

    ResetIndeoRequestHeaders();

    LogEvent(ModuleLog(), L"Initializing Video in Window!");
    HWND parent = GetParent(hostWindow);
    if (parent)
        UpdateWindow(parent);
    LogEvent(ModuleLog(), L"GraphBuilder requested!");

    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  (void**)&pGB);
    if (FAILED(hr)) {
        pGB = 0;
        LogFailure(hr, L"CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, "
                       L"IID_IGraphBuilder, (void **)&pGB)");
        return hr;
    }

    WCHAR wFile[MediaFileCapacity];
    MediaFile[MediaFileCapacity - 1] = 0;
    TextCopy(wFile, MediaFileCapacity, MediaFile);
    LogEvent(ModuleLog(), L"Video Filename! %s", MediaFile);
    LogEvent(ModuleLog(), L"About to Render!");

    IBaseFilter* pictureRenderer = AddPictureRenderer(pGB);
    hr = pGB->RenderFile(wFile, NULL);
    KeepPictureRendererIfConnected(pGB, pictureRenderer);
    if (FAILED(hr)) {
        LogFailure(hr, L"pGB->RenderFile(wFile, NULL)");
        return hr;
    }

    LogEvent(ModuleLog(), L"Creating MediaControls");
    hr = pGB->QueryInterface(IID_IMediaControl, (void**)&pMC);
    if (FAILED(hr)) {
        pMC = 0;
        LogFailure(hr, L"pGB->QueryInterface(IID_IMediaControl, (void **)&pMC)");
        return hr;
    }
    hr = pGB->QueryInterface(IID_IMediaEventEx, (void**)&pME);
    if (FAILED(hr)) {
        pME = 0;
        LogFailure(hr, L"pGB->QueryInterface(IID_IMediaEventEx, (void **)&pME)");
        return hr;
    }
    hr = pGB->QueryInterface(IID_IMediaSeeking, (void**)&pMS);
    if (FAILED(hr)) {
        pMS = 0;
        LogFailure(hr, L"pGB->QueryInterface(IID_IMediaSeeking, (void **)&pMS)");
        return hr;
    }
    hr = pGB->QueryInterface(IID_IMediaPosition, (void**)&pMP);
    if (FAILED(hr)) {
        pMP = 0;
        LogFailure(hr, L"pGB->QueryInterface(IID_IMediaPosition, (void **)&pMP)");
        return hr;
    }
    LogEvent(ModuleLog(), L"Querying for Video/Basic!");
    hr = pGB->QueryInterface(IID_IVideoWindow, (void**)&pVW);
    if (FAILED(hr)) {
        pVW = 0;
        LogFailure(hr, L"pGB->QueryInterface(IID_IVideoWindow, (void **)&pVW)");
        return hr;
    }
    hr = pGB->QueryInterface(IID_IBasicVideo, (void**)&pBV);
    if (FAILED(hr)) {
        pBV = 0;
        LogFailure(hr, L"pGB->QueryInterface(IID_IBasicVideo, (void **)&pBV)");
        return hr;
    }

    LogEvent(ModuleLog(), L"Querying for Audio");
    DetectVideo();
    LogEvent(ModuleLog(), L"About to Notify the Window");

    hr = pME->SetNotifyWindow((OAHWND)hostWindow, WM_GRAPHNOTIFY, 0);
    if (FAILED(hr)) {
        LogFailure(hr, L"pME->SetNotifyWindow((OAHWND)vidHWnd, WM_GRAPHNOTIFY, 0)");
        return hr;
    }

    if (!NoVideo) {
        LogEvent(ModuleLog(), L"Checking Video Render Filter");
        HRESULT step = pGB->FindFilterByName(L"Video Renderer", &pBF);
        if (FAILED(step)) {
            LogFailure(step, L"pGB->FindFilterByName(L\"Video Renderer\", &pBF)");
            pBF = 0;
        }
        step = pVW->put_Owner((OAHWND)hostWindow);
        LogIfFailed(step, L"pVW->put_Owner((OAHWND)vidHWnd)");
        step = pVW->put_WindowStyle(VideoWindowStyle);
        LogIfFailed(step, L"pVW->put_WindowStyle(WS_CHILD|WS_CLIPSIBLINGS|WS_CLIPCHILDREN)");
        step = pVW->put_MessageDrain((OAHWND)hostWindow);
        LogIfFailed(step, L"pVW->put_MessageDrain((OAHWND)vidHWnd)");
        InitFrameStep();
        FullScreenMode = 0;
    }

    if (NoVideo) {
        hr = InitPlayerWindow(hostWindow);
        LogIfFailed(hr, L"InitPlayerWindow(vidHWnd)");
    } else {
        // A graph whose filters cannot be listed counts as opened, but its set-up stops here.
        if (!SearchCodec(IID_II6vxDecoder, m_pIndio,
                         L"pFilter->QueryInterface(IID_II6vxDecoder, "
                         L"&m_pIndio)") ||
            !SearchCodec(IID_IIndeoDecode, m_pIndeo,
                         L"pFilter->QueryInterface(IID_IIndeoDecode, "
                         L"&m_pIndeo)") ||
            !SearchCodec(IID_IDivXFilterInterface, m_pDivx,
                         L"pFilter->QueryInterface(IID_IDivXFilterInterface, "
                         L"&m_pDivx)"))
            return S_FALSE;

        HRESULT placed = InitVideoWindow(1, 1);
        LogIfFailed(placed, L"InitVideoWindow( 1, 1)");
        hr = pVW->SetWindowForeground(-1);
        LogIfFailed(hr, L"pVW->SetWindowForeground(-1)");
    }

    LogEvent(ModuleLog(), L"Put Video color");
    SetBackgroundColor(BkColor);
    LogEvent(ModuleLog(), L"Move Video");
    ResizeVideoWindow();
    LogEvent(ModuleLog(), L"Update");
    UpdateWindow(hostWindow);
    LogEvent(ModuleLog(), L"Get Rate");
    RefreshRate();
    ApplyWindowAlpha(128);
    LastError = 0;
    SetFocus(hostWindow);
    return hr;
}

// One pass of the codec search: the first filter that answers `iid` fills `field`; one failure
// line is logged for every filter tried before it. False when the filters cannot be listed.
template <class Interface>
bool VideoPlayer::SearchCodec(REFIID iid, Interface*& field, LPCWSTR failedCall) {
    IEnumFilters* filters = 0;
    HRESULT hr = pGB->EnumFilters(&filters);
    if (FAILED(hr) || !filters)
        return false;

    IBaseFilter* filter = 0;
    while (filters->Next(1, &filter, NULL) == S_OK) {
        if (!filter)
            break;
        Interface* found = 0;
        hr = filter->QueryInterface(iid, (void**)&found);
        ReleaseAndEmpty(filter);
        if (hr == S_OK && found) {
            ReleaseAndEmpty(field);
            field = found;
            break;
        }
        ReleaseAndEmpty(found);
        if (FAILED(hr))
            LogFailure(hr, failedCall);
    }
    filters->Release();
    return true;
}

void VideoPlayer::DetectVideo() {
    NoVideo = 0;
    if (!pVW || !pBV) {
        NoVideo = 1;
        LogEvent(ModuleLog(), L"Only Audio");
        return;
    }
    long visible = 0;
    HRESULT hr = pVW->get_Visible(&visible);
    if (FAILED(hr)) {
        LogFailure(hr, L"pVW->get_Visible(&lVisible)");
        LogEvent(ModuleLog(), L"Video Codec not supported hr=%x", hr);
        if (hr == E_NOINTERFACE)
            NoVideo = 1;
    }
}

int VideoPlayer::InitFrameStep() {
    if (!pGB)
        return 0;
    IVideoFrameStep* stepper = 0;
    if (FAILED(pGB->QueryInterface(IID_IVideoFrameStep, (void**)&stepper)) || !stepper)
        return 0;
    if (stepper->CanStep(0, NULL) != S_OK) {
        stepper->Release();
        return 0;
    }
    ReleaseAndEmpty(pFS);
    pFS = stepper;
    return 1;
}

int VideoPlayer::CodecKind() const {
    if (m_pIndio)
        return 3;
    if (m_pDivx)
        return 2;
    if (m_pIndeo)
        return 1;
    return 0;
}

double VideoPlayer::RefreshRate() {
    if (!pMP)
        return Rate;
    double rate = 0.0;
    HRESULT hr = pMP->get_Rate(&rate);
    if (FAILED(hr)) {
        LogFailure(hr, L"pMP->get_Rate(&dRate)");
        return Rate;
    }
    Rate = rate;
    return Rate;
}

#include "player/platform_quirks.h"

#include "player/com_release.h"
#include "player/packed_dib.h"
#include "player/truncation.h"
#include "player/state_timeouts.h"

#include <new>

namespace {

enum Detection { NotDetected, Windows, Wine };
Detection detected = NotDetected;

// The GDI renderer answers E_UNEXPECTED after a pause until its next sample has arrived.
const int ImageAttempts = 25;
const DWORD ImageRetryMs = 20;
// Pictures larger than this on either side are not believed.
const LONG LargestPictureSide = 16384;
const double MediaTimeUnitsPerSecond = 1.0e7;

Detection Detect() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") ? Wine : Windows;
}

IPin* FirstPin(IBaseFilter* filter) {
    IEnumPins* pins = 0;
    if (FAILED(filter->EnumPins(&pins)) || !pins)
        return 0;
    IPin* pin = 0;
    if (pins->Next(1, &pin, NULL) != S_OK)
        pin = 0;
    pins->Release();
    return pin;
}

bool Connected(IBaseFilter* filter) {
    IPin* pin = FirstPin(filter);
    if (!pin)
        return false;
    IPin* peer = 0;
    bool connected = SUCCEEDED(pin->ConnectedTo(&peer)) && peer;
    ReleaseAndEmpty(peer);
    pin->Release();
    return connected;
}

} // namespace

bool RunningOnWine() {
    if (detected == NotDetected)
        detected = Detect();
    return detected == Wine;
}

void RedetectPlatform() {
    detected = Detect();
}

IBaseFilter* AddPictureRenderer(IGraphBuilder* graph) {
    if (!RunningOnWine() || !graph)
        return 0;
    IBaseFilter* renderer = 0;
    if (FAILED(CoCreateInstance(CLSID_VideoRenderer, NULL, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                (void**)&renderer)) ||
        !renderer)
        return 0;
    if (FAILED(graph->AddFilter(renderer, L"Video Renderer")))
        ReleaseAndEmpty(renderer);
    return renderer;
}

void KeepPictureRendererIfConnected(IGraphBuilder* graph, IBaseFilter*& renderer) {
    if (!renderer)
        return;
    if (graph && !Connected(renderer))
        graph->RemoveFilter(renderer);
    ReleaseAndEmpty(renderer);
}

double SecondsPerFrameInsteadOfFrameFormat(HRESULT refusal, IBasicVideo* video) {
    if (!RunningOnWine() || refusal != E_INVALIDARG || !video)
        return 0.0;
    REFTIME secondsPerFrame = 0.0;
    if (FAILED(video->get_AvgTimePerFrame(&secondsPerFrame)) || !(secondsPerFrame > 0.0))
        return 0.0;
    return secondsPerFrame;
}

// Rounded to the nearest frame: a frame's start time in 100 ns units is rarely a whole number.
LONGLONG FramesFromMediaTime(LONGLONG mediaTime, double secondsPerFrame) {
    if (!(secondsPerFrame > 0.0))
        return 0;
    double frames = (double)mediaTime / (secondsPerFrame * MediaTimeUnitsPerSecond);
    return TruncateToLongLong(frames < 0 ? frames - 0.5 : frames + 0.5);
}

LONGLONG MediaTimeFromFrames(LONGLONG frames, double secondsPerFrame) {
    double time = (double)frames * secondsPerFrame * MediaTimeUnitsPerSecond;
    return TruncateToLongLong(time < 0 ? time - 0.5 : time + 0.5);
}

int FrameRateWithoutQualityFigures(IBasicVideo* video) {
    if (!RunningOnWine() || !video)
        return -1;
    REFTIME secondsPerFrame = 0.0;
    if (FAILED(video->get_AvgTimePerFrame(&secondsPerFrame)) || !(secondsPerFrame > 0.0))
        return -1;
    return TruncateToLong(100.0 / secondsPerFrame + 0.5);
}

StoppedForSeek::StoppedForSeek(IMediaControl* control) : control(0), restore(State_Stopped) {
    if (!RunningOnWine() || !control)
        return;
    OAFilterState state = State_Stopped;
    if (FAILED(control->GetState(0, &state)) || state == State_Stopped)
        return;
    this->control = control;
    restore = state;
    control->Stop();
}

StoppedForSeek::~StoppedForSeek() {
    Restore();
}

void StoppedForSeek::Restore() {
    if (!control)
        return;
    if (restore == State_Running)
        control->Run();
    else
        control->Pause();
    control = 0;
}

BYTE* GrabWithoutSizeQuery(IMediaControl* control, IBasicVideo* video, OAFilterState stateBefore,
                           LONG* imageBytes) {
    if (!RunningOnWine() || !control || !video)
        return NULL;
    long width = 0, height = 0;
    if (FAILED(video->GetVideoSize(&width, &height)) || width < 1 || height < 1 ||
        width > LargestPictureSide || height > LargestPictureSide)
        return NULL;
    long capacity = kDibInfoHeaderBytes + width * height * 4;
    BYTE* image = new (std::nothrow) BYTE[capacity]();
    if (!image)
        return NULL;

    const bool wasStopped = stateBefore == State_Stopped;
    if (wasStopped)
        control->Pause();
    OAFilterState state = State_Stopped;
    control->GetState(StateTimeoutMs, &state);
    HRESULT hr = E_UNEXPECTED;
    for (int attempt = 0; attempt < ImageAttempts && hr == E_UNEXPECTED; ++attempt) {
        if (attempt > 0)
            Sleep(ImageRetryMs);
        long given = capacity;
        hr = video->GetCurrentImage(&given, reinterpret_cast<long*>(image));
    }
    if (wasStopped)
        control->Stop();

    LONG length = SUCCEEDED(hr) ? PackedDibLength(image, capacity) : 0;
    if (length < 1) {
        delete[] image;
        return NULL;
    }
    if (imageBytes)
        *imageBytes = length;
    return image;
}

bool ReownWhenEnteringFullScreen() {
    return !RunningOnWine();
}

void KeepDestinationForFullScreen(IBasicVideo* video, RECT* kept) {
    kept->left = kept->top = kept->right = kept->bottom = 0;
    if (!RunningOnWine() || !video)
        return;
    long left = 0, top = 0, width = 0, height = 0;
    if (FAILED(video->GetDestinationPosition(&left, &top, &width, &height)))
        return;
    kept->left = left;
    kept->top = top;
    kept->right = left + width;
    kept->bottom = top + height;
}

bool RestoreDestinationAfterFullScreen(IBasicVideo* video, const RECT& kept) {
    if (!RunningOnWine())
        return false;
    if (video && kept.right > kept.left && kept.bottom > kept.top)
        video->SetDestinationPosition(kept.left, kept.top, kept.right - kept.left,
                                      kept.bottom - kept.top);
    return true;
}

bool StoppedInsteadOfStopWhenReady(IMediaControl* control) {
    if (!RunningOnWine() || !control)
        return false;
    control->Stop();
    OAFilterState state = State_Stopped;
    control->GetState(StateTimeoutMs, &state);
    return true;
}

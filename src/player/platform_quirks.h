// The one place where the player meets a platform that answers DirectShow differently from
// Windows. Windows is the contract: on Windows every function here makes no platform call and
// changes nothing, so the player's call sequences stay exactly what they are. Wine (detected once,
// from ntdll's wine_get_version) gets a named detour for each difference it has:
//
// - its default video renderer draws nowhere a child window can show, cannot hand out the
//   current image, and cannot go full screen: the older GDI renderer is added before RenderFile;
// - it refuses the frame time format: frames are derived from the time per frame;
// - it cannot size the current image before handing it out: the grab sizes it from the video;
// - a running graph with a sound track that is sought and then stopped deadlocks: it is stopped
//   before the seek and brought back to its state after;
// - its full-screen window is pulled back into the owner by a re-owning while full screen.
#pragma once

#include <windows.h>
#include <dshow.h>

// ---- which platform ----
// True under Wine. Detected at the first question and remembered for the module's life.
bool RunningOnWine();
// Detects again at once (the platform under a test can change between cases).
void RedetectPlatform();

// ---- renderer ----
// Adds the GDI video renderer, named "Video Renderer", to a graph about to render a file.
// Answers the added filter (one reference, the caller's) or null.
IBaseFilter* AddPictureRenderer(IGraphBuilder* graph);
// After RenderFile: takes the added renderer out of the graph again when nothing connected to
// it (a file without a picture must not look like a video), then drops the caller's reference.
void KeepPictureRendererIfConnected(IGraphBuilder* graph, IBaseFilter*& renderer);

// ---- frames ----
// After the graph refused the frame time format with `refusal`: the seconds per frame that stand
// in for it, or 0 when frames cannot be derived (on Windows always 0).
double SecondsPerFrameInsteadOfFrameFormat(HRESULT refusal, IBasicVideo* video);
// Conversions between media time (100 ns units) and frame numbers at `secondsPerFrame`.
LONGLONG FramesFromMediaTime(LONGLONG mediaTime, double secondsPerFrame);
LONGLONG MediaTimeFromFrames(LONGLONG frames, double secondsPerFrame);
// The rendered frame rate in hundredths of frames per second when the renderer has no quality
// figures to ask; -1 when it cannot be told (on Windows always -1).
int FrameRateWithoutQualityFigures(IBasicVideo* video);

// ---- seeking ----
// Wine seeks a graph only while it is stopped: the scope stops a paused or running graph and
// brings it back to that state when it ends. On Windows it does nothing.
class StoppedForSeek {
  public:
    explicit StoppedForSeek(IMediaControl* control);
    ~StoppedForSeek();
    // Brings the graph back to its state now rather than at the end of the scope.
    void Restore();

  private:
    StoppedForSeek(const StoppedForSeek&);
    StoppedForSeek& operator=(const StoppedForSeek&);

    IMediaControl* control;
    OAFilterState restore;
};

// ---- frame grab ----
// After the size query of the current image failed: the picture taken with a buffer sized from
// the video (a new packed DIB, its real length in `imageBytes`), or null. `stateBefore` is the
// state the grab found; a stopped graph is paused for the copy and stopped again. On Windows
// always null, without a call.
BYTE* GrabWithoutSizeQuery(IMediaControl* control, IBasicVideo* video, OAFilterState stateBefore,
                           LONG* imageBytes);

// ---- full screen ----
// Whether entering full screen re-owns the video window by the host window, as it does on
// Windows. Wine's full-screen window would be pulled back inside the owner.
bool ReownWhenEnteringFullScreen();
// Wine hands the video window back to its owner screen-sized, with the picture's destination
// screen-sized too. The destination is kept on entering (into `kept`)...
void KeepDestinationForFullScreen(IBasicVideo* video, RECT* kept);
// ...and put back on leaving. True when the caller must also fit the video window to the host
// window's client area again (on Windows: false, and no call is made).
bool RestoreDestinationAfterFullScreen(IBasicVideo* video, const RECT& kept);

// ---- closing ----
// Wine's StopWhenReady hands a graph that is not paused yet to a thread of its own, which keeps
// it (its file, its sound device) until the pause completes. Under Wine the graph is stopped
// here instead, and true says so; on Windows false, and the caller asks StopWhenReady.
bool StoppedInsteadOfStopWhenReady(IMediaControl* control);

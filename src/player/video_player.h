// VideoPlayer: one DirectShow filter graph built for one media file, bound to the object's host
// window. The run-time object, the window routine and the event routines drive it; they read its
// state words (MediaStatus, PlayState) and settings fields directly.
//
// Every operation checks the interfaces it needs and does nothing (or returns its failure value)
// when one is missing, so any operation may be called on a closed player. Failing platform calls
// are logged through LogEvent.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "player/codec_interfaces.h"

// The message the graph posts to the host window when events are queued.
const UINT WM_GRAPHNOTIFY = WM_USER + 13;

// MediaStatus values: where the media stands.
const LONG MediaActive = 2;
const LONG MediaClosed = 3;
const LONG MediaAtEnd = 4;
const LONG MediaAtStart = 5;
const LONG MediaBetween = 6;
const LONG MediaOpening = 7;

// PlayState values: the run state.
const LONG PlayStopped = 0;
const LONG PlayPaused = 1;
const LONG PlayRunning = 2;
const LONG PlayIdleAtStart = 3;
const LONG PlayBetween = 6;

// Lengths of the inline text fields, terminator included.
const int MediaFileCapacity = 260;
const int IndioPasswordCapacity = 18;

class VideoPlayer {
  public:
    explicit VideoPlayer(HWND hostWindow);
    ~VideoPlayer(); // releases nothing: the owner calls CloseMedia first

    // media and graph
    void SetMediaFile(LPCWSTR path);
    int OpenFile(LPCWSTR path, HWND ownerWindow);
    HRESULT BuildGraph(HWND hostWindow);
    void ReleaseGraph();
    int CloseMedia();
    void DetectVideo();
    int InitFrameStep();
    int CodecKind() const;
    int ChooseFile(LPWSTR pathBuffer, HWND ownerWindow);
    static bool GuidEquals(const GUID& a, const GUID& b);
    LONG QueryDuration(const GUID& timeFormat);

    // host window
    int InitPlayerWindow(HWND window);
    void SetBackgroundColor(COLORREF color);
    void ApplyWindowAlpha(DWORD ignored);
    HRESULT InitVideoWindow(LONG multiplier, LONG divisor);
    HRESULT ResizeVideoWindow();

    // streaming
    int Play();
    int Pause();
    int Stop();
    void StepFrames(LONG count);
    double RefreshRate();

    // seeking
    double GetPosition(const GUID& timeFormat);
    int Seek(const GUID& timeFormat, double value);
    int GetPositionSeconds(double* seconds);
    int GetDurationSeconds(double* seconds);
    LPWSTR FormatTime(LPWSTR buffer, size_t capacity, double value);

    // events
    int HandleGraphEvents();

    // video window
    int SetDestinationRect(bool keepAspect, LONG width, LONG height, DWORD borderFlags);
    void PaintBackground(HWND window);
    void RepaintVideo();
    void ShowVideo(bool visible);
    HRESULT SetFullScreen(LONG mode);

    // audio and rate
    HRESULT SetVolume(LONG percent);
    LONG GetVolume();
    HRESULT SetRate(double rate);
    int GetAverageFrameRate();

    // codecs
    void ReadIndeoPictureSettings();
    void ApplyIndeoPictureSettings();
    void SetIndeoTransFill(COLORREF color);
    void ReadIndeoDecodeOptions();
    void ApplyIndeoDecodeOptions();
    void SetIndioPassword();
    void GetIndioPassword();
    void ApplyDivxContrast();
    void ApplyDivxBrightness();
    void ApplyDivxSaturation();
    void ReadDivxSettings();

    // grab (defined with the frame-grab code in grab.cpp)
    // A new packed DIB of the picture shown (free it with delete[]), or null.
    BYTE* GrabCurrentImage();
    // The same, also giving the block's byte count (0 with no picture).
    BYTE* GrabCurrentImage(LONG* imageBytes);
    LONG GetNativeVideoWidth();
    LONG GetNativeVideoHeight();

    // Fields, in this order.
    WCHAR MediaFile[MediaFileCapacity];
    RECT vidRC;
    HWND vidHWnd;
    IIndeoDecode* m_pIndeo;
    II6vxDecoder* m_pIndio;
    IDivXFilterInterface* m_pDivx;
    IGraphBuilder* pGB;
    IMediaControl* pMC;
    IMediaEventEx* pME;
    IMediaPosition* pMP;
    IVideoWindow* pVW;
    IBasicAudio* pBA;
    IBasicVideo* pBV;
    IMediaSeeking* pMS;
    IQualProp* pQP;
    IVideoFrameStep* pFS;
    IBaseFilter* pBF;
    LONG FullScreenMode;
    COLORREF BkColor;
    DWORD NoVideo;
    LONG ExStyle;
    LONG MediaStatus;
    LONG PlayState;
    LONG IndeoAccessKey;
    WCHAR IndioPassword[IndioPasswordCapacity];
    DWORD AltLine;
    LONG IndeoContrast;
    LONG IndeoBrightness;
    LONG IndeoSaturation;
    LONG DivxContrast;
    LONG DivxBrightness;
    LONG DivxSaturation;
    double Rate;
    DWORD LastError;
    LONGLONG StopPosition;
    LONG TotalFrames;
    LONG TotalMilliseconds;
    DWORD FullScreenActive;

  private:
    VideoPlayer(const VideoPlayer&);
    VideoPlayer& operator=(const VideoPlayer&);

    // Seconds per frame while frames are derived from the time per frame because the graph
    // refused the frame time format (see platform_quirks.h); 0 while the graph's own format
    // serves. Set by the time-format selection, forgotten with the graph.
    double derivedFrameSeconds;
    // The picture's destination when full screen was entered, where the platform needs it put
    // back on leaving (see platform_quirks.h); empty otherwise.
    RECT destinationBeforeFullScreen;

    bool HoldsGraph() const;
    bool DerivingFrames() const { return derivedFrameSeconds > 0.0; }
    template <class Interface> bool SearchCodec(REFIID iid, Interface*& field, LPCWSTR failedCall);
    bool SelectTimeFormat(const GUID& timeFormat);
    OAFilterState ReadState(LONG timeoutMs, LPCWSTR failedCall);
    HRESULT ObtainBasicAudio();
    void ResumePlayState();
};

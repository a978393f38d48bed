// Test control of the simulated DirectShow (not included by <windows.h> or <dshow.h>).
//
// What the simulation does, in brief:
// - CoCreateInstance answers CLSID_FilterGraph and CLSID_VideoRenderer (REGDB_E_CLASSNOTREG
//   otherwise, CLASS_E_NOAGGREGATION with an outer object, CO_E_NOTINITIALIZED before
//   CoInitialize); fault name "CoCreateInstance". AddFilter takes only such a renderer, before
//   RenderFile (E_NOTIMPL for any other filter); the picture then renders into it and its one
//   input pin reports the connection (ConnectedTo: VFW_E_NOT_CONNECTED while nothing feeds it).
//   A renderer left unconnected still gives the graph a video window. RemoveFilter takes a filter
//   out (VFW_E_NOT_FOUND when it is not in the graph), the video window with the renderer.
// - RenderFile reads the file by content. Results: E_POINTER for a null name; 0x80070002
//   (file not found) for an empty name or a missing file; 0x80070003 when a folder on the way is
//   missing; 0x80070005 (access denied) for a folder; VFW_E_UNKNOWN_FILE_TYPE for content that is
//   neither RIFF AVI, RIFF WAVE nor a BMP (an empty file included); VFW_E_INVALID_FILE_FORMAT for a
//   recognised file whose headers are truncated or inconsistent; VFW_E_UNSUPPORTED_STREAM when no
//   stream can be rendered (a video FourCC without an installed decoder and no sound);
//   VFW_S_PARTIAL_RENDER when the picture cannot be decoded but the sound renders;
//   VFW_S_AUDIO_NOT_RENDERED, or VFW_E_NO_AUDIO_HARDWARE for sound-only media, without an audio
//   device (SetAudioDeviceAvailable); E_UNEXPECTED for a second RenderFile on the same graph (the
//   simulation renders one file per graph).
// - Filters, in EnumFilters order: the source (named after the file as given), the decoder chosen
//   by FourCC when the video is compressed, "Video Renderer" (IQualProp) when a picture renders,
//   "Default DirectSound Device" when there is sound. Decoders: IV41 "Indeo 4 Video Decoder"
//   (II6vxDecoder), IV50 "Indeo 5 Video Decoder" (IIndeoDecode), DIVX/DX50/DIV3 "DivX Decoder
//   Filter" (IDivXFilterInterface), and "AVI Decompressor" for the other installed FourCCs.
// - State changes complete at once unless SetTransitionDelay is used; Pause queues EC_PAUSED once
//   the pause has completed; a running graph that reaches its stop position queues EC_COMPLETE
//   and stays running. Stop keeps the position. Every queued event posts the notify message
//   (wParam 0, lParam the instance data) to the window of SetNotifyWindow.
// - A BMP plays as one frame lasting one second. A video FourCC whose decoder is not installed
//   leaves the picture out: with sound the graph renders the sound only (VFW_S_PARTIAL_RENDER).
// - EC_COMPLETE, EC_PAUSED carry S_OK and 0; EC_STEP_COMPLETE carries 0 and 0. Step(n) moves n
//   frames on (at most to the last) and leaves the graph paused. CanStep answers S_OK with a video
//   renderer and S_FALSE without one. IQualProp::get_AvgFrameRate gives 0 until the graph first
//   runs, then the clip's nominal rate in hundredths of frames per second.
// - GetCurrentImage: with a null buffer it reports the size; a smaller buffer gets E_OUTOFMEMORY.
//   The DIB (40-byte header, bottom-up rows) holds the real pixels of uncompressed 24/32-bit
//   frames and stills, else a 24-bit picture whose pixel (x, y) of frame f is red 4x, green 4y,
//   blue 8f, each modulo 256 (media::DefaultPixel).
// - The video window is a stand-in window of class "VideoRenderer" titled "ActiveMovie Window";
//   put_Owner makes it the owner's child, mouse and keyboard messages on it are posted to the
//   message drain, full screen makes it a top-level window covering the screen. Its window calls
//   and the graph's notifications are made as the platform's own (they neither count nor fire
//   faults armed for the module).
// - Time formats: TIME_FORMAT_MEDIA_TIME always, TIME_FORMAT_FRAME only with video; any other
//   format is refused with E_INVALIDARG. Rates: 0 < rate <= 4, else E_INVALIDARG.
// - IVideoWindow and IBasicVideo answer E_NOINTERFACE without a video renderer; IBasicAudio
//   answers E_NOTIMPL without an audio renderer; volumes outside -10000..0 give E_INVALIDARG.
// - Every method's fault name is its own name ("RenderFile", "GetState", "put_Volume"...).
//   QueryInterface on the graph consults "QueryInterface" and then "QueryInterface:<interface>"
//   (e.g. "QueryInterface:IMediaSeeking"); a filter's QueryInterface consults
//   "Filter::QueryInterface" and "QueryInterface:<interface>"; the enumerator uses
//   "IEnumFilters::Next"; decoders use "Indeo5::ReadSequence", "Indeo5::ReadFrame",
//   "Indeo5::WriteSequence", "Indeo5::WriteFrame", "Indeo4::SetPassword", "Indeo4::GetPassword",
//   "DivX::SetBrightness", "DivX::SetContrast", "DivX::SetSaturation", "DivX::GetBrightness",
//   "DivX::GetContrast", "DivX::GetSaturation". A fault makes the call return the armed code and
//   do nothing else (GetState still reports the state).
// - Methods neither the module nor the tests call keep their slots and answer E_NOTIMPL as
//   unmodelled calls (standin/faults.h).
#pragma once

#include <dshow.h>

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// ---- Object counts: zero after a player has released everything ----
int LiveGraphs();
// References held by callers on every live graph, filter and enumerator (a graph's own hold on
// its filters does not count).
long OutstandingReferences();

// ---- The most recent graph ----
struct RecordedEvent {
    long code;
    LONG_PTR param1;
    LONG_PTR param2;
};

struct NotifyMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The most recent graph as tests see it. Each accessor reads the graph at the moment it is called.
// Once the graph is destroyed, Alive, References, RenderedFile, State, Owner, MessageDrain, Visible
// and WindowPositions tell how it ended; the others answer zero or empty and record an unmodelled
// call (standin/faults.h).
class GraphView {
  public:
    bool Alive() const;
    long References() const;             // callers' references on the graph and on its filters
    std::u16string RenderedFile() const; // as passed to RenderFile
    std::vector<std::u16string> Filters() const; // names, EnumFilters order
    FILTER_STATE State() const;
    REFERENCE_TIME Position() const; // 100 ns units
    REFERENCE_TIME Stop() const;
    REFERENCE_TIME Duration() const;
    double Rate() const;
    long VideoWidth() const;
    long FrameCount() const;
    // events
    HWND NotifyWindow() const;
    long NotifyMessage() const;
    std::vector<RecordedEvent> QueuedEvents() const; // not yet taken by GetEvent
    std::vector<standin::NotifyMessage> PostedNotifications() const;
    // video window
    HWND VideoWindow() const;
    OAHWND Owner() const;
    OAHWND MessageDrain() const;
    long WindowStyle() const;
    long WindowStyleEx() const;
    bool Visible() const;
    long BorderColor() const;
    long FullScreenMode() const;
    bool CursorHidden() const;
    int ForegroundCalls() const;
    RECT WindowPosition() const;               // left, top, width, height as last set
    std::vector<RECT> WindowPositions() const; // every SetWindowPosition, oldest first
    std::vector<standin::NotifyMessage> OwnerMessages() const; // NotifyOwnerMessage calls
    // basic video and audio
    RECT Destination() const; // left, top, width, height as last set
    std::vector<RECT> Destinations() const;
    long Volume() const;
};
GraphView LastGraph();

// ---- Decoder state of the most recent graph ----
struct DecoderView {
    std::string kind; // "Indeo4", "Indeo5", "DivX", or "" without a private decoder
    // Indeo 5: the values the decoder holds
    long indeoBrightness = 0, indeoSaturation = 0, indeoContrast = 0, indeoTransFill = 0;
    long indeoAccessKey = 0, indeoKeyInUse = 0, indeoModeWord = 0, indeoModeValue = 0,
         indeoAltLine = 0;
    int indeoWrites = 0;
    // Indeo 4
    bool passwordSet = false;
    std::u16string password;
    // DivX, in its own units
    int divxBrightness = 0, divxContrast = 0, divxSaturation = 0;
};
DecoderView LastDecoder();

// What RenderFile's reading of a file with these bytes answers (S_OK or the failure above),
// without a file or a graph: lets tests sweep many malformed files quickly.
HRESULT ParseMediaBytes(const std::vector<uint8_t>& bytes);

// ---- Steering ----
// State changes requested from now on take `ms` to complete; GetState waits at most its time-out
// (advancing a manual clock) and answers VFW_S_STATE_INTERMEDIATE while one is still pending.
void SetTransitionDelay(DWORD ms);
// Queues an event on the most recent live graph, as a filter would, and posts the notification.
void QueueGraphEvent(long code, LONG_PTR param1, LONG_PTR param2);
// Makes a FourCC decodable or not (the defaults: IV41 IV50 DIVX DX50 DIV3 MJPG cvid CRAM MSVC
// mrle XVID). Uncompressed RGB always renders.
void SetDecoderInstalled(const char* fourcc, bool installed);
// Without an audio device the sound stream does not render (VFW_S_AUDIO_NOT_RENDERED).
void SetAudioDeviceAvailable(bool available);
// Lets the graphs catch up with the clock: queue EC_COMPLETE, finish pending transitions. The
// clock's listeners and the message pump call it; tests rarely need to.
void PollGraphs();

} // namespace standin

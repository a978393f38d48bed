// Indeo 5 decoder settings: picture adjustments and transparency fill (frame requests), access
// key and alternate line (sequence requests). The decoder reads and writes the module-wide
// request records by address.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "player/indeo_requests.h"

IndeoFrameRequestRecord IndeoFrameRequest;
IndeoSequenceRequestRecord IndeoSequenceRequest;

void ResetIndeoRequestHeaders() {
    IndeoFrameRequest.size = sizeof(IndeoFrameRequestRecord);
    IndeoFrameRequest.codecCode = IndeoCodecCode;
    IndeoFrameRequest.version = IndeoRequestVersion;
    IndeoFrameRequest.headerWord = IndeoHeaderWord;
    IndeoFrameRequest.fieldMask = 0;

    IndeoSequenceRequest.size = sizeof(IndeoSequenceRequestRecord);
    IndeoSequenceRequest.codecCode = IndeoCodecCode;
    IndeoSequenceRequest.version = IndeoRequestVersion;
    IndeoSequenceRequest.headerWord = IndeoHeaderWord;
    IndeoSequenceRequest.fieldMask = 0;
}

namespace {

void LogIndeoFailure(HRESULT hr) {
    if (FAILED(hr))
        LogEvent(ModuleLog(), L"Indeo, Can't get Frame data");
}

} // namespace

// Brings the graph back to the run state the player had before a decoder change.
void VideoPlayer::ResumePlayState() {
    if (PlayState == PlayPaused)
        pMC->Pause();
    else if (PlayState == PlayRunning)
        pMC->Run();
}

void VideoPlayer::ReadIndeoPictureSettings() {
    if (!m_pIndeo)
        return;
    IndeoFrameRequest.requestKind = IndeoFrameRequestKind;
    IndeoFrameRequest.fieldMask = IndeoPictureMask;
    HRESULT hr = m_pIndeo->GetFrameOptions(&IndeoFrameRequest);
    if (FAILED(hr)) {
        LogIndeoFailure(hr);
        return;
    }
    IndeoBrightness = IndeoFrameRequest.brightness;
    IndeoContrast = IndeoFrameRequest.contrast;
    IndeoSaturation = IndeoFrameRequest.saturation;
}

void VideoPlayer::ApplyIndeoPictureSettings() {
    if (!pMC || !m_pIndeo)
        return;
    IndeoFrameRequest.brightness = IndeoBrightness;
    IndeoFrameRequest.saturation = IndeoSaturation;
    IndeoFrameRequest.contrast = IndeoContrast;
    IndeoFrameRequest.requestKind = IndeoFrameRequestKind;
    IndeoFrameRequest.fieldMask = IndeoPictureMask;
    LogIndeoFailure(m_pIndeo->SetFrameOptions(&IndeoFrameRequest));
}

// The decoder takes a new fill colour only while the graph is stopped.
void VideoPlayer::SetIndeoTransFill(COLORREF color) {
    if (!pMC || !m_pIndeo)
        return;
    if (PlayState != PlayStopped) {
        pMC->Pause();
        pMC->StopWhenReady();
        pMC->Stop();
    }
    IndeoFrameRequest.transFillColor = color;
    IndeoFrameRequest.requestKind = IndeoFrameRequestKind;
    IndeoFrameRequest.fieldMask = IndeoTransFillMask;
    LogIndeoFailure(m_pIndeo->SetFrameOptions(&IndeoFrameRequest));
    ResumePlayState();
}

void VideoPlayer::ReadIndeoDecodeOptions() {
    if (!m_pIndeo)
        return;
    IndeoSequenceRequest.requestKind = IndeoSequenceReadKind;
    IndeoSequenceRequest.fieldMask = IndeoSequenceMask;
    HRESULT hr = m_pIndeo->GetSequenceOptions(&IndeoSequenceRequest);
    if (FAILED(hr)) {
        LogIndeoFailure(hr);
        return;
    }
    // The mode word and value stay in the record for the next write.
    AltLine = IndeoSequenceRequest.altLine;
    IndeoAccessKey = IndeoSequenceRequest.accessKey;
}

void VideoPlayer::ApplyIndeoDecodeOptions() {
    if (!pMC || !m_pIndeo)
        return;
    if (PlayState != PlayStopped)
        pMC->Stop();
    IndeoSequenceRequest.altLine = AltLine;
    IndeoSequenceRequest.keyInUse = 1;
    IndeoSequenceRequest.accessKey = IndeoAccessKey;
    IndeoSequenceRequest.requestKind = IndeoSequenceWriteKind;
    IndeoSequenceRequest.fieldMask = IndeoSequenceMask;
    LogIndeoFailure(m_pIndeo->SetSequenceOptions(&IndeoSequenceRequest));
    ResumePlayState();
}

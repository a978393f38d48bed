// Volume, playback rate and the renderer's average frame rate.
#include "player/video_player.h"

#include "diag/event_log.h"
#include "diag/log_failure.h"
#include "player/com_release.h"
#include "player/platform_quirks.h"

// Obtains IBasicAudio on first use. S_OK when pBA is ready; -1 for no graph or an odd success
// code; the failing HRESULT of the query otherwise.
HRESULT VideoPlayer::ObtainBasicAudio() {
    if (pBA)
        return S_OK;
    if (!pGB)
        return -1;
    IBasicAudio* audio = 0;
    HRESULT hr = pGB->QueryInterface(IID_IBasicAudio, (void**)&audio);
    if (FAILED(hr)) {
        LogFailure(hr, L"pGB->QueryInterface(IID_IBasicAudio, (void **)&pBA)");
        return hr;
    }
    if (hr != S_OK || !audio) {
        ReleaseAndEmpty(audio);
        return -1;
    }
    pBA = audio;
    return S_OK;
}

// The percentage is not clamped: above 100 it gives a positive level that the audio renderer
// refuses, and that failure is what the caller gets.
HRESULT VideoPlayer::SetVolume(LONG percent) {
    HRESULT hr = ObtainBasicAudio();
    if (hr != S_OK)
        return hr;
    long probe = 0;
    if (FAILED(pBA->get_Volume(&probe)))
        return -1; // no audio stream: E_NOTIMPL, silently
    long lVolume = (long)(((LONGLONG)percent - 100) * 100);
    hr = pBA->put_Volume(lVolume);
    if (FAILED(hr)) {
        LogFailure(hr, L"pBA->put_Volume(lVolume)");
        return hr;
    }
    return 0;
}

LONG VideoPlayer::GetVolume() {
    HRESULT hr = ObtainBasicAudio();
    if (hr != S_OK)
        return hr;
    long volume = 0;
    if (FAILED(pBA->get_Volume(&volume)))
        return -1;
    return volume;
}

HRESULT VideoPlayer::SetRate(double rate) {
    if (!pMP || rate == 0.0)
        return 0;
    double old = 0.0;
    HRESULT hr = pMP->get_Rate(&old);
    if (hr != S_OK)
        return hr;
    hr = pMP->put_Rate(rate);
    Rate = FAILED(hr) ? old : rate;
    return hr;
}

int VideoPlayer::GetAverageFrameRate() {
    if (!pBF)
        return -1;
    // Asked again on every query; the reference from the previous query is dropped first.
    IQualProp* quality = 0;
    if (FAILED(pBF->QueryInterface(IID_IQualProp, (void**)&quality)))
        quality = 0;
    ReleaseAndEmpty(pQP);
    pQP = quality;
    if (!pQP)
        return FrameRateWithoutQualityFigures(pBV);
    int rate = -1;
    if (FAILED(pQP->get_AvgFrameRate(&rate)))
        return -1;
    return rate;
}

// Indeo 4 password and DivX picture adjustments. Both decoders' results are not looked at.
#include "player/video_player.h"

#include "diag/text.h"

namespace {

// What GetIndioPassword reads back when the decoder leaves the buffer untouched.
const WCHAR PasswordPlaceholder[] = L"KEYNOTSUPPLIED";

// DivX values the decoder does not report stay at this.
const int DivxUnreportedValue = 50;

} // namespace

void VideoPlayer::SetIndioPassword() {
    if (!pMC || !m_pIndio)
        return;
    pMC->Pause();
    IndioPassword[IndioPasswordCapacity - 1] = 0; // the decoder always gets a terminated text
    m_pIndio->SetPassword(IndioPassword);
    ResumePlayState();
}

void VideoPlayer::GetIndioPassword() {
    WCHAR password[IndioPasswordCapacity] = {0};
    TextCopy(password, IndioPasswordCapacity, PasswordPlaceholder);
    if (!pMC || !m_pIndio)
        return;
    m_pIndio->GetPassword(password);
    password[IndioPasswordCapacity - 1] = 0; // a decoder that fills all 18 units is cut
    for (int i = 0; i < IndioPasswordCapacity; ++i)
        IndioPassword[i] = password[i];
}

void VideoPlayer::ApplyDivxContrast() {
    if (!pMC || !m_pDivx)
        return;
    m_pDivx->SetContrast(DivxContrast);
}

void VideoPlayer::ApplyDivxBrightness() {
    if (!pMC || !m_pDivx)
        return;
    m_pDivx->SetBrightness(DivxBrightness);
}

void VideoPlayer::ApplyDivxSaturation() {
    if (!pMC || !m_pDivx)
        return;
    m_pDivx->SetSaturation(DivxSaturation);
}

void VideoPlayer::ReadDivxSettings() {
    if (!pMC || !m_pDivx)
        return;
    int contrast = DivxUnreportedValue;
    int brightness = DivxUnreportedValue;
    int saturation = DivxUnreportedValue;
    m_pDivx->GetContrast(&contrast);
    m_pDivx->GetBrightness(&brightness);
    m_pDivx->GetSaturation(&saturation);
    DivxContrast = contrast;
    DivxBrightness = brightness;
    DivxSaturation = saturation;
}

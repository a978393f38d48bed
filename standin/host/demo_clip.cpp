#include "demo_clip.h"

#include "media_writer.h"

#include <cmath>

namespace hoststandin {

namespace {

// Seven segments a-g (top, upper right, lower right, bottom, lower left, upper left, middle).
const BYTE kSegmentsOfDigit[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

constexpr int kDigitLeft = 12;
constexpr int kDigitTop = 12;
constexpr int kDigitWidth = 20;
constexpr int kDigitHeight = 36;
constexpr int kDigitGap = 8;
constexpr int kStroke = 4;
constexpr int kDigitCount = 3;

// Whether (x, y), relative to a digit's top-left corner, lies on one of its lit segments.
bool OnSegment(int digit, int x, int y) {
    const BYTE lit = kSegmentsOfDigit[digit];
    const int half = kDigitHeight / 2;
    const bool top = y < kStroke, bottom = y >= kDigitHeight - kStroke;
    const bool middle = y >= half - kStroke / 2 && y < half + kStroke / 2;
    const bool left = x < kStroke, right = x >= kDigitWidth - kStroke;
    const bool upper = y < half, lower = y >= half;
    return ((lit & 0x01) && top) || ((lit & 0x02) && right && upper) ||
           ((lit & 0x04) && right && lower) || ((lit & 0x08) && bottom) ||
           ((lit & 0x10) && left && lower) || ((lit & 0x20) && left && upper) ||
           ((lit & 0x40) && middle);
}

bool OnFrameNumber(int frame, int x, int y) {
    if (y < kDigitTop || y >= kDigitTop + kDigitHeight || x < kDigitLeft)
        return false;
    const int pitch = kDigitWidth + kDigitGap;
    const int slot = (x - kDigitLeft) / pitch;
    const int inside = (x - kDigitLeft) % pitch;
    if (slot >= kDigitCount || inside >= kDigitWidth)
        return false;
    int digit = frame;
    for (int k = kDigitCount - 1; k > slot; --k)
        digit /= 10;
    return OnSegment(digit % 10, inside, y - kDigitTop);
}

bool Plausible(const DemoClip& clip) {
    return clip.width > 0 && clip.width <= 4096 && clip.height > 0 && clip.height <= 4096 &&
           clip.frames > 0 && clip.frames <= 100000 && clip.framesPerSecond > 0 &&
           clip.framesPerSecond <= 1000 && clip.samplesPerSecond > 0;
}

// A steady sine tone, 16-bit.
media::SoundSamples Tone(int toneHz, int samplesPerSecond) {
    const double step = 2.0 * 3.14159265358979323846 * toneHz / samplesPerSecond;
    return [step](long index) {
        return static_cast<int>(std::lround(6000.0 * std::sin(step * static_cast<double>(index))));
    };
}

} // namespace

int BarLeft(const DemoClip& clip, int frame) {
    const int travel = clip.width > kBarWidth ? clip.width - kBarWidth : 0;
    if (clip.frames <= 1 || frame <= 0)
        return 0;
    if (frame >= clip.frames - 1)
        return travel;
    return static_cast<int>(static_cast<long long>(travel) * frame / (clip.frames - 1));
}

PixelColour DemoPixel(const DemoClip& clip, int frame, int x, int y) {
    if (OnFrameNumber(frame, x, y))
        return kDigitColour;
    const int left = BarLeft(clip, frame);
    if (x >= left && x < left + kBarWidth && y >= clip.height / 3)
        return kBarColour;
    return kGroundColour;
}

std::vector<BYTE> DemoAviBytes(const DemoClip& clip) {
    if (!Plausible(clip))
        return {};
    media::AviClip avi;
    avi.width = clip.width;
    avi.height = clip.height;
    avi.rate = static_cast<unsigned>(clip.framesPerSecond);
    avi.frames = clip.frames;
    avi.pixel = [clip](int frame, int x, int y) {
        PixelColour c = DemoPixel(clip, frame, x, y);
        return media::Rgb{c.r, c.g, c.b};
    };
    avi.withAudio = clip.withTone;
    avi.audio.samplesPerSecond = clip.samplesPerSecond;
    avi.sound = Tone(clip.toneHz, clip.samplesPerSecond);
    return media::AviBytes(avi);
}

std::vector<BYTE> ToneWavBytes(int milliseconds, int toneHz, int samplesPerSecond) {
    if (milliseconds < 0 || samplesPerSecond <= 0 || samplesPerSecond > 192000)
        return {};
    media::WavClip wav;
    wav.format.samplesPerSecond = samplesPerSecond;
    wav.milliseconds = milliseconds;
    wav.sound = Tone(toneHz, samplesPerSecond);
    return media::WavBytes(wav);
}

bool WriteFileBytes(LPCWSTR path, const std::vector<BYTE>& bytes) {
    HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD chunk =
            static_cast<DWORD>(bytes.size() - done > 0x100000 ? 0x100000 : bytes.size() - done);
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    return CloseHandle(file) && ok;
}

} // namespace hoststandin

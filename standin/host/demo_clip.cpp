#include "demo_clip.h"

#include <cmath>

namespace hoststandin {

namespace {

// Little-endian RIFF writer: chunks are opened, filled, then closed (size patched, even length).
class Riff {
  public:
    std::vector<BYTE> bytes;

    void Id(const char* code) { bytes.insert(bytes.end(), code, code + 4); }
    void U16(unsigned value) {
        bytes.push_back(static_cast<BYTE>(value));
        bytes.push_back(static_cast<BYTE>(value >> 8));
    }
    void U32(unsigned long value) {
        U16(static_cast<unsigned>(value & 0xFFFF));
        U16(static_cast<unsigned>(value >> 16));
    }
    size_t Open(const char* id, const char* type = nullptr) {
        size_t start = bytes.size();
        Id(id);
        U32(0);
        if (type)
            Id(type);
        return start;
    }
    void Close(size_t start) {
        unsigned long size = static_cast<unsigned long>(bytes.size() - start - 8);
        for (int i = 0; i < 4; ++i)
            bytes[start + 4 + i] = static_cast<BYTE>(size >> (8 * i));
        if (bytes.size() % 2)
            bytes.push_back(0);
    }
};

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

void WaveFormat(Riff& out, int samplesPerSecond) {
    out.U16(1); // PCM
    out.U16(1); // mono
    out.U32(static_cast<unsigned long>(samplesPerSecond));
    out.U32(static_cast<unsigned long>(samplesPerSecond) * 2);
    out.U16(2);
    out.U16(16);
}

void ToneSamples(Riff& out, long first, long count, int toneHz, int samplesPerSecond) {
    const double step = 2.0 * 3.14159265358979323846 * toneHz / samplesPerSecond;
    for (long i = 0; i < count; ++i) {
        long value = std::lround(6000.0 * std::sin(step * static_cast<double>(first + i)));
        out.U16(static_cast<unsigned>(value & 0xFFFF));
    }
}

void StreamHeader(Riff& out, const char* type, unsigned long scale, unsigned long rate,
                  unsigned long length, unsigned long bufferSize, unsigned long sampleSize,
                  int width, int height) {
    size_t strh = out.Open("strh");
    out.Id(type);
    out.U32(0); // handler: none (uncompressed)
    out.U32(0); // flags
    out.U32(0); // priority, language
    out.U32(0); // initial frames
    out.U32(scale);
    out.U32(rate);
    out.U32(0); // start
    out.U32(length);
    out.U32(bufferSize);
    out.U32(0xFFFFFFFFul); // default quality
    out.U32(sampleSize);
    out.U16(0);
    out.U16(0);
    out.U16(static_cast<unsigned>(width));
    out.U16(static_cast<unsigned>(height));
    out.Close(strh);
}

struct IndexEntry {
    const char* id;
    unsigned long offset;
    unsigned long size;
};

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
    const unsigned long rowBytes = (static_cast<unsigned long>(clip.width) * 3 + 3) & ~3ul;
    const unsigned long frameBytes = rowBytes * static_cast<unsigned long>(clip.height);
    // Whole samples per frame keep sound and picture together; the tone ends with the video.
    const long samplesPerFrame = clip.withTone ? clip.samplesPerSecond / clip.framesPerSecond : 0;
    const unsigned long soundBytes = static_cast<unsigned long>(samplesPerFrame) * 2;

    Riff out;
    size_t riff = out.Open("RIFF", "AVI ");
    size_t hdrl = out.Open("LIST", "hdrl");
    size_t avih = out.Open("avih");
    out.U32(1000000ul / static_cast<unsigned long>(clip.framesPerSecond)); // microseconds a frame
    out.U32(frameBytes * static_cast<unsigned long>(clip.framesPerSecond));
    out.U32(0);
    out.U32(0x10); // has an index
    out.U32(static_cast<unsigned long>(clip.frames));
    out.U32(0);
    out.U32(clip.withTone ? 2 : 1);
    out.U32(frameBytes);
    out.U32(static_cast<unsigned long>(clip.width));
    out.U32(static_cast<unsigned long>(clip.height));
    for (int i = 0; i < 4; ++i)
        out.U32(0);
    out.Close(avih);

    size_t strl = out.Open("LIST", "strl");
    StreamHeader(out, "vids", 1, static_cast<unsigned long>(clip.framesPerSecond),
                 static_cast<unsigned long>(clip.frames), frameBytes, 0, clip.width, clip.height);
    size_t strf = out.Open("strf");
    out.U32(40);
    out.U32(static_cast<unsigned long>(clip.width));
    out.U32(static_cast<unsigned long>(clip.height)); // bottom-up rows
    out.U16(1);
    out.U16(24);
    out.U32(0); // BI_RGB
    out.U32(frameBytes);
    out.U32(2835);
    out.U32(2835);
    out.U32(0);
    out.U32(0);
    out.Close(strf);
    out.Close(strl);
    if (clip.withTone) {
        size_t astrl = out.Open("LIST", "strl");
        StreamHeader(out, "auds", 2, static_cast<unsigned long>(clip.samplesPerSecond) * 2,
                     static_cast<unsigned long>(samplesPerFrame) * clip.frames, soundBytes, 2, 0,
                     0);
        size_t astrf = out.Open("strf");
        WaveFormat(out, clip.samplesPerSecond);
        out.Close(astrf);
        out.Close(astrl);
    }
    out.Close(hdrl);

    std::vector<IndexEntry> index;
    size_t movi = out.Open("LIST", "movi");
    const size_t moviType = movi + 8; // index offsets count from the 'movi' type
    out.bytes.reserve(out.bytes.size() + (frameBytes + soundBytes + 16) * clip.frames + 64);
    for (int frame = 0; frame < clip.frames; ++frame) {
        size_t chunk = out.Open("00db");
        for (int y = clip.height - 1; y >= 0; --y) {
            for (int x = 0; x < clip.width; ++x) {
                PixelColour c = DemoPixel(clip, frame, x, y);
                out.bytes.push_back(c.b);
                out.bytes.push_back(c.g);
                out.bytes.push_back(c.r);
            }
            out.bytes.insert(out.bytes.end(), rowBytes - clip.width * 3ul, 0);
        }
        out.Close(chunk);
        index.push_back({"00db", static_cast<unsigned long>(chunk - moviType), frameBytes});
        if (soundBytes) {
            size_t sound = out.Open("01wb");
            ToneSamples(out, samplesPerFrame * frame, samplesPerFrame, clip.toneHz,
                        clip.samplesPerSecond);
            out.Close(sound);
            index.push_back({"01wb", static_cast<unsigned long>(sound - moviType), soundBytes});
        }
    }
    out.Close(movi);
    size_t idx1 = out.Open("idx1");
    for (const IndexEntry& entry : index) {
        out.Id(entry.id);
        out.U32(0x10); // key frame
        out.U32(entry.offset);
        out.U32(entry.size);
    }
    out.Close(idx1);
    out.Close(riff);
    return out.bytes;
}

std::vector<BYTE> ToneWavBytes(int milliseconds, int toneHz, int samplesPerSecond) {
    if (milliseconds < 0 || samplesPerSecond <= 0 || samplesPerSecond > 192000)
        return {};
    const long samples =
        static_cast<long>(static_cast<long long>(milliseconds) * samplesPerSecond / 1000);
    Riff out;
    size_t riff = out.Open("RIFF", "WAVE");
    size_t fmt = out.Open("fmt ");
    WaveFormat(out, samplesPerSecond);
    out.Close(fmt);
    size_t data = out.Open("data");
    ToneSamples(out, 0, samples, toneHz, samplesPerSecond);
    out.Close(data);
    out.Close(riff);
    return out.bytes;
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

// Generated media, the one writer of the repository: RIFF AVI (uncompressed 24/32-bit frames with
// real pixels, or any FourCC with dummy frame data, optional PCM sound), WAV and BMP. The host
// program's demo clip and every test that needs media write through it; nothing binary is
// committed.
//
// Paths are UTF-8. On the native build a Windows path ("C:\\clips\\a.avi") is written into the
// stand-in sandbox (parent folders created), where RenderFile will look; any other path, and
// every path on Windows, is written as it stands.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace media {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// The picture every generated frame shows unless a clip says otherwise: red grows to the right,
// green downwards, blue with the frame number, so a grab tells which frame it came from.
Rgb DefaultPixel(int frame, int x, int y);

struct PcmFormat {
    int samplesPerSecond = 22050;
    int channels = 1;
    int bitsPerSample = 16;
    int BlockAlign() const { return channels * bitsPerSample / 8; }
    int BytesPerSecond() const { return samplesPerSecond * BlockAlign(); }
};

// The 16-bit value of sample `index` (every channel the same); empty: silence.
typedef std::function<int(long index)> SoundSamples;

struct AviClip {
    int width = 320;
    int height = 240;
    int bitCount = 24;  // of the frames: 24 or 32 when uncompressed
    std::string fourcc; // "" for uncompressed RGB; else the compression code, e.g. "IV50"
    unsigned rate = 25; // frames per second = rate / scale
    unsigned scale = 1;
    int frames = 25;
    bool withAudio = false; // a PCM stream as long as the video
    PcmFormat audio;
    SoundSamples sound = nullptr;
    std::function<Rgb(int frame, int x, int y)> pixel; // empty: DefaultPixel
};

struct WavClip {
    PcmFormat format;
    int milliseconds = 1000;
    SoundSamples sound = nullptr;
};

struct BmpImage {
    int width = 64;
    int height = 48;
    int bitCount = 24;                      // 24 or 32
    std::function<Rgb(int x, int y)> pixel; // empty: DefaultPixel of frame 0
};

std::vector<uint8_t> AviBytes(const AviClip& clip);
std::vector<uint8_t> WavBytes(const WavClip& clip);
std::vector<uint8_t> BmpBytes(const BmpImage& image);

// Writes the bytes; false when the file cannot be created or written.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteAvi(const std::string& path, const AviClip& clip);
bool WriteWav(const std::string& path, const WavClip& clip);
bool WriteBmp(const std::string& path, const BmpImage& image);

// Byte offset of the first chunk or list with this four-character id (e.g. "avih", "strf",
// "movi"), pointing at the id itself; -1 when absent. Lets tests corrupt a header precisely.
long FindChunk(const std::vector<uint8_t>& bytes, const char* fourcc);

// Little-endian helpers for patching generated files.
void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
uint32_t GetU32(const std::vector<uint8_t>& bytes, size_t offset);

} // namespace media

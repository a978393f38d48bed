#include "media_writer.h"

#ifndef _WIN32
#include "host_text.h"
#include "standin/sandbox.h"
#endif

#include <cstdio>
#include <cstring>

namespace media {
namespace {

// Little-endian RIFF builder: chunks are opened, filled and closed (size patched, padded to even).
class RiffBuilder {
  public:
    std::vector<uint8_t> bytes;

    void Id(const char* fourcc) { bytes.insert(bytes.end(), fourcc, fourcc + 4); }
    void U8(uint8_t v) { bytes.push_back(v); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    void U32(uint32_t v) {
        U16(static_cast<uint16_t>(v));
        U16(static_cast<uint16_t>(v >> 16));
    }
    void Fill(size_t count, uint8_t value) { bytes.insert(bytes.end(), count, value); }

    // Starts a chunk (or a RIFF/LIST with `listType`); returns its position for Close.
    size_t Open(const char* id, const char* listType = nullptr) {
        size_t start = bytes.size();
        Id(id);
        U32(0);
        if (listType)
            Id(listType);
        return start;
    }
    void Close(size_t start) {
        PutU32(bytes, start + 4, static_cast<uint32_t>(bytes.size() - start - 8));
        if (bytes.size() % 2)
            U8(0);
    }
};

uint32_t FourccValue(const std::string& code) {
    char c[4] = {' ', ' ', ' ', ' '};
    for (size_t i = 0; i < 4 && i < code.size(); ++i)
        c[i] = code[i];
    return static_cast<uint32_t>(static_cast<uint8_t>(c[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(c[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(c[3])) << 24;
}

int RowBytes(int width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

void BitmapInfoHeader(RiffBuilder& out, int width, int height, int bitCount, uint32_t compression,
                      uint32_t imageSize) {
    out.U32(40);
    out.U32(static_cast<uint32_t>(width));
    out.U32(static_cast<uint32_t>(height));
    out.U16(1);
    out.U16(static_cast<uint16_t>(bitCount));
    out.U32(compression);
    out.U32(imageSize);
    out.U32(2835); // 72 dpi
    out.U32(2835);
    out.U32(0);
    out.U32(0);
}

// Bottom-up rows, BGR(A) order, rows padded to four bytes: the layout of a packed DIB.
void Pixels(RiffBuilder& out, int width, int height, int bitCount,
            const std::function<Rgb(int, int)>& pixel) {
    int padding = RowBytes(width, bitCount) - width * bitCount / 8;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = pixel(x, y);
            out.U8(c.b);
            out.U8(c.g);
            out.U8(c.r);
            if (bitCount == 32)
                out.U8(0);
        }
        out.Fill(static_cast<size_t>(padding), 0);
    }
}

void WaveFormat(RiffBuilder& out, const PcmFormat& f) {
    out.U16(1); // PCM
    out.U16(static_cast<uint16_t>(f.channels));
    out.U32(static_cast<uint32_t>(f.samplesPerSecond));
    out.U32(static_cast<uint32_t>(f.BytesPerSecond()));
    out.U16(static_cast<uint16_t>(f.BlockAlign()));
    out.U16(static_cast<uint16_t>(f.bitsPerSample));
}

// `count` samples from sample `first` on, every channel the same.
void Samples(RiffBuilder& out, const PcmFormat& f, long first, long count,
             const SoundSamples& sound) {
    const uint8_t silence = f.bitsPerSample == 8 ? 0x80 : 0;
    if (!sound) {
        out.Fill(static_cast<size_t>(count) * f.BlockAlign(), silence);
        return;
    }
    for (long i = 0; i < count; ++i) {
        const int value = sound(first + i);
        for (int channel = 0; channel < f.channels; ++channel) {
            if (f.bitsPerSample == 8)
                out.U8(static_cast<uint8_t>((value >> 8) + 0x80));
            else
                out.U16(static_cast<uint16_t>(value));
        }
    }
}

void StreamHeader(RiffBuilder& out, const char* type, uint32_t handler, uint32_t scale,
                  uint32_t rate, uint32_t length, uint32_t bufferSize, uint32_t sampleSize,
                  int width, int height) {
    size_t strh = out.Open("strh");
    out.Id(type);
    out.U32(handler);
    out.U32(0); // flags
    out.U16(0); // priority
    out.U16(0); // language
    out.U32(0); // initial frames
    out.U32(scale);
    out.U32(rate);
    out.U32(0); // start
    out.U32(length);
    out.U32(bufferSize);
    out.U32(0xFFFFFFFFu); // default quality
    out.U32(sampleSize);
    out.U16(0);
    out.U16(0);
    out.U16(static_cast<uint16_t>(width));
    out.U16(static_cast<uint16_t>(height));
    out.Close(strh);
}

struct IndexEntry {
    char id[4];
    uint32_t flags;
    uint32_t offset;
    uint32_t size;
};

#ifndef _WIN32
// A Windows path is one with a drive letter ("C:\...") or a leading backslash.
bool IsWindowsPath(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}
#endif

bool WriteHostFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

} // namespace

Rgb DefaultPixel(int frame, int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4),
               static_cast<uint8_t>(frame * 8)};
}

std::vector<uint8_t> AviBytes(const AviClip& clip) {
    const bool uncompressed = clip.fourcc.empty();
    const int frameBytes =
        uncompressed ? RowBytes(clip.width, clip.bitCount) * (clip.height < 0 ? 0 : clip.height)
                     : 64;
    const double seconds =
        clip.rate ? static_cast<double>(clip.frames) * clip.scale / clip.rate : 0.0;
    const uint32_t audioBytesTotal =
        clip.withAudio ? static_cast<uint32_t>(seconds * clip.audio.BytesPerSecond()) /
                             clip.audio.BlockAlign() * clip.audio.BlockAlign()
                       : 0;
    const PcmFormat& f = clip.audio;
    const uint32_t audioChunk = // whole samples a frame; the sound ends with the video
        clip.withAudio && clip.frames > 0
            ? audioBytesTotal / clip.frames / f.BlockAlign() * f.BlockAlign()
            : 0;
    auto pixel = clip.pixel ? clip.pixel : DefaultPixel;

    RiffBuilder out;
    size_t riff = out.Open("RIFF", "AVI ");
    size_t hdrl = out.Open("LIST", "hdrl");
    size_t avih = out.Open("avih");
    out.U32(clip.rate ? static_cast<uint32_t>(1000000.0 * clip.scale / clip.rate) : 0);
    out.U32(clip.scale
                ? static_cast<uint32_t>((static_cast<unsigned long long>(frameBytes) + audioChunk) *
                                        clip.rate / clip.scale)
                : 0); // bytes a second at most
    out.U32(0);
    out.U32(0x10); // has index
    out.U32(static_cast<uint32_t>(clip.frames));
    out.U32(0);
    out.U32(clip.withAudio ? 2 : 1);
    out.U32(static_cast<uint32_t>(frameBytes));
    out.U32(static_cast<uint32_t>(clip.width));
    out.U32(static_cast<uint32_t>(clip.height));
    out.Fill(16, 0);
    out.Close(avih);

    size_t strl = out.Open("LIST", "strl");
    const uint32_t compression = uncompressed ? 0 : FourccValue(clip.fourcc);
    StreamHeader(out, "vids", compression, clip.scale, clip.rate,
                 static_cast<uint32_t>(clip.frames), static_cast<uint32_t>(frameBytes), 0,
                 clip.width, clip.height);
    size_t strf = out.Open("strf");
    BitmapInfoHeader(out, clip.width, clip.height, clip.bitCount, compression,
                     static_cast<uint32_t>(frameBytes));
    out.Close(strf);
    out.Close(strl);

    if (clip.withAudio) {
        size_t astrl = out.Open("LIST", "strl");
        StreamHeader(out, "auds", 0, static_cast<uint32_t>(f.BlockAlign()),
                     static_cast<uint32_t>(f.BytesPerSecond()), audioBytesTotal / f.BlockAlign(),
                     audioChunk, static_cast<uint32_t>(f.BlockAlign()), 0, 0);
        size_t astrf = out.Open("strf");
        WaveFormat(out, f);
        out.Close(astrf);
        out.Close(astrl);
    }
    out.Close(hdrl);

    std::vector<IndexEntry> index;
    size_t movi = out.Open("LIST", "movi");
    const size_t moviId = movi + 8; // index offsets count from the 'movi' type
    for (int frame = 0; frame < clip.frames; ++frame) {
        const char* id = uncompressed ? "00db" : "00dc";
        size_t chunk = out.Open(id);
        if (uncompressed)
            Pixels(out, clip.width, clip.height, clip.bitCount,
                   [&](int x, int y) { return pixel(frame, x, y); });
        else
            out.Fill(static_cast<size_t>(frameBytes), static_cast<uint8_t>(frame));
        out.Close(chunk);
        IndexEntry entry{{id[0], id[1], id[2], id[3]},
                         0x10,
                         static_cast<uint32_t>(chunk - moviId),
                         static_cast<uint32_t>(frameBytes)};
        index.push_back(entry);
        if (audioChunk) {
            size_t audio = out.Open("01wb");
            const long samplesPerChunk = static_cast<long>(audioChunk / f.BlockAlign());
            Samples(out, f, samplesPerChunk * frame, samplesPerChunk, clip.sound);
            out.Close(audio);
            index.push_back(IndexEntry{
                {'0', '1', 'w', 'b'}, 0x10, static_cast<uint32_t>(audio - moviId), audioChunk});
        }
    }
    out.Close(movi);

    size_t idx1 = out.Open("idx1");
    for (const IndexEntry& e : index) {
        out.bytes.insert(out.bytes.end(), e.id, e.id + 4);
        out.U32(e.flags);
        out.U32(e.offset);
        out.U32(e.size);
    }
    out.Close(idx1);
    out.Close(riff);
    return out.bytes;
}

std::vector<uint8_t> WavBytes(const WavClip& clip) {
    const PcmFormat& f = clip.format;
    const uint32_t bytes = static_cast<uint32_t>(static_cast<long long>(clip.milliseconds) *
                                                 f.BytesPerSecond() / 1000) /
                           f.BlockAlign() * f.BlockAlign();
    RiffBuilder out;
    size_t riff = out.Open("RIFF", "WAVE");
    size_t fmt = out.Open("fmt ");
    WaveFormat(out, f);
    out.Close(fmt);
    size_t data = out.Open("data");
    Samples(out, f, 0, static_cast<long>(bytes / f.BlockAlign()), clip.sound);
    out.Close(data);
    out.Close(riff);
    return out.bytes;
}

std::vector<uint8_t> BmpBytes(const BmpImage& image) {
    auto pixel = image.pixel ? image.pixel : [](int x, int y) { return DefaultPixel(0, x, y); };
    const uint32_t imageSize =
        static_cast<uint32_t>(RowBytes(image.width, image.bitCount) * image.height);
    RiffBuilder out;
    out.U8('B');
    out.U8('M');
    out.U32(14 + 40 + imageSize);
    out.U16(0);
    out.U16(0);
    out.U32(14 + 40);
    BitmapInfoHeader(out, image.width, image.height, image.bitCount, 0, imageSize);
    Pixels(out, image.width, image.height, image.bitCount, pixel);
    return out.bytes;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
#ifdef _WIN32
    return WriteHostFile(path, bytes);
#else
    if (!IsWindowsPath(path))
        return WriteHostFile(path, bytes);
    std::u16string wide = hoststandin::WideFromUtf8(path);
    return standin::WriteSandboxFile(reinterpret_cast<LPCWSTR>(wide.c_str()),
                                     std::string(bytes.begin(), bytes.end()));
#endif
}

bool WriteAvi(const std::string& path, const AviClip& clip) {
    return WriteBytes(path, AviBytes(clip));
}
bool WriteWav(const std::string& path, const WavClip& clip) {
    return WriteBytes(path, WavBytes(clip));
}
bool WriteBmp(const std::string& path, const BmpImage& image) {
    return WriteBytes(path, BmpBytes(image));
}

long FindChunk(const std::vector<uint8_t>& bytes, const char* fourcc) {
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (std::memcmp(&bytes[i], fourcc, 4) == 0)
            return static_cast<long>(i);
    return -1;
}

void PutU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetU32(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | bytes[offset + i];
    return v;
}

} // namespace media

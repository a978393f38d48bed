// Parsing of RIFF AVI, RIFF WAVE and BMP files. Every read is bounds-checked: a size field that
// points past the end of the file is cut to the file, and a header too short for what it must
// hold makes the file invalid.
#include "media_file.h"

#include <cmath>
#include <cstring>

namespace standin {
namespace dshow {
namespace {

const long kMaxDimension = 16384;

class Bytes {
  public:
    explicit Bytes(const std::vector<uint8_t>& data) : data(data) {}
    size_t Size() const { return data.size(); }
    bool Has(size_t offset, size_t count) const {
        return offset <= data.size() && count <= data.size() - offset;
    }
    uint32_t U32(size_t offset) const {
        if (!Has(offset, 4))
            return 0;
        return static_cast<uint32_t>(data[offset]) | static_cast<uint32_t>(data[offset + 1]) << 8 |
               static_cast<uint32_t>(data[offset + 2]) << 16 |
               static_cast<uint32_t>(data[offset + 3]) << 24;
    }
    uint16_t U16(size_t offset) const {
        if (!Has(offset, 2))
            return 0;
        return static_cast<uint16_t>(data[offset] | data[offset + 1] << 8);
    }
    bool IdAt(size_t offset, const char* id) const {
        return Has(offset, 4) && std::memcmp(&data[offset], id, 4) == 0;
    }

  private:
    const std::vector<uint8_t>& data;
};

// One RIFF chunk: its id at `start`, its data from `data` for `size` bytes (cut to the parent).
struct Chunk {
    size_t start = 0;
    size_t data = 0;
    size_t size = 0;
    bool cut = false; // the declared size ran past the parent's end
};

// Walks the chunks between `begin` and `end` one by one.
class ChunkWalker {
  public:
    ChunkWalker(const Bytes& bytes, size_t begin, size_t end)
        : bytes(bytes), next(begin), end(end < bytes.Size() ? end : bytes.Size()) {}

    bool Next(Chunk* chunk) {
        if (next >= end || end - next < 8)
            return false;
        chunk->start = next;
        chunk->data = next + 8;
        size_t declared = bytes.U32(next + 4);
        size_t room = end - chunk->data;
        chunk->cut = declared > room;
        chunk->size = chunk->cut ? room : declared;
        size_t advance = 8 + chunk->size + (chunk->size & 1);
        next = advance > end - next ? end : next + advance;
        return true;
    }
    bool IsList(const Chunk& chunk, const char* type) const {
        return bytes.IdAt(chunk.start, "LIST") && chunk.size >= 4 && bytes.IdAt(chunk.data, type);
    }

  private:
    const Bytes& bytes;
    size_t next;
    size_t end;
};

size_t RowBytes(long width, int bitCount) {
    return static_cast<size_t>((static_cast<long long>(width) * bitCount + 31) / 32 * 4);
}

bool PlausibleBitmap(long width, long height, int bitCount) {
    if (width <= 0 || width > kMaxDimension || height == 0 || height > kMaxDimension ||
        height < -kMaxDimension)
        return false;
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32 || bitCount == 12; // 12: planar YUV as some codecs declare
}

void SetPicture(MediaInfo* info, long width, long height, int bitCount, uint32_t compression) {
    info->width = width;
    info->topDown = height < 0;
    info->height = height < 0 ? -height : height;
    info->bitCount = bitCount;
    info->compression = compression;
}

struct AviStream {
    bool video = false;
    bool audio = false;
    uint32_t scale = 0;
    uint32_t rate = 0;
    uint32_t length = 0;
    bool valid = false;
};

// Reads one 'strl' list: 'strh' (stream header) then 'strf' (format).
AviStream ParseStreamList(const Bytes& bytes, const Chunk& list, MediaInfo* info) {
    AviStream stream;
    ChunkWalker walker(bytes, list.data + 4, list.data + list.size);
    Chunk chunk;
    bool haveHeader = false;
    while (walker.Next(&chunk)) {
        if (bytes.IdAt(chunk.start, "strh")) {
            if (chunk.size < 36 || chunk.cut)
                return stream;
            stream.video = bytes.IdAt(chunk.data, "vids");
            stream.audio = bytes.IdAt(chunk.data, "auds");
            stream.scale = bytes.U32(chunk.data + 20);
            stream.rate = bytes.U32(chunk.data + 24);
            stream.length = bytes.U32(chunk.data + 32);
            haveHeader = true;
        } else if (bytes.IdAt(chunk.start, "strf") && haveHeader) {
            if (stream.video && !info->hasVideo) {
                if (chunk.size < 40 || chunk.cut)
                    return stream;
                long width = static_cast<int32_t>(bytes.U32(chunk.data + 4));
                long height = static_cast<int32_t>(bytes.U32(chunk.data + 8));
                int bitCount = bytes.U16(chunk.data + 14);
                uint32_t compression = bytes.U32(chunk.data + 16);
                if (!PlausibleBitmap(width, height, bitCount))
                    return stream;
                if (compression == 0 && bitCount != 24 && bitCount != 32 && bitCount != 16 &&
                    bitCount != 8)
                    return stream;
                SetPicture(info, width, height, bitCount, compression);
                stream.valid = true;
            } else if (stream.audio && !info->hasAudio) {
                if (chunk.size < 16 || chunk.cut)
                    return stream;
                int channels = bytes.U16(chunk.data + 2);
                long samples = static_cast<long>(bytes.U32(chunk.data + 4));
                long perSecond = static_cast<long>(bytes.U32(chunk.data + 8));
                if (channels <= 0 || samples <= 0 || perSecond <= 0)
                    return stream;
                info->channels = channels;
                info->samplesPerSecond = samples;
                info->bytesPerSecond = perSecond;
                stream.valid = true;
            }
        }
    }
    return stream;
}

// Stream number of a movi chunk id such as "00db": the two leading digits.
int StreamNumber(const std::vector<uint8_t>& raw, size_t offset) {
    char a = static_cast<char>(raw[offset]);
    char b = static_cast<char>(raw[offset + 1]);
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

void CollectFrames(const Bytes& bytes, const std::vector<uint8_t>& raw, size_t begin, size_t end,
                   int videoStream, MediaInfo* info) {
    ChunkWalker walker(bytes, begin, end);
    Chunk chunk;
    while (walker.Next(&chunk) && info->frames.size() < static_cast<size_t>(info->frameCount)) {
        if (walker.IsList(chunk, "rec ")) {
            CollectFrames(bytes, raw, chunk.data + 4, chunk.data + chunk.size, videoStream, info);
            continue;
        }
        if (StreamNumber(raw, chunk.start) != videoStream)
            continue;
        if (raw[chunk.start + 2] != 'd')
            continue; // 'db' or 'dc': picture data; 'pc' palette changes are skipped
        info->frames.push_back(FrameData{chunk.data, chunk.size});
    }
}

HRESULT ParseAvi(const std::vector<uint8_t>& raw, MediaInfo* info) {
    Bytes bytes(raw);
    info->kind = MediaKind::Avi;
    ChunkWalker top(bytes, 12, 8 + static_cast<size_t>(bytes.U32(4)));
    Chunk chunk;
    bool haveMainHeader = false;
    uint32_t microSecondsPerFrame = 0;
    uint32_t totalFrames = 0;
    AviStream video;
    AviStream audio;
    int streamIndex = 0;
    int videoStream = -1;
    size_t moviBegin = 0, moviEnd = 0;
    while (top.Next(&chunk)) {
        if (top.IsList(chunk, "hdrl")) {
            ChunkWalker header(bytes, chunk.data + 4, chunk.data + chunk.size);
            Chunk inner;
            while (header.Next(&inner)) {
                if (bytes.IdAt(inner.start, "avih")) {
                    if (inner.size < 40 || inner.cut)
                        return VFW_E_INVALID_FILE_FORMAT;
                    microSecondsPerFrame = bytes.U32(inner.data);
                    totalFrames = bytes.U32(inner.data + 16);
                    haveMainHeader = true;
                } else if (header.IsList(inner, "strl")) {
                    AviStream stream = ParseStreamList(bytes, inner, info);
                    if (stream.video && stream.valid && videoStream < 0) {
                        video = stream;
                        videoStream = streamIndex;
                        info->hasVideo = true;
                    } else if (stream.audio && stream.valid && !audio.valid) {
                        audio = stream;
                        info->hasAudio = true;
                    } else if ((stream.video && videoStream < 0) ||
                               (stream.audio && !audio.valid)) {
                        return VFW_E_INVALID_FILE_FORMAT; // a stream whose headers are broken
                    }
                    ++streamIndex;
                }
            }
        } else if (top.IsList(chunk, "movi")) {
            moviBegin = chunk.data + 4;
            moviEnd = chunk.data + chunk.size;
        }
    }
    if (!haveMainHeader || (!info->hasVideo && !info->hasAudio))
        return VFW_E_INVALID_FILE_FORMAT;

    REFERENCE_TIME videoLength = 0;
    if (info->hasVideo) {
        if (video.scale && video.rate)
            info->frameDuration = 1.0e7 * video.scale / video.rate;
        else if (microSecondsPerFrame)
            info->frameDuration = 10.0 * microSecondsPerFrame;
        else
            return VFW_E_INVALID_FILE_FORMAT;
        long frames = static_cast<long>(video.length ? video.length : totalFrames);
        if (frames <= 0 || frames > 100000000)
            return VFW_E_INVALID_FILE_FORMAT;
        info->frameCount = frames;
        videoLength = static_cast<REFERENCE_TIME>(std::llround(frames * info->frameDuration));
        if (moviEnd > moviBegin)
            CollectFrames(bytes, raw, moviBegin, moviEnd, videoStream, info);
    }
    REFERENCE_TIME audioLength = 0;
    if (info->hasAudio) {
        if (!audio.scale || !audio.rate)
            return VFW_E_INVALID_FILE_FORMAT;
        audioLength = static_cast<REFERENCE_TIME>(
            std::llround(1.0e7 * audio.length * static_cast<double>(audio.scale) / audio.rate));
    }
    info->duration = videoLength > audioLength ? videoLength : audioLength;
    return S_OK;
}

HRESULT ParseWave(const std::vector<uint8_t>& raw, MediaInfo* info) {
    Bytes bytes(raw);
    info->kind = MediaKind::Wave;
    ChunkWalker top(bytes, 12, 8 + static_cast<size_t>(bytes.U32(4)));
    Chunk chunk;
    bool haveFormat = false;
    bool haveData = false;
    size_t dataBytes = 0;
    while (top.Next(&chunk)) {
        if (bytes.IdAt(chunk.start, "fmt ")) {
            if (chunk.size < 16 || chunk.cut)
                return VFW_E_INVALID_FILE_FORMAT;
            info->channels = bytes.U16(chunk.data + 2);
            info->samplesPerSecond = static_cast<long>(bytes.U32(chunk.data + 4));
            info->bytesPerSecond = static_cast<long>(bytes.U32(chunk.data + 8));
            if (info->channels <= 0 || info->samplesPerSecond <= 0 || info->bytesPerSecond <= 0 ||
                bytes.U16(chunk.data + 12) == 0)
                return VFW_E_INVALID_FILE_FORMAT;
            haveFormat = true;
        } else if (bytes.IdAt(chunk.start, "data") && haveFormat) {
            dataBytes = chunk.size; // a cut data chunk plays what is there
            haveData = true;
        }
    }
    if (!haveFormat || !haveData)
        return VFW_E_INVALID_FILE_FORMAT;
    info->hasAudio = true;
    info->duration = static_cast<REFERENCE_TIME>(
        std::llround(1.0e7 * static_cast<double>(dataBytes) / info->bytesPerSecond));
    return S_OK;
}

// A still picture plays as one frame lasting one second.
HRESULT ParseBitmap(const std::vector<uint8_t>& raw, MediaInfo* info) {
    Bytes bytes(raw);
    info->kind = MediaKind::Bitmap;
    if (!bytes.Has(0, 14 + 12))
        return VFW_E_INVALID_FILE_FORMAT;
    size_t pixels = bytes.U32(10);
    uint32_t headerSize = bytes.U32(14);
    long width, height;
    int bitCount;
    uint32_t compression = 0;
    if (headerSize == 12) { // OS/2 core header
        width = bytes.U16(18);
        height = bytes.U16(20);
        bitCount = bytes.U16(24);
    } else if (headerSize >= 40 && bytes.Has(14, 40)) {
        width = static_cast<int32_t>(bytes.U32(18));
        height = static_cast<int32_t>(bytes.U32(22));
        bitCount = bytes.U16(28);
        compression = bytes.U32(30);
    } else {
        return VFW_E_INVALID_FILE_FORMAT;
    }
    if (!PlausibleBitmap(width, height, bitCount) || bytes.U16(headerSize == 12 ? 22 : 26) != 1)
        return VFW_E_INVALID_FILE_FORMAT;
    SetPicture(info, width, height, bitCount, 0);
    if (compression == 0 || compression == 3) { // BI_RGB, BI_BITFIELDS: rows must be all there
        size_t need = RowBytes(width, bitCount) * static_cast<size_t>(info->height);
        if (pixels < 14 + 12 || !bytes.Has(pixels, need))
            return VFW_E_INVALID_FILE_FORMAT;
        info->frames.push_back(FrameData{pixels, need});
    }
    info->hasVideo = true;
    info->frameCount = 1;
    info->frameDuration = 1.0e7;
    info->duration = 10000000;
    return S_OK;
}

} // namespace

std::string MediaInfo::FourccText() const {
    if (compression == 0)
        return std::string();
    std::string text;
    for (int i = 0; i < 4; ++i)
        text.push_back(static_cast<char>((compression >> (8 * i)) & 0xFF));
    return text;
}

HRESULT ParseMedia(std::vector<uint8_t> raw, MediaInfo* info) {
    *info = MediaInfo();
    Bytes bytes(raw);
    HRESULT hr = VFW_E_UNKNOWN_FILE_TYPE;
    if (bytes.IdAt(0, "RIFF") && bytes.IdAt(8, "AVI "))
        hr = ParseAvi(raw, info);
    else if (bytes.IdAt(0, "RIFF") && bytes.IdAt(8, "WAVE"))
        hr = ParseWave(raw, info);
    else if (bytes.Has(0, 2) && raw[0] == 'B' && raw[1] == 'M')
        hr = ParseBitmap(raw, info);
    if (FAILED(hr)) {
        *info = MediaInfo();
        return hr;
    }
    info->bytes = std::move(raw);
    return S_OK;
}

} // namespace dshow
} // namespace standin

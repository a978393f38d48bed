// Real pixels for uncompressed 24- and 32-bit pictures (AVI frames and BMP stills); a synthesized
// 24-bit picture otherwise (red 4x, green 4y, blue 8 times the frame number, each modulo 256).
#include "current_image.h"

#include <cstring>

namespace standin {
namespace dshow {
namespace {

const long kHeaderSize = 40;

long RowBytes(long width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

bool RealPixels(const MediaInfo& media) {
    return media.Uncompressed() && (media.bitCount == 24 || media.bitCount == 32);
}

int OutputBits(const MediaInfo& media) {
    return RealPixels(media) ? media.bitCount : 24;
}

void Put32(unsigned char* at, long value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(v >> (8 * i));
}

void Put16(unsigned char* at, int value) {
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

} // namespace

long CurrentImageSize(const MediaInfo& media) {
    return kHeaderSize + RowBytes(media.width, OutputBits(media)) * media.height;
}

void WriteCurrentImage(const MediaInfo& media, long frame, unsigned char* out) {
    const int bits = OutputBits(media);
    const long row = RowBytes(media.width, bits);
    std::memset(out, 0, static_cast<size_t>(CurrentImageSize(media)));
    Put32(out, kHeaderSize);
    Put32(out + 4, media.width);
    Put32(out + 8, media.height);
    Put16(out + 12, 1);
    Put16(out + 14, bits);
    Put32(out + 16, 0); // BI_RGB
    Put32(out + 20, row * media.height);
    unsigned char* pixels = out + kHeaderSize;

    const FrameData* data = nullptr;
    if (RealPixels(media) && frame >= 0 && static_cast<size_t>(frame) < media.frames.size())
        data = &media.frames[static_cast<size_t>(frame)];
    if (data && data->size >= static_cast<size_t>(row * media.height) &&
        data->offset + static_cast<size_t>(row * media.height) <= media.bytes.size()) {
        for (long y = 0; y < media.height; ++y) {
            // stored rows run bottom-up unless the picture is top-down; the DIB is bottom-up
            long source = media.topDown ? media.height - 1 - y : y;
            std::memcpy(pixels + y * row, &media.bytes[data->offset + source * row],
                        static_cast<size_t>(row));
        }
        return;
    }
    const int step = bits / 8;
    for (long y = 0; y < media.height; ++y) {
        long pictureRow = media.height - 1 - y; // row y of a bottom-up DIB is picture row h-1-y
        unsigned char* line = pixels + y * row;
        for (long x = 0; x < media.width; ++x) {
            line[x * step] = static_cast<unsigned char>(frame * 8);
            line[x * step + 1] = static_cast<unsigned char>(pictureRow * 4);
            line[x * step + 2] = static_cast<unsigned char>(x * 4);
        }
    }
}

} // namespace dshow
} // namespace standin

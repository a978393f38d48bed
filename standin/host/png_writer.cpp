#include "png_writer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace hoststandin {
namespace {

constexpr DWORD kStoredBlockLimit = 65535; // bytes of one deflate stored block
constexpr BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct CrcTable {
    DWORD entries[256];
    CrcTable() {
        for (DWORD n = 0; n < 256; ++n) {
            DWORD c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
    }
};

void PutBigEndian(BYTE* at, DWORD value) {
    at[0] = static_cast<BYTE>(value >> 24);
    at[1] = static_cast<BYTE>(value >> 16);
    at[2] = static_cast<BYTE>(value >> 8);
    at[3] = static_cast<BYTE>(value);
}

// Writes a chunk whose data is known up front.
bool WriteChunk(ImageSink& sink, const char* type, const BYTE* data, DWORD size) {
    BYTE head[8];
    PutBigEndian(head, size);
    std::memcpy(head + 4, type, 4);
    DWORD crc = Crc32(Crc32(0, head + 4, 4), data, size);
    BYTE tail[4];
    PutBigEndian(tail, crc);
    return sink.Write(head, 8) && (size == 0 || sink.Write(data, size)) && sink.Write(tail, 4);
}

// Streams the one IDAT chunk: a zlib header, stored blocks of the filtered rows, the Adler-32
// of the rows, then the chunk CRC. The total length is known in advance, so nothing is held
// back but one block.
class ImageDataWriter {
  public:
    ImageDataWriter(ImageSink& sink, unsigned long long rawSize) : sink(sink), rawLeft(rawSize) {
        unsigned long long blocks = (rawSize + kStoredBlockLimit - 1) / kStoredBlockLimit;
        chunkSize = 2 + blocks * 5 + rawSize + 4;
    }

    bool Begin() {
        if (chunkSize > 0x7FFFFFFFull)
            return false;
        BYTE head[10];
        PutBigEndian(head, static_cast<DWORD>(chunkSize));
        std::memcpy(head + 4, "IDAT", 4);
        head[8] = 0x78; // deflate, 32 KiB window
        head[9] = 0x01; // no dictionary, fastest; (0x78 << 8 | 0x01) % 31 == 0
        crc = Crc32(0, head + 4, 6);
        return sink.Write(head, 10);
    }

    bool Add(const BYTE* data, size_t size) {
        adler = Adler32(adler, data, size);
        while (size > 0) {
            size_t take = kStoredBlockLimit - filled;
            if (take > size)
                take = size;
            std::memcpy(block + filled, data, take);
            filled += static_cast<DWORD>(take);
            data += take;
            size -= take;
            rawLeft -= take;
            if (filled == kStoredBlockLimit || rawLeft == 0)
                if (!FlushBlock(rawLeft == 0))
                    return false;
        }
        return true;
    }

    bool End() {
        BYTE tail[8];
        PutBigEndian(tail, adler);
        crc = Crc32(crc, tail, 4);
        PutBigEndian(tail + 4, crc);
        return sink.Write(tail, 8);
    }

  private:
    bool FlushBlock(bool final) {
        BYTE head[5] = {static_cast<BYTE>(final ? 1 : 0), static_cast<BYTE>(filled),
                        static_cast<BYTE>(filled >> 8), static_cast<BYTE>(~filled),
                        static_cast<BYTE>(~filled >> 8)};
        crc = Crc32(Crc32(crc, head, 5), block, filled);
        bool written = sink.Write(head, 5) && sink.Write(block, filled);
        filled = 0;
        return written;
    }

    ImageSink& sink;
    unsigned long long rawLeft;
    unsigned long long chunkSize;
    DWORD crc = 0;
    DWORD adler = 1;
    DWORD filled = 0;
    BYTE block[kStoredBlockLimit];
};

} // namespace

DWORD Crc32(DWORD crc, const BYTE* data, size_t size) {
    static const CrcTable table;
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
        crc = table.entries[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

DWORD Adler32(DWORD adler, const BYTE* data, size_t size) {
    DWORD a = adler & 0xFFFF, b = adler >> 16;
    while (size > 0) {
        size_t run = size < 5552 ? size : 5552; // the largest run without 32-bit overflow
        size -= run;
        while (run--) {
            a += *data++;
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return (b << 16) | a;
}

bool WritePng(const Surface& surface, ImageSink& sink) {
    if (surface.Empty())
        return false;
    const int width = surface.Width();
    const int height = surface.Height();
    const int pixelBytes = surface.Depth() / 8;

    BYTE header[13] = {};
    PutBigEndian(header, static_cast<DWORD>(width));
    PutBigEndian(header + 4, static_cast<DWORD>(height));
    header[8] = 8; // bits per channel
    header[9] = 2; // colour type: RGB
    // compression 0, filter method 0, no interlace
    if (!sink.Write(kSignature, sizeof kSignature) || !WriteChunk(sink, "IHDR", header, 13))
        return false;

    const size_t rowBytes = 1 + static_cast<size_t>(width) * 3;
    std::vector<BYTE> row;
    try {
        row.resize(rowBytes);
    } catch (...) {
        return false;
    }
    auto data = std::make_unique<ImageDataWriter>(sink, static_cast<unsigned long long>(rowBytes) *
                                                            static_cast<unsigned>(height));
    if (!data->Begin())
        return false;
    for (int y = 0; y < height; ++y) {
        const BYTE* in = surface.RowFromTop(y);
        BYTE* out = row.data();
        *out++ = 0; // filter type: none
        for (int x = 0; x < width; ++x, in += pixelBytes, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        if (!data->Add(row.data(), rowBytes))
            return false;
    }
    return data->End() && WriteChunk(sink, "IEND", nullptr, 0);
}

bool WritePngFile(const Surface& surface, const char* path) {
    MemorySink png;
    if (!path || !WritePng(surface, png))
        return false;
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    bool written =
        std::fwrite(png.Bytes().data(), 1, png.Bytes().size(), file) == png.Bytes().size();
    return std::fclose(file) == 0 && written;
}

} // namespace hoststandin

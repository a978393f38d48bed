#include "dib_codec.h"

#include <cstring>
#include <utility>

namespace hoststandin {
namespace {

constexpr DWORD kCompressionNone = 0;      // BI_RGB
constexpr DWORD kCompressionBitFields = 3; // BI_BITFIELDS
constexpr DWORD kMaxColours = 256;

DWORD ReadDword(const BYTE* at) {
    DWORD value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

WORD ReadWord(const BYTE* at) {
    WORD value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void WriteDword(BYTE* at, DWORD value) {
    std::memcpy(at, &value, sizeof value);
}
void WriteWord(BYTE* at, WORD value) {
    std::memcpy(at, &value, sizeof value);
}

bool KnownHeaderSize(DWORD size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// One channel of a bit-field pixel: where it sits and how to widen it to 8 bits.
struct Channel {
    DWORD mask;
    int shift;
    int bits;
};

bool DescribeMask(DWORD mask, int bitCount, Channel* channel) {
    if (mask == 0 || (bitCount == 16 && mask > 0xFFFFu))
        return false;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    DWORD run = mask >> shift;
    if ((run & (run + 1)) != 0) // the set bits must be contiguous
        return false;
    int bits = 0;
    while (run) {
        ++bits;
        run >>= 1;
    }
    *channel = Channel{mask, shift, bits};
    return true;
}

BYTE Widen(DWORD pixel, const Channel& channel) {
    DWORD value = (pixel & channel.mask) >> channel.shift;
    if (channel.bits >= 8)
        return static_cast<BYTE>(value >> (channel.bits - 8));
    DWORD top = (1u << channel.bits) - 1;
    return static_cast<BYTE>((value * 255 + top / 2) / top);
}

// Converts one source row into a surface row of `outBytes` bytes per pixel (3 or 4).
void ConvertRow(const DibLayout& dib, const Channel* channels, const BYTE* in, BYTE* out,
                int outBytes) {
    const int width = dib.width;
    switch (dib.bitCount) {
    case 8:
        for (int x = 0; x < width; ++x, out += outBytes) {
            DWORD index = in[x];
            if (index < dib.colourCount) {
                const BYTE* quad = dib.colours + index * 4;
                out[0] = quad[0];
                out[1] = quad[1];
                out[2] = quad[2];
            } else {
                out[0] = out[1] = out[2] = 0; // an index past the table shows black
            }
            if (outBytes == 4)
                out[3] = 0;
        }
        return;
    case 24:
        if (outBytes == 3) {
            std::memcpy(out, in, static_cast<size_t>(width) * 3);
            return;
        }
        for (int x = 0; x < width; ++x, in += 3, out += 4) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out[3] = 0;
        }
        return;
    case 32:
        if (!channels) {
            if (outBytes == 4) {
                std::memcpy(out, in, static_cast<size_t>(width) * 4);
                return;
            }
            for (int x = 0; x < width; ++x, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
            return;
        }
        for (int x = 0; x < width; ++x, in += 4, out += outBytes) {
            DWORD pixel = ReadDword(in);
            out[0] = Widen(pixel, channels[2]);
            out[1] = Widen(pixel, channels[1]);
            out[2] = Widen(pixel, channels[0]);
            if (outBytes == 4)
                out[3] = 0;
        }
        return;
    case 16:
        for (int x = 0; x < width; ++x, in += 2, out += outBytes) {
            DWORD pixel = ReadWord(in);
            out[0] = Widen(pixel, channels[2]);
            out[1] = Widen(pixel, channels[1]);
            out[2] = Widen(pixel, channels[0]);
            if (outBytes == 4)
                out[3] = 0;
        }
        return;
    }
}

} // namespace

bool ReadDibLayout(const void* packedDib, DibLayout* layout) {
    if (!packedDib || !layout)
        return false;
    const BYTE* header = static_cast<const BYTE*>(packedDib);
    const DWORD headerSize = ReadDword(header);
    if (!KnownHeaderSize(headerSize))
        return false;
    const LONG width = static_cast<LONG>(ReadDword(header + 4));
    const LONG height = static_cast<LONG>(ReadDword(header + 8));
    const WORD planes = ReadWord(header + 12);
    const WORD bitCount = ReadWord(header + 14);
    const DWORD compression = ReadDword(header + 16);
    const DWORD imageSize = ReadDword(header + 20);
    const DWORD coloursUsed = ReadDword(header + 32);

    if (planes != 1 || width <= 0 || width > kMaxSurfaceSide || height == 0 ||
        height < -kMaxSurfaceSide || height > kMaxSurfaceSide)
        return false;
    if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;
    const bool bitFields = compression == kCompressionBitFields;
    if (compression != kCompressionNone && !(bitFields && (bitCount == 16 || bitCount == 32)))
        return false;
    if (coloursUsed > kMaxColours)
        return false;

    DibLayout result = {};
    result.width = width;
    result.height = height < 0 ? -height : height;
    result.topDown = height < 0;
    result.bitCount = bitCount;

    const unsigned long long stride =
        AlignedRowBytes(static_cast<unsigned long long>(width), bitCount);
    const unsigned long long pixelBytes = stride * static_cast<unsigned long long>(result.height);
    if (pixelBytes > kMaxSurfaceBytes)
        return false;
    if (imageSize != 0 && imageSize < pixelBytes)
        return false; // the header's own size says the rows are not all there
    result.stride = static_cast<DWORD>(stride);

    const BYTE* after = header + headerSize;
    if (bitFields) {
        const BYTE* masks = headerSize == kInfoHeaderBytes ? after : header + kInfoHeaderBytes;
        result.redMask = ReadDword(masks);
        result.greenMask = ReadDword(masks + 4);
        result.blueMask = ReadDword(masks + 8);
        if (headerSize == kInfoHeaderBytes)
            after += 12;
    } else if (bitCount == 16) {
        result.redMask = 0x7C00;
        result.greenMask = 0x03E0;
        result.blueMask = 0x001F;
    }
    // Bit fields are used only when all three masks describe a channel: a zero red mask must not
    // turn a bit-field picture into one read without masks (16-bit pixels have no such reading).
    if (result.redMask || bitFields) {
        Channel unused;
        if (!DescribeMask(result.redMask, bitCount, &unused) ||
            !DescribeMask(result.greenMask, bitCount, &unused) ||
            !DescribeMask(result.blueMask, bitCount, &unused))
            return false;
    }

    result.colourCount = bitCount == 8 && coloursUsed == 0 ? kMaxColours : coloursUsed;
    result.colours = result.colourCount ? after : nullptr;
    result.pixels = after + result.colourCount * 4;
    *layout = result;
    return true;
}

bool LoadSurfaceFromDib(Surface& surface, const void* packedDib) {
    DibLayout dib;
    if (!ReadDibLayout(packedDib, &dib))
        return false;
    Channel channels[3];
    const bool masked = dib.redMask != 0;
    if (masked) {
        DescribeMask(dib.redMask, dib.bitCount, &channels[0]);
        DescribeMask(dib.greenMask, dib.bitCount, &channels[1]);
        DescribeMask(dib.blueMask, dib.bitCount, &channels[2]);
    }
    int depth = surface.Empty() ? (dib.bitCount == 32 ? 32 : 24) : surface.Depth();
    // A surface created at the DIB's size (as a grab does) is filled where it is; otherwise the
    // pixels go to a new store that replaces the old one only once it exists.
    Surface resized;
    Surface* target = &surface;
    if (surface.Empty() || surface.Width() != dib.width || surface.Height() != dib.height) {
        if (!resized.Create(dib.width, dib.height, depth))
            return false;
        target = &resized;
    }
    const int outBytes = depth / 8;
    for (int y = 0; y < dib.height; ++y) {
        int sourceRow = dib.topDown ? y : dib.height - 1 - y;
        ConvertRow(dib, masked ? channels : nullptr,
                   dib.pixels + static_cast<size_t>(sourceRow) * dib.stride, target->RowFromTop(y),
                   outBytes);
    }
    if (target == &resized)
        surface = std::move(resized);
    return true;
}

DWORD PackedDibSize(const Surface& surface) {
    return surface.Empty() ? 0 : kInfoHeaderBytes + surface.BitsSize();
}

void WriteInfoHeader(const Surface& surface, BYTE* header) {
    std::memset(header, 0, kInfoHeaderBytes);
    WriteDword(header, kInfoHeaderBytes);
    WriteDword(header + 4, static_cast<DWORD>(surface.Width()));
    WriteDword(header + 8, static_cast<DWORD>(surface.Height())); // bottom-up
    WriteWord(header + 12, 1);
    WriteWord(header + 14, static_cast<WORD>(surface.Depth()));
    WriteDword(header + 16, kCompressionNone);
    WriteDword(header + 20, surface.BitsSize());
}

DWORD WritePackedDib(const Surface& surface, void* destination) {
    if (surface.Empty() || !destination)
        return 0;
    BYTE* out = static_cast<BYTE*>(destination);
    WriteInfoHeader(surface, out);
    std::memcpy(out + kInfoHeaderBytes, surface.Bits(), surface.BitsSize());
    return PackedDibSize(surface);
}

} // namespace hoststandin

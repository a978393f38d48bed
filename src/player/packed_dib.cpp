#include "player/packed_dib.h"

#include <cstring>

namespace {

const DWORD CompressionRgb = 0;       // BI_RGB
const DWORD CompressionBitFields = 3; // BI_BITFIELDS
const LONG BitFieldMaskBytes = 12;    // three DWORD masks after a 40-byte header

DWORD ReadDword(const BYTE* at) {
    DWORD value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

WORD ReadWord(const BYTE* at) {
    WORD value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

WORD PackedDibBitCount(const BYTE* dib, LONG blockBytes) {
    if (!dib || blockBytes < kDibInfoHeaderBytes)
        return 0;
    return ReadWord(dib + 14);
}

bool PackedDibFitsBlock(const BYTE* dib, LONG blockBytes) {
    return PackedDibLength(dib, blockBytes) > 0;
}

LONG PackedDibLength(const BYTE* dib, LONG blockBytes) {
    if (!dib || blockBytes < kDibInfoHeaderBytes)
        return 0;
    const unsigned long long block = static_cast<unsigned long long>(blockBytes);
    const DWORD headerBytes = ReadDword(dib);
    const LONG width = static_cast<LONG>(ReadDword(dib + 4));
    const LONG height = static_cast<LONG>(ReadDword(dib + 8));
    const WORD bitCount = ReadWord(dib + 14);
    const DWORD compression = ReadDword(dib + 16);
    const DWORD imageBytes = ReadDword(dib + 20);
    const DWORD coloursUsed = ReadDword(dib + 32);
    if (headerBytes < static_cast<DWORD>(kDibInfoHeaderBytes) || headerBytes > block)
        return 0;
    if (width <= 0 || height == 0 || bitCount == 0 || bitCount > 32)
        return 0;

    unsigned long long reach = headerBytes;
    if (compression == CompressionBitFields &&
        headerBytes == static_cast<DWORD>(kDibInfoHeaderBytes))
        reach += BitFieldMaskBytes;
    unsigned long long colours = coloursUsed;
    if (colours == 0 && bitCount <= 8)
        colours = 1ull << bitCount;
    reach += colours * 4;

    // Heights are signed: negative is a top-down picture. Widened before negation so the most
    // negative value cannot overflow.
    unsigned long long pixels = 0;
    const unsigned long long rows =
        height < 0 ? static_cast<unsigned long long>(-static_cast<long long>(height))
                   : static_cast<unsigned long long>(height);
    if (compression == CompressionRgb || compression == CompressionBitFields) {
        const unsigned long long stride =
            (static_cast<unsigned long long>(width) * bitCount + 31) / 32 * 4;
        // Compared by division: stride x rows of a hostile header overflows 64 bits.
        if (reach > block || rows > (block - reach) / stride)
            return 0;
        pixels = stride * rows;
    } else if (imageBytes == 0) {
        // A compressed picture says its length only in the image size field.
        return 0;
    }
    if (reach + imageBytes > block)
        return 0;
    return static_cast<LONG>(reach + (imageBytes > pixels ? imageBytes : pixels));
}

// Decoders for the image files the host stand-in writes, so tests can compare saved pixels with
// their source. Written independently of the encoders: every length, checksum and field is
// verified, and anything unexpected is reported in `why`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first, 3 bytes (R, G, B) per pixel

    // 0xRRGGBB of the pixel at (x, y), y counted from the top.
    uint32_t At(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
};

// A BMP file (14-byte file header + 40-byte info header, 24 or 32 bits, uncompressed, either
// row order).
bool DecodeBmp(const std::string& file, DecodedImage* image, std::string* why);
// A packed DIB of the same kinds (what the clipboard holds as CF_DIB).
bool DecodePackedDib(const std::string& dib, DecodedImage* image, std::string* why);
// A PNG file: 8-bit RGB, no interlace, filter type 0 rows, zlib data in stored blocks (what the
// stand-in writes); chunk CRCs and the Adler-32 are checked.
bool DecodePng(const std::string& file, DecodedImage* image, std::string* why);

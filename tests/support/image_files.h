// Image files decoded with Debian's stb_image, a reader independent of the host stand-in's
// encoders, so tests can compare saved pixels with their source.
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

// A BMP file; false, with the reason in `why`, for anything else.
bool DecodeBmp(const std::string& file, DecodedImage* image, std::string* why);
// A packed DIB (what the clipboard holds as CF_DIB): read as the BMP file it begins.
bool DecodePackedDib(const std::string& dib, DecodedImage* image, std::string* why);
// A PNG file.
bool DecodePng(const std::string& file, DecodedImage* image, std::string* why);

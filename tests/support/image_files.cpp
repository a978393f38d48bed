#include "support/image_files.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
// Inlined into Decode by an optimising build, stb's reader callbacks draw a false alarm.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {

bool Fail(std::string* why, const std::string& reason) {
    if (why)
        *why = reason;
    return false;
}

bool Decode(const std::string& file, DecodedImage* image, std::string* why) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()),
                              static_cast<int>(file.size()), &width, &height, &channels, 3);
    if (!pixels)
        return Fail(why, std::string("stb_image: ") + stbi_failure_reason());
    image->width = width;
    image->height = height;
    image->rgb.assign(pixels, pixels + static_cast<size_t>(width) * height * 3);
    stbi_image_free(pixels);
    return true;
}

uint32_t Le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
           uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}

} // namespace

bool DecodeBmp(const std::string& file, DecodedImage* image, std::string* why) {
    if (file.compare(0, 2, "BM") != 0)
        return Fail(why, "no BM signature");
    return Decode(file, image, why);
}

bool DecodePackedDib(const std::string& dib, DecodedImage* image, std::string* why) {
    if (dib.size() < 40)
        return Fail(why, "shorter than an info header");
    // The file header a BMP file puts before the DIB: where the pixels start after the info
    // header, the masks of a 40-byte bit-field header and the colour table.
    const uint32_t headerSize = Le32(dib, 0);
    const uint32_t bitFieldMasks = headerSize == 40 && Le32(dib, 16) == 3 ? 12 : 0;
    const uint32_t offset = 14 + headerSize + bitFieldMasks + Le32(dib, 32) * 4;
    std::string file = "BM";
    for (uint32_t value : {uint32_t(14 + dib.size()), 0u, offset})
        for (int i = 0; i < 4; ++i)
            file.push_back(char(value >> (8 * i)));
    return Decode(file + dib, image, why);
}

bool DecodePng(const std::string& file, DecodedImage* image, std::string* why) {
    if (file.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0)
        return Fail(why, "no PNG signature");
    return Decode(file, image, why);
}

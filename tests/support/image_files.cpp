#include "support/image_files.h"

#include <cstring>

namespace {

uint32_t Le32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 |
           uint32_t(uint8_t(s[at + 2])) << 16 | uint32_t(uint8_t(s[at + 3])) << 24;
}
uint16_t Le16(const std::string& s, size_t at) {
    return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8);
}
uint32_t Be32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 |
           uint32_t(uint8_t(s[at + 2])) << 8 | uint32_t(uint8_t(s[at + 3]));
}

bool Fail(std::string* why, const std::string& reason) {
    if (why)
        *why = reason;
    return false;
}

// Bit-by-bit CRC-32 (no table), deliberately unlike the encoder's.
uint32_t SlowCrc32(const std::string& s, size_t at, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= uint8_t(s[at + i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t SlowAdler32(const std::string& s) {
    uint32_t a = 1, b = 0;
    for (unsigned char c : s) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

} // namespace

bool DecodePackedDib(const std::string& dib, DecodedImage* image, std::string* why) {
    if (dib.size() < 40 || Le32(dib, 0) != 40)
        return Fail(why, "no 40-byte info header");
    int32_t width = int32_t(Le32(dib, 4));
    int32_t height = int32_t(Le32(dib, 8));
    uint16_t bits = Le16(dib, 14);
    if (Le16(dib, 12) != 1 || Le32(dib, 16) != 0 || (bits != 24 && bits != 32))
        return Fail(why, "not an uncompressed 24/32-bit DIB");
    if (width <= 0 || height == 0)
        return Fail(why, "bad size");
    bool topDown = height < 0;
    int rows = topDown ? -height : height;
    size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    size_t colours = Le32(dib, 32);
    size_t start = 40 + colours * 4;
    if (Le32(dib, 20) != 0 && Le32(dib, 20) != stride * rows)
        return Fail(why, "image size field " + std::to_string(Le32(dib, 20)) +
                             " != " + std::to_string(stride * rows));
    if (dib.size() != start + stride * rows)
        return Fail(why, "size " + std::to_string(dib.size()) +
                             " != " + std::to_string(start + stride * rows));
    image->width = width;
    image->height = rows;
    image->rgb.assign(size_t(width) * rows * 3, 0);
    for (int y = 0; y < rows; ++y) {
        size_t row = start + stride * size_t(topDown ? y : rows - 1 - y);
        for (int x = 0; x < width; ++x) {
            size_t p = row + size_t(x) * (bits / 8);
            uint8_t* out = &image->rgb[(size_t(y) * width + x) * 3];
            out[0] = uint8_t(dib[p + 2]);
            out[1] = uint8_t(dib[p + 1]);
            out[2] = uint8_t(dib[p]);
        }
    }
    return true;
}

bool DecodeBmp(const std::string& file, DecodedImage* image, std::string* why) {
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return Fail(why, "no BM signature");
    if (Le32(file, 2) != file.size())
        return Fail(why, "file size field " + std::to_string(Le32(file, 2)) +
                             " != " + std::to_string(file.size()));
    if (Le32(file, 10) != 54)
        return Fail(why, "pixel offset " + std::to_string(Le32(file, 10)));
    return DecodePackedDib(file.substr(14), image, why);
}

bool DecodePng(const std::string& file, DecodedImage* image, std::string* why) {
    static const char kSignature[8] = {char(0x89), 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0)
        return Fail(why, "no PNG signature");
    std::string zlib;
    bool sawHeader = false, sawEnd = false;
    uint32_t width = 0, height = 0;
    for (size_t at = 8; at < file.size() && !sawEnd;) {
        if (at + 12 > file.size())
            return Fail(why, "truncated chunk");
        uint32_t length = Be32(file, at);
        if (length > file.size() - at - 12)
            return Fail(why, "chunk longer than the file");
        std::string type = file.substr(at + 4, 4);
        if (SlowCrc32(file, at + 4, 4 + length) != Be32(file, at + 8 + length))
            return Fail(why, "bad CRC in " + type);
        if (type == "IHDR") {
            if (length != 13)
                return Fail(why, "IHDR length");
            width = Be32(file, at + 8);
            height = Be32(file, at + 12);
            const char* rest = &file[at + 16];
            if (rest[0] != 8 || rest[1] != 2 || rest[2] || rest[3] || rest[4])
                return Fail(why, "not 8-bit RGB, plain");
            sawHeader = true;
        } else if (type == "IDAT") {
            zlib += file.substr(at + 8, length);
        } else if (type == "IEND") {
            sawEnd = true;
        } else if (!(type[0] & 0x20)) {
            return Fail(why, "unknown critical chunk " + type);
        }
        at += 12 + length;
    }
    if (!sawHeader || !sawEnd || width == 0 || height == 0)
        return Fail(why, "missing IHDR or IEND");
    if (zlib.size() < 6 || (uint8_t(zlib[0]) & 0x0F) != 8 ||
        ((uint8_t(zlib[0]) << 8) | uint8_t(zlib[1])) % 31 != 0)
        return Fail(why, "bad zlib header");
    std::string raw;
    size_t at = 2;
    for (bool last = false; !last;) {
        if (at + 5 > zlib.size())
            return Fail(why, "truncated deflate block");
        uint8_t head = uint8_t(zlib[at]);
        last = head & 1;
        if ((head >> 1) != 0)
            return Fail(why, "compressed deflate block (only stored blocks are decoded here)");
        uint16_t len = Le16(zlib, at + 1), nlen = Le16(zlib, at + 3);
        if (uint16_t(~nlen) != len || at + 5 + len > zlib.size())
            return Fail(why, "bad stored block length");
        raw += zlib.substr(at + 5, len);
        at += 5 + len;
    }
    if (at + 4 != zlib.size() || Be32(zlib, at) != SlowAdler32(raw))
        return Fail(why, "bad Adler-32 or trailing bytes");
    size_t rowBytes = 1 + size_t(width) * 3;
    if (raw.size() != rowBytes * height)
        return Fail(why, "image data size");
    image->width = int(width);
    image->height = int(height);
    image->rgb.clear();
    for (uint32_t y = 0; y < height; ++y) {
        if (raw[y * rowBytes] != 0)
            return Fail(why, "row filter other than none");
        image->rgb.insert(image->rgb.end(), raw.begin() + y * rowBytes + 1,
                          raw.begin() + (y + 1) * rowBytes);
    }
    return true;
}

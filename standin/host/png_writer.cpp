#include "png_writer.h"

#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace hoststandin {
namespace {

struct SinkContext {
    ImageSink* sink;
    bool written;
};

// stb_image_write hands over the whole file at once.
void ToSink(void* context, void* data, int size) {
    auto* target = static_cast<SinkContext*>(context);
    target->written =
        target->written && size >= 0 && target->sink->Write(data, static_cast<DWORD>(size));
}

} // namespace

bool WritePng(const Surface& surface, ImageSink& sink) {
    if (surface.Empty())
        return false;
    const int width = surface.Width();
    const int height = surface.Height();
    const int pixelBytes = surface.Depth() / 8;
    // The surface keeps BGR(x) rows bottom-up; the encoder takes RGB rows from the top.
    std::vector<BYTE> rgb;
    try {
        rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    } catch (...) {
        return false;
    }
    BYTE* out = rgb.data();
    for (int y = 0; y < height; ++y) {
        const BYTE* in = surface.RowFromTop(y);
        for (int x = 0; x < width; ++x, in += pixelBytes, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    SinkContext context = {&sink, true};
    return stbi_write_png_to_func(ToSink, &context, width, height, 3, rgb.data(), width * 3) &&
           context.written;
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

// PNG files through Debian's stb_image_write: 8-bit RGB, deflate-compressed. A 32-bit surface's
// fourth byte is not alpha in a DIB, so it is not written.
#pragma once

#include "image_sink.h"
#include "surface.h"

namespace hoststandin {

// False for an empty surface, when memory runs out or when the sink refuses the bytes.
bool WritePng(const Surface& surface, ImageSink& sink);

// Writes the surface as a PNG file at a path of the machine running the tests (not a Windows
// path), so a person can look at what a drawing or a grab produced.
bool WritePngFile(const Surface& surface, const char* path);

} // namespace hoststandin

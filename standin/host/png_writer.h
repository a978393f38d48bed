// PNG files: 8-bit RGB, no interlace, the image data in zlib stored (uncompressed) blocks. Plain
// and portable: every PNG reader decodes it. A 32-bit surface's fourth byte is not alpha in a
// DIB, so it is not written.
#pragma once

#include "image_sink.h"
#include "surface.h"

namespace hoststandin {

// False for an empty surface or when the sink refuses the bytes.
bool WritePng(const Surface& surface, ImageSink& sink);

// Writes the surface as a PNG file at a path of the machine running the tests (not a Windows
// path), so a person can look at what a drawing or a grab produced.
bool WritePngFile(const Surface& surface, const char* path);

// The checksums PNG and zlib use, exposed for the encoder's tests.
DWORD Crc32(DWORD crc, const BYTE* data, size_t size);     // start with 0
DWORD Adler32(DWORD adler, const BYTE* data, size_t size); // start with 1

} // namespace hoststandin

// BMP files: a 14-byte file header followed by the surface as a packed DIB.
#pragma once

#include "image_sink.h"
#include "surface.h"

namespace hoststandin {

constexpr DWORD kBmpFileHeaderBytes = 14;

// False for an empty surface or when the sink refuses the bytes.
bool WriteBmp(const Surface& surface, ImageSink& sink);

} // namespace hoststandin

// The packed DIB of the picture the renderer shows: a BITMAPINFOHEADER then bottom-up rows.
#pragma once

#include "media_file.h"

namespace standin {
namespace dshow {

// Bytes the DIB of `frame` takes.
long CurrentImageSize(const MediaInfo& media);
// Writes the DIB of `frame` into `out`, which holds at least CurrentImageSize bytes.
void WriteCurrentImage(const MediaInfo& media, long frame, unsigned char* out);

} // namespace dshow
} // namespace standin

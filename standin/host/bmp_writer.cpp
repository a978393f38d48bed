#include "bmp_writer.h"

#include <cstring>

#include "dib_codec.h"

namespace hoststandin {

bool WriteBmp(const Surface& surface, ImageSink& sink) {
    if (surface.Empty())
        return false;
    const DWORD headersSize = kBmpFileHeaderBytes + kInfoHeaderBytes;
    BYTE headers[kBmpFileHeaderBytes + kInfoHeaderBytes] = {'B', 'M'};
    const DWORD fileSize = headersSize + surface.BitsSize();
    std::memcpy(headers + 2, &fileSize, 4);
    std::memcpy(headers + 10, &headersSize, 4); // offset of the pixels
    WriteInfoHeader(surface, headers + kBmpFileHeaderBytes);
    // The surface already keeps its rows in file order: the pixels go out in one piece.
    return sink.Write(headers, headersSize) && sink.Write(surface.Bits(), surface.BitsSize());
}

} // namespace hoststandin

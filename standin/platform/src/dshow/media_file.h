// What the simulated graph knows about a media file: read and parsed once by RenderFile.
#pragma once

#include <dshow.h>

#include <cstdint>
#include <string>
#include <vector>

namespace standin {
namespace dshow {

enum class MediaKind { Avi, Wave, Bitmap };

// Where one picture's pixels start in the file bytes; size 0 when the frame has no data there.
struct FrameData {
    size_t offset = 0;
    size_t size = 0;
};

struct MediaInfo {
    MediaKind kind = MediaKind::Avi;

    bool hasVideo = false;
    long width = 0;
    long height = 0; // positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    uint32_t compression = 0; // 0 (BI_RGB) or the FourCC
    long frameCount = 0;
    double frameDuration = 0; // 100 ns units
    std::vector<FrameData> frames;

    bool hasAudio = false;
    int channels = 0;
    long samplesPerSecond = 0;
    long bytesPerSecond = 0;

    REFERENCE_TIME duration = 0; // the longer of the streams
    std::vector<uint8_t> bytes;  // the file (its first part for very large files)

    bool Uncompressed() const { return compression == 0; }
    std::string FourccText() const; // "" when uncompressed
};

// Reads and parses the file named by a Windows or host path. Returns S_OK with `info` filled, or
// the failure RenderFile reports (see standin/dshow_control.h).
HRESULT LoadMediaFile(LPCWSTR path, MediaInfo* info);

// Parses bytes already in memory (used by LoadMediaFile; exposed for the parser's own checks).
HRESULT ParseMedia(std::vector<uint8_t> bytes, MediaInfo* info);

} // namespace dshow
} // namespace standin

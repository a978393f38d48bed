// The platform stand-in's media-file reader (what RenderFile reads: RIFF AVI, RIFF WAVE, BMP) on
// any bytes, and the renderer's picture of the first and last frame of what it accepts.
#include "harness/fuzz_targets.h"

#include "dshow/current_image.h"
#include "dshow/media_file.h"

namespace fuzz {
namespace {

// The renderer's picture is made only up to this size (a header may claim 16384 x 16384).
constexpr long kLargestPicture = 8 * 1024 * 1024;

class MediaReader : public Harness {
  public:
    void Run(const uint8_t* data, size_t size) override {
        using namespace standin::dshow;
        MediaInfo info;
        const HRESULT hr = ParseMedia(std::vector<uint8_t>(data, data + size), &info);
        Expect(hr == S_OK || hr == VFW_E_INVALID_FILE_FORMAT || hr == VFW_E_UNKNOWN_FILE_TYPE,
               "the reader accepts or fails with a DirectShow file result");
        if (FAILED(hr))
            return;
        for (const FrameData& frame : info.frames)
            Expect(frame.offset <= info.bytes.size() &&
                       frame.size <= info.bytes.size() - frame.offset,
                   "every frame's data lies inside the file");
        Expect(!info.hasVideo || (info.width > 0 && info.height > 0 && info.frameCount > 0),
               "a picture has a size and frames");
        if (!info.hasVideo)
            return;
        const long bytes = CurrentImageSize(info);
        if (bytes > kLargestPicture)
            return;
        std::unique_ptr<unsigned char[]> picture(new unsigned char[bytes]);
        WriteCurrentImage(info, 0, picture.get());
        WriteCurrentImage(info, info.frameCount - 1, picture.get());
    }
};

} // namespace

std::unique_ptr<Harness> MakeMediaReaderHarness() {
    return std::unique_ptr<Harness>(new MediaReader);
}

} // namespace fuzz

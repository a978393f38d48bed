// The video renderer's one input pin, as far as a caller can ask it whether anything feeds it.
#pragma once

#include <dshow.h>

namespace standin {
namespace dshow {

class VideoRendererFilter;

// An enumerator over the renderer's pins (one reference, the caller's).
IEnumPins* NewRendererPinEnumerator(VideoRendererFilter* renderer);

} // namespace dshow
} // namespace standin

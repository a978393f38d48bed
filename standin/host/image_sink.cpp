#include "image_sink.h"

namespace hoststandin {

bool MemorySink::Write(const void* data, DWORD size) {
    const BYTE* from = static_cast<const BYTE*>(data);
    try {
        bytes.insert(bytes.end(), from, from + size);
    } catch (...) {
        return false;
    }
    return true;
}

} // namespace hoststandin

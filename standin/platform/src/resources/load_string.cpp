#include <windows.h>

#include "standin/resource_data.h"

int WINAPI LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax < 0)
        return 0;
    // Windows keeps 16-bit string ids: the high word of `id` is ignored.
    const standin::StringResource* found = standin::FindStringResource(id & 0xFFFF);
    if (bufferMax == 0) {
        if (!found)
            return 0;
        *reinterpret_cast<const WCHAR**>(buffer) = found->text;
        return found->length;
    }
    int copied = 0;
    if (found) {
        copied = found->length < bufferMax - 1 ? found->length : bufferMax - 1;
        for (int i = 0; i < copied; ++i)
            buffer[i] = found->text[i];
    }
    buffer[copied] = 0;
    return copied;
}

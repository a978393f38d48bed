#include <windows.h>

#include "byte_reader.h"

int WINAPI LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax < 0)
        return 0;
    // Strings live in blocks of 16, block n + 1 holding ids 16n to 16n + 15, each a count and
    // that many units. Windows keeps 16-bit string ids: the high word of `id` is ignored.
    const WORD shortId = static_cast<WORD>(id & 0xFFFF);
    const standin::ResourceEntry* block =
        standin::FindModuleResource(RT_STRING, MAKEINTRESOURCEW(shortId / 16 + 1));
    const WCHAR* text = nullptr;
    WORD length = 0;
    if (block) {
        standin::ByteReader reader(block->data, block->size);
        for (int i = 0; i <= shortId % 16 && reader.Ok(); ++i) {
            length = reader.Word();
            text = reinterpret_cast<const WCHAR*>(reader.Here());
            reader.Skip(length * sizeof(WCHAR));
        }
        if (!reader.Ok())
            length = 0;
    }
    if (bufferMax == 0) {
        if (length == 0)
            return 0;
        *reinterpret_cast<const WCHAR**>(buffer) = text;
        return length;
    }
    int copied = length < bufferMax - 1 ? length : bufferMax - 1;
    for (int i = 0; i < copied; ++i)
        buffer[i] = text[i];
    buffer[copied] = 0;
    return copied;
}

// Bounds-checked reading of the binary resource formats (.res entries, menu and dialog
// templates): little-endian fields, terminated UTF-16 texts, ordinals and alignment. A read past
// the end fails the reader, and every later read gives 0.
#pragma once

#include "standin/resource_data.h"

#include <cstring>

namespace standin {

class ByteReader {
  public:
    ByteReader(const BYTE* data, size_t size) : start(data), at(0), size(data ? size : 0) {}

    bool Ok() const { return ok; }
    size_t Offset() const { return at; }
    size_t Left() const { return size - at; }
    const BYTE* Here() const { return start + at; }

    bool Skip(size_t count) {
        if (!ok || count > Left())
            return Fail();
        at += count;
        return true;
    }
    // Moves to the next multiple of `boundary` counted from the start.
    bool Align(size_t boundary) { return Skip((boundary - at % boundary) % boundary); }

    BYTE Byte() { return static_cast<BYTE>(Read(1)); }
    WORD Word() { return static_cast<WORD>(Read(2)); }
    DWORD Dword() { return Read(4); }
    short Short() { return static_cast<short>(Word()); }

    // A terminated UTF-16 text at the cursor; null when it runs past the end.
    const WCHAR* Text() {
        const WCHAR* text = reinterpret_cast<const WCHAR*>(Here());
        while (ok && Word() != 0) {
        }
        return ok ? text : nullptr;
    }
    // 0xFFFF and a 16-bit ordinal, or a terminated text (an ordinal's text is empty).
    ResourceName NameOrOrdinal() {
        if (Left() >= 2 && start[at] == 0xFF && start[at + 1] == 0xFF) {
            Word();
            return ResourceName{true, Word(), kEmpty};
        }
        const WCHAR* text = Text();
        return ResourceName{false, 0, text ? text : kEmpty};
    }

  private:
    static constexpr WCHAR kEmpty[1] = {0};

    bool Fail() {
        ok = false;
        return false;
    }
    DWORD Read(size_t count) {
        if (!ok || count > Left()) {
            Fail();
            return 0;
        }
        DWORD value = 0;
        for (size_t i = count; i-- > 0;)
            value = (value << 8) | start[at + i];
        at += count;
        return value;
    }

    const BYTE* start;
    size_t at;
    size_t size;
    bool ok = true;
};

} // namespace standin

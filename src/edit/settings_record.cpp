#include "edit/settings_record.h"

#include "diag/event_log.h"
#include "host/host_version.h"

#include <cstring>

namespace {

constexpr WORD kNewObjectWidth = 160;
constexpr WORD kNewObjectHeight = 120;

// Byte positions of the version-1 (8-bit) layout that move in the upgrade.
constexpr size_t kVersion1KeptHead = 24;         // header, width, height
constexpr size_t kVersion1NativeSizeTaken = 156; // with the native rectangle: 20 bytes
constexpr size_t kVersion1AspectRatio = 176;
constexpr size_t kVersion1RecordBytes = 184; // the upgrade reads bytes 0-183
// The version-2 (8-bit) layout keeps everything before its aspect ratio.
constexpr size_t kVersion2KeptHead = 48;

bool IsHighSurrogate(WCHAR unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// Converts an 8-bit name of at most `limit` bytes (it may lack its NUL) into `fileName`.
void ConvertFileName(const BYTE* name, size_t limit, UINT codePage, WCHAR* fileName) {
    size_t length = 0;
    while (length < limit && name[length])
        ++length;
    fileName[0] = 0;
    if (length == 0)
        return;
    // No code page makes more UTF-16 units than bytes, so this always holds the whole name.
    WCHAR converted[kVersion2NameBytes];
    LPCSTR bytes = reinterpret_cast<LPCSTR>(name);
    int units = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(length), converted,
                                    static_cast<int>(kVersion2NameBytes));
    if (units <= 0) {
        LogEvent(ModuleLog(), L"Code page %d not usable (error %d), file name read as ANSI\n",
                 static_cast<int>(codePage), static_cast<int>(GetLastError()));
        units = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), converted,
                                    static_cast<int>(kVersion2NameBytes));
        if (units <= 0)
            return;
    }
    size_t keep = static_cast<size_t>(units);
    if (keep > kFileNameUnits - 1) {
        keep = kFileNameUnits - 1;
        if (IsHighSurrogate(converted[keep - 1]))
            --keep; // a character is kept whole or not at all
        LogEvent(ModuleLog(), L"File name of %d characters cut to %d\n", units,
                 static_cast<int>(keep));
    }
    std::memcpy(fileName, converted, keep * sizeof(WCHAR));
    fileName[keep] = 0;
}

} // namespace

int WINAPI CreateObject(EditHostRecord* host, LPVOID, ObjectSettings* settings) {
    if (!IsSupportedHost(host) || !settings)
        return -1;
    settings->Width = kNewObjectWidth;
    settings->Height = kNewObjectHeight;
    settings->Flags = NewObjectMark;
    settings->NativeSizeTaken = 0;
    return 0;
}

HGLOBAL WINAPI UpdateEditStructure(EditHostRecord* host, LPVOID oldSettings) {
    if (!host || !host->request || !oldSettings)
        return nullptr;
    // A wide-character application's records are in the current layout whatever their version.
    if (host->request(nullptr, RequestIsWideApplication, 0, 0, 0) != 0)
        return nullptr;
    // Nothing is read past the record's own Size (nor past the end of its layout): the bytes
    // that follow read as zero, so a name without its terminator ends where the record ends.
    const BYTE* stored = static_cast<const BYTE*>(oldSettings);
    DWORD size = 0;
    std::memcpy(&size, stored + offsetof(HostHeader, Size), sizeof size);
    if (size < offsetof(HostHeader, Version) + sizeof(DWORD))
        return nullptr; // the record does not even hold its version: used as stored
    DWORD version = 0;
    std::memcpy(&version, stored + offsetof(HostHeader, Version), sizeof version);
    if (version != 1 && version != 2)
        return nullptr;
    BYTE record[kObjectSettingsSize] = {};
    const size_t layoutBytes = version == 1 ? kVersion1RecordBytes : kObjectSettingsSize;
    std::memcpy(record, stored, size < layoutBytes ? size : layoutBytes);
    const BYTE* old = record;

    HGLOBAL block = GlobalAlloc(GPTR, kObjectSettingsSize);
    if (!block) {
        LogEvent(ModuleLog(), L"No memory to upgrade a version %d record\n",
                 static_cast<int>(version));
        return nullptr;
    }
    // A fixed block's handle is its address.
    ObjectSettings* upgraded = static_cast<ObjectSettings*>(block);
    BYTE* bytes = reinterpret_cast<BYTE*>(upgraded);
    const BYTE* name;
    size_t nameLimit;
    if (version == 1) {
        std::memcpy(bytes, old, kVersion1KeptHead);
        std::memcpy(bytes + offsetof(ObjectSettings, NativeSizeTaken),
                    old + kVersion1NativeSizeTaken,
                    sizeof upgraded->NativeSizeTaken + sizeof upgraded->NativeRect);
        std::memcpy(bytes + offsetof(ObjectSettings, AspectRatio), old + kVersion1AspectRatio,
                    sizeof upgraded->AspectRatio);
        name = old + kVersion1NameOffset;
        nameLimit = kVersion1NameBytes;
    } else {
        std::memcpy(bytes, old, kVersion2KeptHead);
        name = old + kVersion2NameOffset;
        nameLimit = kVersion2NameBytes;
    }
    UINT codePage = static_cast<UINT>(host->request(nullptr, RequestCodePage, 0, 0, 0));
    ConvertFileName(name, nameLimit, codePage, upgraded->FileName);
    upgraded->Header.Size = kObjectSettingsSize;
    upgraded->Header.Version = kObjectSettingsVersion;
    return block;
}

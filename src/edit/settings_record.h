// The settings record's own entry points: defaults of a new object and the upgrade of records
// that 8-bit editors wrote.
#pragma once

#include "host/host_records.h"
#include "host/object_settings.h"

extern "C" {

// Fills a new record with its defaults: 160 x 120, Flags 0x0020 (every option off),
// NativeSizeTaken 0; nothing else is written. 0, or -1 for an unsupported host (or no record),
// which leaves the record as it was.
int WINAPI CreateObject(EditHostRecord* host, LPVOID levelObject, ObjectSettings* settings);

// Null when the record needs no change (a wide-character application, or a version other than
// 1 and 2). Otherwise a new 576-byte current-layout record allocated with GlobalAlloc(GPTR), the
// way the host frees it; the host takes it over. The file name is converted from the
// application's code page; a converted name longer than 259 units is cut to 259 units and its
// terminator (never inside a surrogate pair). Nothing is read past the old record's Size: bytes
// beyond it read as zero (a record too small to hold its Version is used as stored).
HGLOBAL WINAPI UpdateEditStructure(EditHostRecord* host, LPVOID oldSettings);

} // extern "C"

// Where the two 8-bit layouts keep their file name, and how many bytes of it may be read.
constexpr size_t kVersion1NameOffset = 26;
constexpr size_t kVersion1NameBytes = 130;
constexpr size_t kVersion2NameOffset = 56;
constexpr size_t kVersion2NameBytes = kObjectSettingsSize - kVersion2NameOffset;

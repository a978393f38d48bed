// The settings-record upgrade (UpdateEditStructure) on records of any version, for a wide or an
// 8-bit application of any code page. Input: byte 0 bit 0 the application's character width
// (1: wide), bytes 1-2 its code page, then the record. The record is given in a block exactly
// as long as the layout its header's version names (184 bytes for version 1, 576 for version 2,
// the 20-byte header alone for any other), cut or filled with zeros to that length, so any read
// past the layout reaches outside the block.
#include "harness/fuzz_targets.h"

#include "edit/settings_record.h"
#include "edit_host.h"

#include <cstring>

namespace fuzz {
namespace {

constexpr size_t kSelectorBytes = 3;
constexpr size_t kVersion1RecordBytes = 184;

size_t LayoutBytes(DWORD version) {
    if (version == 1)
        return kVersion1RecordBytes;
    if (version == 2)
        return kObjectSettingsSize;
    return sizeof(HostHeader);
}

class SettingsUpgrade : public FreshModuleHarness {
  public:
    void Run(const uint8_t* data, size_t size) override {
        const bool wide = (ReadLe(data, size, 0, 1) & 1) != 0;
        const int codePage = static_cast<int>(ReadLe(data, size, 1, 2));
        const uint8_t* record = size > kSelectorBytes ? data + kSelectorBytes : data;
        const size_t recordSize = size > kSelectorBytes ? size - kSelectorBytes : 0;
        const DWORD version = ReadLe(record, recordSize, offsetof(HostHeader, Version), 4);

        const size_t length = LayoutBytes(version);
        std::unique_ptr<BYTE[]> old(new BYTE[length]());
        if (recordSize)
            std::memcpy(old.get(), record, recordSize < length ? recordSize : length);

        host.SetWideApplication(wide);
        host.SetCodePage(codePage);
        host.ClearCalls();
        HGLOBAL block = UpdateEditStructure(host.Record(), old.get());
        const bool upgrades = !wide && (version == 1 || version == 2);
        Expect(upgrades == (block != nullptr),
               "an upgrade is made exactly for 8-bit versions 1, 2");
        if (!block)
            return;
        const ObjectSettings* upgraded = static_cast<const ObjectSettings*>(block);
        Expect(GlobalSize(block) == kObjectSettingsSize, "the new record is 576 bytes");
        Expect(upgraded->Header.Size == kObjectSettingsSize &&
                   upgraded->Header.Version == kObjectSettingsVersion,
               "the new record says 576 bytes, version 2");
        Expect(std::memcmp(upgraded->Header.hostOwned1, old.get() + 4, 4) == 0 &&
                   std::memcmp(upgraded->Header.hostOwned2, old.get() + 12, 8) == 0,
               "the host's header words are carried over");
        bool terminated = false;
        for (size_t i = 0; i < kFileNameUnits && !terminated; ++i)
            terminated = upgraded->FileName[i] == 0;
        Expect(terminated, "the file name ends inside its 260 units");
        GlobalFree(block);
    }

  private:
    hoststandin::EditHost host;
};

} // namespace

std::unique_ptr<Harness> MakeSettingsUpgradeHarness() {
    return std::unique_ptr<Harness>(new SettingsUpgrade);
}

} // namespace fuzz

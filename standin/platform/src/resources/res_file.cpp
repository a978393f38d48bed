// The module's .res file: its entries, and the look-up FindResourceW and the menu and dialog
// stand-ins make in it.
#include <windows.h>

#include "byte_reader.h"

namespace standin {
namespace {

constexpr DWORD kFixedHeaderBytes = 16; // data version, memory flags, language, version, traits

// Windows compares resource names without regard to case (the compiler stores them in upper
// case); "#123" names the ordinal 123.
bool Matches(const ResourceName& stored, LPCWSTR wanted) {
    if (IS_INTRESOURCE(wanted))
        return stored.isOrdinal && stored.ordinal == LOWORD(wanted);
    if (wanted[0] == L'#') {
        unsigned long number = 0;
        for (LPCWSTR digit = wanted + 1; *digit; ++digit) {
            if (*digit < L'0' || *digit > L'9' || number > 0xFFFF)
                return false;
            number = number * 10 + static_cast<unsigned long>(*digit - L'0');
        }
        return stored.isOrdinal && stored.ordinal == number;
    }
    if (stored.isOrdinal)
        return false;
    auto upper = [](WCHAR c) { return c >= L'a' && c <= L'z' ? static_cast<WCHAR>(c - 32) : c; };
    size_t i = 0;
    for (; wanted[i] && stored.text[i]; ++i)
        if (upper(wanted[i]) != upper(stored.text[i]))
            return false;
    return wanted[i] == stored.text[i];
}

} // namespace

const std::vector<ResourceEntry>& ModuleResources() {
    static const std::vector<ResourceEntry>* entries = [] {
        auto* read = new std::vector<ResourceEntry>();
        if (!ReadResFile(EmbeddedRes(), EmbeddedResSize(), read))
            read->clear();
        return read;
    }();
    return *entries;
}

bool ReadResFile(const BYTE* bytes, size_t size, std::vector<ResourceEntry>* entries) {
    entries->clear();
    ByteReader reader(bytes, size);
    while (reader.Ok() && reader.Left() > 0) {
        const size_t entryStart = reader.Offset();
        ResourceEntry entry = {};
        entry.size = reader.Dword();
        const DWORD headerSize = reader.Dword();
        entry.type = reader.NameOrOrdinal();
        entry.name = reader.NameOrOrdinal();
        reader.Align(4);
        reader.Skip(6); // data version, memory flags
        entry.language = reader.Word();
        reader.Skip(8); // version, characteristics
        if (!reader.Ok() || reader.Offset() - entryStart != headerSize ||
            headerSize < 8 + kFixedHeaderBytes)
            return false;
        entry.data = reader.Here();
        if (!reader.Skip(entry.size) || (reader.Left() > 0 && !reader.Align(4)))
            return false;
        // The file opens with an empty entry that only marks it as a 32-bit .res.
        if (entry.size == 0 && entry.type.isOrdinal && entry.type.ordinal == 0)
            continue;
        entries->push_back(entry);
    }
    return reader.Ok();
}

const ResourceEntry* FindModuleResource(LPCWSTR type, LPCWSTR name) {
    bool typeFound = false;
    if (type && name) {
        for (const ResourceEntry& entry : ModuleResources()) {
            if (!Matches(entry.type, type))
                continue;
            typeFound = true;
            if (Matches(entry.name, name))
                return &entry;
        }
    }
    SetLastError(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

} // namespace standin

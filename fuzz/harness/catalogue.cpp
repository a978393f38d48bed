// The event editor's look-ups with any code, parameter index, buffer size and menu id. Input:
// code, index, size and menu id as four little-endian 16-bit values. Every text look-up writes
// into a block of exactly `size` units (none for a size of 0 or less), so a write past the
// size the host gave reaches outside the block.
#include "harness/fuzz_targets.h"

#include "edit_host.h"
#include "host/catalogue_exports.h"

namespace fuzz {
namespace {

struct Look {
    const char* table;
    const short*(WINAPI* infos)(EditHostRecord*, short);
    int(WINAPI* text)(EditHostRecord*, short, LPWSTR, short);
    short(WINAPI* fromMenu)(EditHostRecord*, short);
};

const Look kLooks[] = {
    {"condition", GetConditionInfos, GetConditionString, GetConditionCodeFromMenu},
    {"action", GetActionInfos, GetActionString, GetActionCodeFromMenu},
    {"expression", GetExpressionInfos, GetExpressionString, GetExpressionCodeFromMenu},
};

// A text buffer of exactly `size` units, filled with a mark so an unterminated answer shows.
class TextBlock {
  public:
    explicit TextBlock(short size) : units(size > 0 ? size : 0), text(new WCHAR[units]) {
        for (size_t i = 0; i < units; ++i)
            text[i] = L'#';
    }
    LPWSTR Data() { return text.get(); }
    // True when the text ends inside the block, or the block has no room at all.
    bool Terminated() const {
        for (size_t i = 0; i < units; ++i)
            if (text[i] == 0)
                return true;
        return units == 0;
    }

  private:
    size_t units;
    std::unique_ptr<WCHAR[]> text;
};

class Catalogue : public FreshModuleHarness {
  public:
    void Run(const uint8_t* data, size_t size) override {
        const short code = static_cast<short>(ReadLe(data, size, 0, 2));
        const short index = static_cast<short>(ReadLe(data, size, 2, 2));
        const short units = static_cast<short>(ReadLe(data, size, 4, 2));
        const short menuId = static_cast<short>(ReadLe(data, size, 6, 2));
        host.ClearCalls();
        for (const Look& look : kLooks) {
            const std::string table = look.table;
            if (const short* entry = look.infos(host.Record(), code)) {
                Expect(entry[0] == code, table + " entry starts with its code");
                // Read as the host reads it: flags, count, then the types and the title ids.
                volatile short sum = entry[1];
                for (short i = 0; i < 2 * entry[2]; ++i)
                    sum = static_cast<short>(sum + entry[3 + i]);
            }
            TextBlock text(units);
            const int written = look.text(host.Record(), code, text.Data(), units);
            Expect(written >= 0 && (units <= 0 ? written == 0 : written < units),
                   table + " string count fits the buffer");
            Expect(text.Terminated(), table + " string ends inside the buffer");

            const short found = look.fromMenu(host.Record(), menuId);
            Expect(found == -1 || look.infos(host.Record(), found) != nullptr,
                   table + " code from a menu id is -1 or a code the table holds");
        }
        TextBlock title(units);
        GetConditionTitle(host.Record(), code, index, title.Data(), units);
        Expect(title.Terminated(), "condition title ends inside the buffer");
        TextBlock actionTitle(units);
        GetActionTitle(host.Record(), code, index, actionTitle.Data(), units);
        Expect(actionTitle.Terminated(), "action title ends inside the buffer");
        TextBlock expressionTitle(units);
        GetExpressionTitle(host.Record(), code, expressionTitle.Data(), units);
        Expect(expressionTitle.Terminated(), "expression title ends inside the buffer");
        TextBlock parameter(units);
        GetExpressionParam(host.Record(), code, index, parameter.Data(), units);
        Expect(parameter.Terminated(), "expression parameter title ends inside the buffer");
    }

  private:
    hoststandin::EditHost host;
};

} // namespace

std::unique_ptr<Harness> MakeCatalogueHarness() {
    return std::unique_ptr<Harness>(new Catalogue);
}

} // namespace fuzz

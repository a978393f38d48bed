// MENU: MENUITEM "text", id [, options]; MENUITEM SEPARATOR; POPUP "text" [, options] BEGIN..END
// MENUEX: MENUITEM "text" [, id [, type [, state]]]; POPUP "text" [, id [, type [, state
// [, help id]]]] BEGIN..END
#include "rc_parser.h"

namespace rcgen {
namespace {

constexpr uint32_t kPopup = 0x0010;     // MF_POPUP
constexpr uint32_t kSeparator = 0x0800; // MF_SEPARATOR

uint32_t ItemOption(TokenCursor& cursor) {
    struct Option {
        const char* name;
        uint32_t flag;
    };
    static const Option options[] = {{"CHECKED", 0x0008},   {"GRAYED", 0x0001},
                                     {"INACTIVE", 0x0002},  {"MENUBARBREAK", 0x0020},
                                     {"MENUBREAK", 0x0040}, {"HELP", 0x4000}};
    for (const Option& option : options)
        if (cursor.AcceptKeyword(option.name))
            return option.flag;
    throw RcError(cursor.Peek(), "unknown menu item option");
}

// The options of a classic item, separated by commas or blanks, up to the next statement.
uint32_t ItemOptions(TokenCursor& cursor) {
    uint32_t flags = 0;
    while (true) {
        cursor.AcceptPunctuation(',');
        if (cursor.Peek().kind != TokenKind::Identifier || cursor.IsKeyword("MENUITEM") ||
            cursor.IsKeyword("POPUP") || cursor.IsKeyword("BEGIN") || cursor.IsKeyword("END"))
            return flags;
        flags |= ItemOption(cursor);
    }
}

std::vector<MenuItem> ParseItems(TokenCursor& cursor, bool extended, int depth) {
    if (depth > 16)
        throw RcError(cursor.Peek(), "menus nested too deeply");
    std::vector<MenuItem> items;
    cursor.ExpectBegin();
    while (!cursor.AcceptEnd()) {
        if (cursor.AtEnd())
            throw RcError(cursor.Peek(), "menu without END");
        MenuItem item;
        if (cursor.AcceptKeyword("MENUITEM")) {
            if (cursor.AcceptKeyword("SEPARATOR")) {
                item.flags = kSeparator;
            } else {
                item.text = cursor.ExpectString();
                if (extended) {
                    if (cursor.AcceptPunctuation(',') && cursor.AtExpressionStart())
                        item.id = static_cast<uint32_t>(cursor.Expression());
                    if (cursor.AcceptPunctuation(',') && cursor.AtExpressionStart())
                        item.flags |= static_cast<uint32_t>(cursor.Expression()); // type
                    if (cursor.AcceptPunctuation(',') && cursor.AtExpressionStart())
                        item.flags |= static_cast<uint32_t>(cursor.Expression()); // state
                } else {
                    cursor.ExpectPunctuation(',');
                    item.id = static_cast<uint32_t>(cursor.Expression());
                    item.flags = ItemOptions(cursor);
                }
                // A classic item with no text and id 0 is how old compilers wrote a separator.
                if (item.text.empty() && item.id == 0 && !extended)
                    item.flags |= kSeparator;
            }
        } else if (cursor.AcceptKeyword("POPUP")) {
            item.text = cursor.ExpectString();
            if (extended) {
                for (int field = 0; field < 4 && cursor.AcceptPunctuation(','); ++field) {
                    if (!cursor.AtExpressionStart())
                        continue;
                    int64_t value = cursor.Expression();
                    if (field == 0)
                        item.id = static_cast<uint32_t>(value);
                    else if (field < 3)
                        item.flags |= static_cast<uint32_t>(value);
                }
            } else {
                item.flags = ItemOptions(cursor);
            }
            item.flags |= kPopup;
            if (!extended)
                item.id = 0; // a classic popup has no command id
            item.children = ParseItems(cursor, extended, depth + 1);
        } else {
            throw RcError(cursor.Peek(), "expected MENUITEM or POPUP");
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

void ParseMenu(TokenCursor& cursor, uint16_t id, bool extended, ResourceFile& file) {
    cursor.SkipMemoryOptions();
    for (const Menu& existing : file.menus)
        if (existing.id == id)
            throw RcError(cursor.Peek(), "menu " + std::to_string(id) + " defined twice");
    Menu menu{id, extended, ParseItems(cursor, extended, 0)};
    file.menus.push_back(std::move(menu));
}

} // namespace rcgen

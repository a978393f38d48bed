// STRINGTABLE [options] BEGIN id [,] "text" ... END
#include "rc_parser.h"

namespace rcgen {

void ParseStringTable(TokenCursor& cursor, ResourceFile& file) {
    cursor.SkipMemoryOptions();
    while (cursor.AcceptKeyword("LANGUAGE") || cursor.AcceptKeyword("CHARACTERISTICS") ||
           cursor.AcceptKeyword("VERSION")) {
        cursor.Expression();
        if (cursor.AcceptPunctuation(','))
            cursor.Expression();
    }
    cursor.ExpectBegin();
    while (!cursor.AcceptEnd()) {
        if (cursor.AtEnd())
            throw RcError(cursor.Peek(), "STRINGTABLE without END");
        const Token& at = cursor.Peek();
        int64_t id = cursor.Expression();
        if (id < 0 || id > 0xFFFF)
            throw RcError(at, "string id out of range (0 to 65535)");
        cursor.AcceptPunctuation(',');
        std::u16string text = cursor.ExpectString();
        if (text.size() > 0xFFFF)
            throw RcError(at, "string longer than 65535 units");
        for (const StringEntry& existing : file.strings)
            if (existing.id == id)
                throw RcError(at, "string id " + std::to_string(id) + " defined twice");
        file.strings.push_back(StringEntry{static_cast<uint16_t>(id), text});
    }
}

} // namespace rcgen

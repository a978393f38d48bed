// DIALOG / DIALOGEX: x, y, cx, cy [, help id], the optional statements (STYLE, EXSTYLE,
// CAPTION, FONT, CLASS, MENU, LANGUAGE...) and BEGIN controls END.
#include "rc_parser.h"

namespace rcgen {
namespace {

constexpr uint32_t kChildVisible = 0x50000000; // WS_CHILD | WS_VISIBLE
constexpr uint32_t kTabStop = 0x00010000;
constexpr uint32_t kGroup = 0x00020000;
constexpr uint32_t kBorder = 0x00800000;

int16_t Coordinate(TokenCursor& cursor) {
    const Token& at = cursor.Peek();
    int64_t value = cursor.Expression();
    if (value < -32768 || value > 32767)
        throw RcError(at, "dialog coordinate out of range");
    return static_cast<int16_t>(value);
}

void Rectangle(TokenCursor& cursor, int16_t* x, int16_t* y, int16_t* cx, int16_t* cy) {
    *x = Coordinate(cursor);
    cursor.ExpectPunctuation(',');
    *y = Coordinate(cursor);
    cursor.ExpectPunctuation(',');
    *cx = Coordinate(cursor);
    cursor.ExpectPunctuation(',');
    *cy = Coordinate(cursor);
}

NameOrOrdinal TextOrOrdinal(TokenCursor& cursor) {
    NameOrOrdinal value;
    if (cursor.Peek().kind == TokenKind::String) {
        value.text = cursor.ExpectString();
    } else {
        value.isOrdinal = true;
        value.ordinal = static_cast<uint16_t>(cursor.Expression());
    }
    return value;
}

// The window classes a dialog template names by atom.
NameOrOrdinal ControlClass(const std::u16string& name) {
    static const char* const predefined[] = {"button",  "edit",      "static",
                                             "listbox", "scrollbar", "combobox"};
    std::string lower;
    for (char16_t unit : name)
        lower += static_cast<char>(unit >= 'A' && unit <= 'Z' ? unit + 32 : unit);
    NameOrOrdinal value;
    value.text = name;
    for (uint16_t atom = 0; atom < 6; ++atom)
        if (lower == predefined[atom]) {
            value.isOrdinal = true;
            value.ordinal = static_cast<uint16_t>(0x80 + atom);
        }
    return value;
}

// The keyword controls: text (unless EDITTEXT), id, x, y, cx, cy [, style [, exstyle]].
struct KeywordControl {
    const char* keyword;
    const char16_t* className;
    uint32_t style;
    bool hasText;
};
const KeywordControl kKeywordControls[] = {
    {"LTEXT", u"Static", 0x0000 | kGroup, true},
    {"CTEXT", u"Static", 0x0001 | kGroup, true},
    {"RTEXT", u"Static", 0x0002 | kGroup, true},
    {"PUSHBUTTON", u"Button", 0x0000 | kTabStop, true},
    {"DEFPUSHBUTTON", u"Button", 0x0001 | kTabStop, true},
    {"CHECKBOX", u"Button", 0x0002 | kTabStop, true},
    {"AUTOCHECKBOX", u"Button", 0x0003 | kTabStop, true},
    {"RADIOBUTTON", u"Button", 0x0004 | kTabStop, true},
    {"AUTORADIOBUTTON", u"Button", 0x0009 | kTabStop, true},
    {"GROUPBOX", u"Button", 0x0007, true},
    {"EDITTEXT", u"Edit", 0x0000 | kBorder | kTabStop, false},
};

DialogControl ParseControl(TokenCursor& cursor, bool extended) {
    DialogControl control;
    if (cursor.AcceptKeyword("CONTROL")) {
        control.text = TextOrOrdinal(cursor);
        cursor.ExpectPunctuation(',');
        control.id = static_cast<uint32_t>(cursor.Expression());
        cursor.ExpectPunctuation(',');
        control.className = ControlClass(cursor.ExpectString());
        cursor.ExpectPunctuation(',');
        control.style = cursor.StyleExpression(kChildVisible);
        cursor.ExpectPunctuation(',');
        Rectangle(cursor, &control.x, &control.y, &control.cx, &control.cy);
        if (cursor.AcceptPunctuation(','))
            control.exStyle = static_cast<uint32_t>(cursor.Expression());
    } else {
        const KeywordControl* kind = nullptr;
        for (const KeywordControl& candidate : kKeywordControls)
            if (cursor.IsKeyword(candidate.keyword))
                kind = &candidate;
        if (!kind)
            throw RcError(cursor.Peek(), "unsupported dialog control " + cursor.Peek().text);
        cursor.Next();
        if (kind->hasText) {
            control.text = TextOrOrdinal(cursor);
            cursor.ExpectPunctuation(',');
        }
        control.id = static_cast<uint32_t>(cursor.Expression());
        cursor.ExpectPunctuation(',');
        Rectangle(cursor, &control.x, &control.y, &control.cx, &control.cy);
        control.className = ControlClass(kind->className);
        control.style = kChildVisible | kind->style;
        if (cursor.AcceptPunctuation(','))
            control.style = cursor.StyleExpression(control.style);
        if (cursor.AcceptPunctuation(','))
            control.exStyle = static_cast<uint32_t>(cursor.Expression());
    }
    // A classic template stores 16-bit control ids.
    if (!extended)
        control.id &= 0xFFFF;
    return control;
}

} // namespace

void ParseDialog(TokenCursor& cursor, uint16_t id, bool extended, ResourceFile& file) {
    for (const Dialog& existing : file.dialogs)
        if (existing.id == id)
            throw RcError(cursor.Peek(), "dialog " + std::to_string(id) + " defined twice");
    cursor.SkipMemoryOptions();
    Dialog dialog;
    dialog.id = id;
    dialog.extended = extended;
    Rectangle(cursor, &dialog.x, &dialog.y, &dialog.cx, &dialog.cy);
    if (extended && cursor.AcceptPunctuation(','))
        cursor.Expression(); // help id
    bool styleGiven = false;
    uint32_t style = 0;
    bool captionGiven = false;
    while (true) {
        if (cursor.AcceptKeyword("STYLE")) {
            style = cursor.StyleExpression(0);
            styleGiven = true;
        } else if (cursor.AcceptKeyword("EXSTYLE")) {
            dialog.exStyle = static_cast<uint32_t>(cursor.Expression());
        } else if (cursor.AcceptKeyword("CAPTION")) {
            dialog.caption = cursor.ExpectString();
            captionGiven = true;
        } else if (cursor.AcceptKeyword("FONT")) {
            dialog.hasFont = true;
            dialog.pointSize = static_cast<uint16_t>(cursor.Expression());
            cursor.ExpectPunctuation(',');
            dialog.fontName = cursor.ExpectString();
            if (extended && cursor.AcceptPunctuation(','))
                dialog.weight = static_cast<uint16_t>(cursor.Expression());
            if (extended && cursor.AcceptPunctuation(','))
                dialog.italic = static_cast<uint8_t>(cursor.Expression());
            if (extended && cursor.AcceptPunctuation(','))
                dialog.charset = static_cast<uint8_t>(cursor.Expression());
        } else if (cursor.AcceptKeyword("CLASS")) {
            dialog.windowClass = TextOrOrdinal(cursor);
        } else if (cursor.AcceptKeyword("MENU")) {
            dialog.menu = TextOrOrdinal(cursor);
        } else if (cursor.AcceptKeyword("LANGUAGE")) {
            cursor.Expression();
            cursor.ExpectPunctuation(',');
            cursor.Expression();
        } else if (cursor.AcceptKeyword("CHARACTERISTICS") || cursor.AcceptKeyword("VERSION")) {
            cursor.Expression();
        } else {
            break;
        }
    }
    // Without STYLE a dialog is a bordered popup with a system menu; CAPTION adds the caption
    // bar and FONT the set-font bit, as the resource compilers do.
    if (!styleGiven)
        style = 0x80000000 | 0x00800000 | 0x00080000;
    if (captionGiven)
        style |= 0x00C00000;
    if (dialog.hasFont)
        style |= 0x0040;
    dialog.style = style;
    cursor.ExpectBegin();
    while (!cursor.AcceptEnd()) {
        if (cursor.AtEnd())
            throw RcError(cursor.Peek(), "dialog without END");
        dialog.controls.push_back(ParseControl(cursor, extended));
    }
    file.dialogs.push_back(std::move(dialog));
}

} // namespace rcgen

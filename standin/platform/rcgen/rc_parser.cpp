#include "rc_parser.h"

#include <cstring>

namespace rcgen {

TokenCursor::TokenCursor(const std::vector<Token>& tokens, std::string rcDirectory)
    : tokens(tokens), rcDirectory(std::move(rcDirectory)) {}

const Token& TokenCursor::Peek(size_t ahead) const {
    size_t index = position + ahead;
    return index < tokens.size() ? tokens[index] : tokens.back();
}

const Token& TokenCursor::Next() {
    const Token& token = Peek();
    if (position < tokens.size() - 1)
        ++position;
    return token;
}

bool TokenCursor::IsKeyword(const char* word, size_t ahead) const {
    const Token& token = Peek(ahead);
    return token.kind == TokenKind::Identifier && token.text == word;
}

bool TokenCursor::AcceptKeyword(const char* word) {
    if (!IsKeyword(word))
        return false;
    Next();
    return true;
}

bool TokenCursor::AcceptPunctuation(char c) {
    const Token& token = Peek();
    if (token.kind != TokenKind::Punctuation || token.text[0] != c)
        return false;
    Next();
    return true;
}

void TokenCursor::ExpectPunctuation(char c) {
    if (!AcceptPunctuation(c))
        throw RcError(Peek(), std::string("expected '") + c + "'");
}

void TokenCursor::ExpectBegin() {
    if (!AcceptKeyword("BEGIN") && !AcceptPunctuation('{'))
        throw RcError(Peek(), "expected BEGIN");
}

bool TokenCursor::AcceptEnd() {
    return AcceptKeyword("END") || AcceptPunctuation('}');
}

std::u16string TokenCursor::ExpectString() {
    if (Peek().kind != TokenKind::String)
        throw RcError(Peek(), "expected a quoted text");
    return Next().value;
}

bool TokenCursor::AtExpressionStart() const {
    const Token& token = Peek();
    if (token.kind == TokenKind::Number)
        return true;
    if (token.kind == TokenKind::Punctuation)
        return token.text == "(" || token.text == "-" || token.text == "~";
    if (token.kind == TokenKind::Identifier) {
        int64_t unused;
        return token.text == "NOT" || FindPlatformConstant(token.text, &unused);
    }
    return false;
}

int64_t TokenCursor::Operand() {
    const Token& token = Next();
    if (token.kind == TokenKind::Number)
        return token.number;
    if (token.kind == TokenKind::Punctuation && token.text == "(") {
        int64_t value = Expression();
        ExpectPunctuation(')');
        return value;
    }
    if (token.kind == TokenKind::Identifier) {
        int64_t value = 0;
        if (FindPlatformConstant(token.text, &value))
            return value;
        throw RcError(token, "unknown name " + token.text);
    }
    throw RcError(token, "expected a number");
}

int64_t TokenCursor::Unary() {
    if (AcceptPunctuation('-'))
        return -Unary();
    if (AcceptPunctuation('~'))
        return ~Unary() & 0xFFFFFFFFLL;
    return Operand();
}

int64_t TokenCursor::Expression() {
    int64_t value = Unary();
    while (true) {
        if (AcceptPunctuation('|'))
            value |= Unary();
        else if (AcceptPunctuation('&'))
            value &= Unary();
        else if (AcceptPunctuation('+'))
            value += Unary();
        else if (AcceptPunctuation('-'))
            value -= Unary();
        else
            return value;
    }
}

uint32_t TokenCursor::StyleExpression(uint32_t base) {
    uint32_t value = base;
    do {
        if (AcceptKeyword("NOT"))
            value &= ~static_cast<uint32_t>(Unary());
        else
            value |= static_cast<uint32_t>(Unary());
    } while (AcceptPunctuation('|'));
    return value;
}

uint16_t TokenCursor::ResourceId() {
    const Token& at = Peek();
    int64_t id = Expression();
    if (id < 1 || id > 0xFFFF)
        throw RcError(at, "resource id out of range (1 to 65535)");
    return static_cast<uint16_t>(id);
}

void TokenCursor::SkipMemoryOptions() {
    static const char* const options[] = {"MOVEABLE",    "FIXED",   "PURE",
                                          "IMPURE",      "PRELOAD", "LOADONCALL",
                                          "DISCARDABLE", "SHARED",  "NONSHARED"};
    bool skipped = true;
    while (skipped) {
        skipped = false;
        for (const char* option : options)
            if (AcceptKeyword(option))
                skipped = true;
    }
}

ResourceFile ParseResourceFile(const std::string& path) {
    std::vector<Token> tokens = Tokenize(path);
    size_t slash = path.find_last_of('/');
    TokenCursor cursor(tokens, slash == std::string::npos ? "." : path.substr(0, slash));
    ResourceFile file;
    while (!cursor.AtEnd()) {
        if (cursor.AcceptKeyword("STRINGTABLE")) {
            ParseStringTable(cursor, file);
            continue;
        }
        if (cursor.AcceptKeyword("LANGUAGE")) {
            cursor.Expression();
            cursor.ExpectPunctuation(',');
            cursor.Expression();
            continue;
        }
        const Token& at = cursor.Peek();
        uint16_t id = cursor.ResourceId();
        const Token& type = cursor.Next();
        if (type.kind != TokenKind::Identifier)
            throw RcError(type, "expected a resource type");
        if (type.text == "MENU" || type.text == "MENUEX")
            ParseMenu(cursor, id, type.text == "MENUEX", file);
        else if (type.text == "DIALOG" || type.text == "DIALOGEX")
            ParseDialog(cursor, id, type.text == "DIALOGEX", file);
        else if (type.text == "BITMAP")
            ParseBitmap(cursor, id, file);
        else
            throw RcError(at, "unsupported resource type " + type.text);
    }
    return file;
}

bool FindPlatformConstant(const std::string& name, int64_t* value) {
    struct Constant {
        const char* name;
        uint32_t value;
    };
    static const Constant constants[] = {
        // Window styles.
        {"WS_OVERLAPPED", 0x00000000},
        {"WS_POPUP", 0x80000000},
        {"WS_CHILD", 0x40000000},
        {"WS_MINIMIZE", 0x20000000},
        {"WS_VISIBLE", 0x10000000},
        {"WS_DISABLED", 0x08000000},
        {"WS_CLIPSIBLINGS", 0x04000000},
        {"WS_CLIPCHILDREN", 0x02000000},
        {"WS_MAXIMIZE", 0x01000000},
        {"WS_CAPTION", 0x00C00000},
        {"WS_BORDER", 0x00800000},
        {"WS_DLGFRAME", 0x00400000},
        {"WS_VSCROLL", 0x00200000},
        {"WS_HSCROLL", 0x00100000},
        {"WS_SYSMENU", 0x00080000},
        {"WS_THICKFRAME", 0x00040000},
        {"WS_GROUP", 0x00020000},
        {"WS_TABSTOP", 0x00010000},
        {"WS_MINIMIZEBOX", 0x00020000},
        {"WS_MAXIMIZEBOX", 0x00010000},
        {"WS_EX_DLGMODALFRAME", 0x00000001},
        {"WS_EX_TOPMOST", 0x00000008},
        {"WS_EX_TRANSPARENT", 0x00000020},
        {"WS_EX_TOOLWINDOW", 0x00000080},
        {"WS_EX_WINDOWEDGE", 0x00000100},
        {"WS_EX_CLIENTEDGE", 0x00000200},
        {"WS_EX_CONTEXTHELP", 0x00000400},
        {"WS_EX_CONTROLPARENT", 0x00010000},
        {"WS_EX_STATICEDGE", 0x00020000},
        {"WS_EX_APPWINDOW", 0x00040000},
        // Dialog styles.
        {"DS_ABSALIGN", 0x0001},
        {"DS_SYSMODAL", 0x0002},
        {"DS_3DLOOK", 0x0004},
        {"DS_FIXEDSYS", 0x0008},
        {"DS_NOFAILCREATE", 0x0010},
        {"DS_LOCALEDIT", 0x0020},
        {"DS_SETFONT", 0x0040},
        {"DS_MODALFRAME", 0x0080},
        {"DS_NOIDLEMSG", 0x0100},
        {"DS_SETFOREGROUND", 0x0200},
        {"DS_CONTROL", 0x0400},
        {"DS_CENTER", 0x0800},
        {"DS_CENTERMOUSE", 0x1000},
        {"DS_CONTEXTHELP", 0x2000},
        {"DS_SHELLFONT", 0x0048},
        // Static, button and edit control styles.
        {"SS_LEFT", 0x0000},
        {"SS_CENTER", 0x0001},
        {"SS_RIGHT", 0x0002},
        {"SS_ICON", 0x0003},
        {"SS_BLACKRECT", 0x0004},
        {"SS_GRAYRECT", 0x0005},
        {"SS_WHITERECT", 0x0006},
        {"SS_BLACKFRAME", 0x0007},
        {"SS_GRAYFRAME", 0x0008},
        {"SS_WHITEFRAME", 0x0009},
        {"SS_SIMPLE", 0x000B},
        {"SS_LEFTNOWORDWRAP", 0x000C},
        {"SS_BITMAP", 0x000E},
        {"SS_ETCHEDFRAME", 0x0012},
        {"SS_NOPREFIX", 0x0080},
        {"SS_NOTIFY", 0x0100},
        {"SS_CENTERIMAGE", 0x0200},
        {"SS_REALSIZEIMAGE", 0x0800},
        {"SS_SUNKEN", 0x1000},
        {"BS_PUSHBUTTON", 0x0000},
        {"BS_DEFPUSHBUTTON", 0x0001},
        {"BS_CHECKBOX", 0x0002},
        {"BS_AUTOCHECKBOX", 0x0003},
        {"BS_RADIOBUTTON", 0x0004},
        {"BS_3STATE", 0x0005},
        {"BS_AUTO3STATE", 0x0006},
        {"BS_GROUPBOX", 0x0007},
        {"BS_AUTORADIOBUTTON", 0x0009},
        {"BS_LEFTTEXT", 0x0020},
        {"BS_BITMAP", 0x0080},
        {"BS_FLAT", 0x8000},
        {"ES_LEFT", 0x0000},
        {"ES_CENTER", 0x0001},
        {"ES_RIGHT", 0x0002},
        {"ES_MULTILINE", 0x0004},
        {"ES_UPPERCASE", 0x0008},
        {"ES_LOWERCASE", 0x0010},
        {"ES_PASSWORD", 0x0020},
        {"ES_AUTOVSCROLL", 0x0040},
        {"ES_AUTOHSCROLL", 0x0080},
        {"ES_NOHIDESEL", 0x0100},
        {"ES_READONLY", 0x0800},
        {"ES_WANTRETURN", 0x1000},
        {"ES_NUMBER", 0x2000},
        // Dialog command ids.
        {"IDOK", 1},
        {"IDCANCEL", 2},
        {"IDABORT", 3},
        {"IDRETRY", 4},
        {"IDIGNORE", 5},
        {"IDYES", 6},
        {"IDNO", 7},
        {"IDC_STATIC", 0xFFFFFFFF},
        // Extended menu item types and states.
        {"MFT_STRING", 0x0000},
        {"MFT_BITMAP", 0x0004},
        {"MFT_MENUBARBREAK", 0x0020},
        {"MFT_MENUBREAK", 0x0040},
        {"MFT_OWNERDRAW", 0x0100},
        {"MFT_RADIOCHECK", 0x0200},
        {"MFT_SEPARATOR", 0x0800},
        {"MFT_RIGHTORDER", 0x2000},
        {"MFT_RIGHTJUSTIFY", 0x4000},
        {"MFS_ENABLED", 0x0000},
        {"MFS_UNCHECKED", 0x0000},
        {"MFS_GRAYED", 0x0003},
        {"MFS_DISABLED", 0x0003},
        {"MFS_CHECKED", 0x0008},
        {"MFS_HILITE", 0x0080},
        {"MFS_DEFAULT", 0x1000},
    };
    for (const Constant& constant : constants)
        if (name == constant.name) {
            *value = constant.name == std::string("IDC_STATIC") ? -1 : constant.value;
            return true;
        }
    return false;
}

} // namespace rcgen

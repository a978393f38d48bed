// The statement-level reader shared by the per-kind parsers: a cursor over the tokens with
// keyword tests and the integer expressions of .rc files (|, +, -, &, ~, NOT, parentheses,
// numbers and the platform constants the compiler knows).
#pragma once

#include "rc_lexer.h"
#include "rc_model.h"

namespace rcgen {

class TokenCursor {
  public:
    TokenCursor(const std::vector<Token>& tokens, std::string rcDirectory);

    const Token& Peek(size_t ahead = 0) const;
    const Token& Next();
    bool AtEnd() const { return Peek().kind == TokenKind::End; }
    const std::string& RcDirectory() const { return rcDirectory; }

    bool IsKeyword(const char* word, size_t ahead = 0) const;
    bool AcceptKeyword(const char* word);
    bool AcceptPunctuation(char c);
    void ExpectPunctuation(char c);
    void ExpectBegin(); // BEGIN or {
    bool AcceptEnd();   // END or }
    std::u16string ExpectString();
    bool AtExpressionStart() const;

    // An integer expression. Style expressions start from `base`: "| NOT x" clears x's bits.
    int64_t Expression();
    uint32_t StyleExpression(uint32_t base);
    uint16_t ResourceId();

    // Memory options that old compilers wrote after the resource type; they mean nothing now.
    void SkipMemoryOptions();

  private:
    int64_t Operand();
    int64_t Unary();

    const std::vector<Token>& tokens;
    size_t position = 0;
    std::string rcDirectory;
};

// One parser per resource kind; each starts after the resource's type keyword.
void ParseStringTable(TokenCursor& cursor, ResourceFile& file);
void ParseMenu(TokenCursor& cursor, uint16_t id, bool extended, ResourceFile& file);
void ParseDialog(TokenCursor& cursor, uint16_t id, bool extended, ResourceFile& file);
void ParseBitmap(TokenCursor& cursor, uint16_t id, ResourceFile& file);

// Reads a whole .rc file.
ResourceFile ParseResourceFile(const std::string& path);

// Writes the C++ tables the platform stand-in serves.
std::string EmitTables(const ResourceFile& file, const std::string& sourceName);

// Platform constants usable in .rc expressions (window, dialog, control and menu styles, ids).
bool FindPlatformConstant(const std::string& name, int64_t* value);

} // namespace rcgen

// Tokens of a .rc file after the preprocessing the module's .rc needs: #include of quoted
// headers, object-like #define, #ifdef/#ifndef/#else/#endif, #pragma code_page(65001).
// Angle-bracket includes (<windows.h>) are skipped: the platform's constants are built in.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace rcgen {

enum class TokenKind { Identifier, Number, String, Punctuation, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;     // identifier name, punctuation character, or number spelling
    int64_t number = 0;   // value of a Number
    std::u16string value; // decoded text of a String
    std::string file;
    int line = 0;
};

// A fault in the input, reported as "file:line: message".
struct RcError : std::runtime_error {
    RcError(const Token& at, const std::string& message);
    RcError(const std::string& file, int line, const std::string& message);
};

// Reads `path` and every quoted header it includes; returns the macro-expanded token stream,
// closed by an End token.
std::vector<Token> Tokenize(const std::string& path);

// Decodes UTF-8 to UTF-16; throws on malformed input.
std::u16string DecodeUtf8(const std::string& bytes, const std::string& file, int line);

} // namespace rcgen

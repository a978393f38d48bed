#include "rc_lexer.h"

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace rcgen {

RcError::RcError(const Token& at, const std::string& message)
    : std::runtime_error(at.file + ":" + std::to_string(at.line) + ": " + message) {}

RcError::RcError(const std::string& file, int line, const std::string& message)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}

std::u16string DecodeUtf8(const std::string& bytes, const std::string& file, int line) {
    std::u16string out;
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char lead = static_cast<unsigned char>(bytes[i]);
        uint32_t point = 0;
        int trail = 0;
        if (lead < 0x80) {
            point = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            point = lead & 0x1F;
            trail = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            point = lead & 0x0F;
            trail = 2;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            point = lead & 0x07;
            trail = 3;
        } else {
            throw RcError(file, line, "text is not valid UTF-8");
        }
        if (i + trail >= bytes.size())
            throw RcError(file, line, "text is not valid UTF-8");
        for (int k = 1; k <= trail; ++k) {
            unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                throw RcError(file, line, "text is not valid UTF-8");
            point = (point << 6) | (next & 0x3F);
        }
        const uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (point < smallest[trail] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            throw RcError(file, line, "text is not valid UTF-8");
        if (point >= 0x10000) {
            point -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (point >> 10));
            out += static_cast<char16_t>(0xDC00 + (point & 0x3FF));
        } else {
            out += static_cast<char16_t>(point);
        }
        i += trail + 1;
    }
    return out;
}

namespace {

bool IsIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentifierPart(char c) {
    return IsIdentifierStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string DirectoryOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

class Preprocessor {
  public:
    std::vector<Token> Run(const std::string& path) {
        LexFile(path);
        Token end;
        end.kind = TokenKind::End;
        end.file = path;
        end.line = lastLine;
        output.push_back(end);
        return output;
    }

  private:
    struct Source {
        const std::string& text;
        const std::string& file;
        size_t pos;
        int line;
    };

    void LexFile(const std::string& path) {
        if (includeDepth > 16)
            throw RcError(path, 0, "includes nested too deeply");
        std::ifstream in(path, std::ios::binary);
        if (!in)
            throw RcError(path, 0, "cannot open file");
        std::stringstream buffer;
        buffer << in.rdbuf();
        std::string text = buffer.str();
        ++includeDepth;
        size_t conditionsAtStart = conditions.size();
        Source src{text, path, 0, 1};
        LexText(src, true);
        if (conditions.size() != conditionsAtStart)
            throw RcError(path, src.line, "#if without #endif");
        --includeDepth;
        lastLine = src.line;
    }

    bool Active() const {
        for (bool on : conditions)
            if (!on)
                return false;
        return true;
    }

    // Skips blanks and comments; returns true at a line start (a newline was crossed or the
    // text began).
    void SkipSpace(Source& src, bool& lineStart) {
        const std::string& t = src.text;
        while (src.pos < t.size()) {
            char c = t[src.pos];
            if (c == '\n') {
                ++src.line;
                ++src.pos;
                lineStart = true;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++src.pos;
            } else if (c == '/' && src.pos + 1 < t.size() && t[src.pos + 1] == '/') {
                while (src.pos < t.size() && t[src.pos] != '\n')
                    ++src.pos;
            } else if (c == '/' && src.pos + 1 < t.size() && t[src.pos + 1] == '*') {
                size_t close = t.find("*/", src.pos + 2);
                if (close == std::string::npos)
                    throw RcError(src.file, src.line, "unterminated comment");
                for (size_t k = src.pos; k < close; ++k)
                    if (t[k] == '\n')
                        ++src.line;
                src.pos = close + 2;
            } else {
                return;
            }
        }
    }

    // Lexes `src`; directives are honoured only when `directives` (the text of a #define body
    // has none).
    void LexText(Source& src, bool directives) {
        bool lineStart = true;
        const std::string& t = src.text;
        while (true) {
            SkipSpace(src, lineStart);
            if (src.pos >= t.size())
                return;
            char c = t[src.pos];
            if (c == '#' && lineStart && directives) {
                Directive(src);
                continue;
            }
            lineStart = false;
            Token token = LexToken(src);
            if (Active())
                Emit(token);
        }
    }

    Token LexToken(Source& src) {
        const std::string& t = src.text;
        Token token;
        token.file = src.file;
        token.line = src.line;
        char c = t[src.pos];
        if (c == 'L' && src.pos + 1 < t.size() && t[src.pos + 1] == '"') {
            ++src.pos;
            c = '"';
        }
        if (c == '"') {
            token.kind = TokenKind::String;
            token.value = LexString(src);
        } else if (IsDigit(c)) {
            token.kind = TokenKind::Number;
            size_t start = src.pos;
            int64_t value = 0;
            if (c == '0' && src.pos + 1 < t.size() &&
                (t[src.pos + 1] == 'x' || t[src.pos + 1] == 'X')) {
                src.pos += 2;
                size_t digits = 0;
                while (src.pos < t.size() &&
                       std::isxdigit(static_cast<unsigned char>(t[src.pos]))) {
                    char h = t[src.pos++];
                    int d = IsDigit(h) ? h - '0' : (h | 0x20) - 'a' + 10;
                    value = value * 16 + d;
                    ++digits;
                }
                if (digits == 0)
                    throw RcError(token, "hexadecimal number without digits");
            } else {
                while (src.pos < t.size() && IsDigit(t[src.pos]))
                    value = value * 10 + (t[src.pos++] - '0');
            }
            while (src.pos < t.size() && (t[src.pos] == 'L' || t[src.pos] == 'l' ||
                                          t[src.pos] == 'U' || t[src.pos] == 'u'))
                ++src.pos;
            if (src.pos < t.size() && IsIdentifierPart(t[src.pos]))
                throw RcError(token, "malformed number");
            if (value > 0xFFFFFFFFLL)
                throw RcError(token, "number out of range");
            token.number = value;
            token.text = t.substr(start, src.pos - start);
        } else if (IsIdentifierStart(c)) {
            token.kind = TokenKind::Identifier;
            size_t start = src.pos;
            while (src.pos < t.size() && IsIdentifierPart(t[src.pos]))
                ++src.pos;
            token.text = t.substr(start, src.pos - start);
        } else {
            token.kind = TokenKind::Punctuation;
            token.text = std::string(1, c);
            ++src.pos;
        }
        return token;
    }

    // Reads a quoted string with the escapes windres knows: \a \b \f \n \r \t \v \\ \" \' \?,
    // octal \ooo and hexadecimal \xhh; a doubled quote "" stands for one quote.
    std::u16string LexString(Source& src) {
        const std::string& t = src.text;
        int line = src.line;
        std::u16string out;
        std::string literal;
        auto flush = [&] {
            out += DecodeUtf8(literal, src.file, line);
            literal.clear();
        };
        ++src.pos; // opening quote
        while (true) {
            if (src.pos >= t.size() || t[src.pos] == '\n')
                throw RcError(src.file, line, "unterminated string");
            char c = t[src.pos++];
            if (c == '"') {
                if (src.pos < t.size() && t[src.pos] == '"') {
                    literal += '"';
                    ++src.pos;
                    continue;
                }
                break;
            }
            if (c != '\\') {
                literal += c;
                continue;
            }
            if (src.pos >= t.size())
                throw RcError(src.file, line, "unterminated string");
            char e = t[src.pos++];
            char16_t unit = 0;
            switch (e) {
            case 'a':
                unit = 7;
                break;
            case 'b':
                unit = 8;
                break;
            case 'f':
                unit = 12;
                break;
            case 'n':
                unit = 10;
                break;
            case 'r':
                unit = 13;
                break;
            case 't':
                unit = 9;
                break;
            case 'v':
                unit = 11;
                break;
            case '\\':
                unit = '\\';
                break;
            case '"':
                unit = '"';
                break;
            case '\'':
                unit = '\'';
                break;
            case '?':
                unit = '?';
                break;
            case 'x': {
                int digits = 0;
                unsigned value = 0;
                while (digits < 4 && src.pos < t.size() &&
                       std::isxdigit(static_cast<unsigned char>(t[src.pos]))) {
                    char h = t[src.pos++];
                    value = value * 16 + (IsDigit(h) ? h - '0' : (h | 0x20) - 'a' + 10);
                    ++digits;
                }
                if (digits == 0)
                    throw RcError(src.file, line, "\\x without digits");
                unit = static_cast<char16_t>(value);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    unsigned value = e - '0';
                    for (int k = 0;
                         k < 2 && src.pos < t.size() && t[src.pos] >= '0' && t[src.pos] <= '7'; ++k)
                        value = value * 8 + (t[src.pos++] - '0');
                    unit = static_cast<char16_t>(value);
                    break;
                }
                throw RcError(src.file, line, std::string("unknown escape \\") + e);
            }
            flush();
            out += unit;
        }
        flush();
        return out;
    }

    void Emit(const Token& token) {
        if (token.kind == TokenKind::Identifier) {
            auto found = defines.find(token.text);
            if (found != defines.end() && !expanding.count(token.text)) {
                expanding.insert(token.text);
                for (Token body : found->second) {
                    body.file = token.file;
                    body.line = token.line;
                    Emit(body);
                }
                expanding.erase(token.text);
                return;
            }
        }
        output.push_back(token);
    }

    // Reads the rest of the directive line (joined across backslash-newlines).
    std::string DirectiveLine(Source& src) {
        const std::string& t = src.text;
        std::string line;
        while (src.pos < t.size() && t[src.pos] != '\n') {
            if (t[src.pos] == '\\' && src.pos + 1 < t.size() &&
                (t[src.pos + 1] == '\n' || t[src.pos + 1] == '\r')) {
                src.pos = t.find('\n', src.pos) + 1;
                ++src.line;
                continue;
            }
            line += t[src.pos++];
        }
        size_t comment = line.find("//");
        if (comment != std::string::npos && line.find('"') > comment)
            line.erase(comment);
        return line;
    }

    static std::string Trim(const std::string& s) {
        size_t b = s.find_first_not_of(" \t\r");
        if (b == std::string::npos)
            return "";
        size_t e = s.find_last_not_of(" \t\r");
        return s.substr(b, e - b + 1);
    }

    void Directive(Source& src) {
        int line = src.line;
        ++src.pos; // '#'
        std::string text = Trim(DirectiveLine(src));
        size_t nameEnd = 0;
        while (nameEnd < text.size() && IsIdentifierPart(text[nameEnd]))
            ++nameEnd;
        std::string name = text.substr(0, nameEnd);
        std::string rest = Trim(text.substr(nameEnd));
        auto firstWord = [&](const std::string& s) {
            size_t e = 0;
            while (e < s.size() && IsIdentifierPart(s[e]))
                ++e;
            return s.substr(0, e);
        };
        if (name == "ifdef" || name == "ifndef") {
            bool defined = defines.count(firstWord(rest)) != 0;
            conditions.push_back(name == "ifdef" ? defined : !defined);
        } else if (name == "else") {
            if (conditions.empty())
                throw RcError(src.file, line, "#else without #if");
            conditions.back() = !conditions.back();
        } else if (name == "endif") {
            if (conditions.empty())
                throw RcError(src.file, line, "#endif without #if");
            conditions.pop_back();
        } else if (!Active()) {
            return;
        } else if (name == "include") {
            if (!rest.empty() && rest[0] == '<')
                return; // platform header: its constants are built into the compiler
            if (rest.size() < 2 || rest[0] != '"' || rest.back() != '"')
                throw RcError(src.file, line, "malformed #include");
            LexFile(DirectoryOf(src.file) + "/" + rest.substr(1, rest.size() - 2));
        } else if (name == "define") {
            std::string macro = firstWord(rest);
            if (macro.empty())
                throw RcError(src.file, line, "#define without a name");
            std::string body = rest.substr(macro.size());
            if (!body.empty() && body[0] == '(')
                throw RcError(src.file, line, "function-like macros are not supported");
            std::vector<Token> saved;
            saved.swap(output);
            std::set<std::string> savedExpanding;
            savedExpanding.swap(expanding);
            expanding.insert(macro);
            Source bodySource{body, src.file, 0, line};
            std::vector<bool> savedConditions;
            savedConditions.swap(conditions);
            LexText(bodySource, false);
            conditions.swap(savedConditions);
            expanding.swap(savedExpanding);
            defines[macro] = output;
            output.swap(saved);
        } else if (name == "undef") {
            defines.erase(firstWord(rest));
        } else if (name == "pragma") {
            if (firstWord(rest) == "once")
                return;
            if (firstWord(rest) == "code_page") {
                if (rest.find("65001") == std::string::npos)
                    throw RcError(src.file, line, "only #pragma code_page(65001) is supported");
                return;
            }
            throw RcError(src.file, line, "unknown #pragma");
        } else {
            throw RcError(src.file, line, "unsupported directive #" + name);
        }
    }

    std::vector<Token> output;
    std::map<std::string, std::vector<Token>> defines;
    std::set<std::string> expanding;
    std::vector<bool> conditions;
    int includeDepth = 0;
    int lastLine = 0;
};

} // namespace

std::vector<Token> Tokenize(const std::string& path) {
    Preprocessor preprocessor;
    return preprocessor.Run(path);
}

} // namespace rcgen

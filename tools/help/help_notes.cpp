#include "help_notes.h"

#include <fstream>
#include <sstream>

namespace helpgen {
namespace {

std::string Trim(const std::string& text) {
    const size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos)
        return "";
    return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool IsBlank(const std::string& line) {
    return Trim(line).empty();
}

// The next code point of UTF-8 text at `at` (advanced past it); U+FFFD for a malformed byte.
unsigned NextCodePoint(const std::string& text, size_t* at) {
    const unsigned char lead = static_cast<unsigned char>(text[*at]);
    int length = lead < 0x80       ? 1
                 : lead >> 5 == 6  ? 2
                 : lead >> 4 == 14 ? 3
                 : lead >> 3 == 30 ? 4
                                   : 0;
    if (length == 0 || *at + length > text.size()) {
        ++*at;
        return 0xFFFD;
    }
    unsigned point = length == 1 ? lead : lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[*at + i]);
        if (next >> 6 != 2) {
            ++*at;
            return 0xFFFD;
        }
        point = point << 6 | (next & 0x3F);
    }
    *at += length;
    return point;
}

class InlineRenderer {
  public:
    InlineRenderer(const std::string& path, int line, const LinkResolver& resolve)
        : path(path), line(line), resolve(resolve) {}

    std::string Render(const std::string& text) {
        std::string html;
        size_t at = 0;
        while (at < text.size()) {
            const char c = text[at];
            if (c == '`') {
                const size_t end = text.find('`', at + 1);
                if (end == std::string::npos)
                    throw NotesError(path, line, "` without its closing `");
                html += "<code>" + EscapeHtml(text.substr(at + 1, end - at - 1)) + "</code>";
                at = end + 1;
            } else if (c == '{') {
                const size_t end = text.find('}', at + 1);
                if (end == std::string::npos)
                    throw NotesError(path, line, "{ without its closing }");
                html += Link(text.substr(at + 1, end - at - 1));
                at = end + 1;
            } else {
                const size_t end = text.find_first_of("`{", at);
                const size_t stop = end == std::string::npos ? text.size() : end;
                html += EscapeHtml(text.substr(at, stop - at));
                at = stop;
            }
        }
        return html;
    }

  private:
    std::string Link(const std::string& inside) {
        const size_t bar = inside.find('|');
        const std::string reference = Trim(inside.substr(0, bar));
        LinkTarget target;
        if (!resolve(reference, &target))
            throw NotesError(path, line, "{" + reference + "} names nothing in the help file");
        const std::string text =
            bar == std::string::npos ? target.text : Trim(inside.substr(bar + 1));
        return "<a href=\"" + EscapeHtml(target.href) + "\">" + EscapeHtml(text) + "</a>";
    }

    const std::string& path;
    int line;
    const LinkResolver& resolve;
};

} // namespace

NotesError::NotesError(const std::string& path, int line, const std::string& message)
    : std::runtime_error(path + ":" + std::to_string(line) + ": " + message) {}

const NoteSection* NotesFile::Find(const std::string& key) const {
    for (const NoteSection& section : sections)
        if (section.key == key)
            return &section;
    return nullptr;
}

NotesFile ParseNotes(const std::string& text, const std::string& path) {
    NotesFile file;
    file.path = path;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (StartsWith(line, "//"))
            continue;
        if (StartsWith(line, "[")) {
            const size_t close = line.find(']');
            const std::string key =
                close == std::string::npos ? "" : Trim(line.substr(1, close - 1));
            if (key.empty())
                throw NotesError(path, number, "a section header reads \"[key] label\"");
            if (file.Find(key))
                throw NotesError(path, number, "[" + key + "] appears twice");
            NoteSection section;
            section.key = key;
            section.label = Trim(line.substr(close + 1));
            section.line = number;
            file.sections.push_back(section);
            continue;
        }
        if (file.sections.empty()) {
            if (!IsBlank(line))
                throw NotesError(path, number, "text before the first [section]");
            continue;
        }
        file.sections.back().body.emplace_back(number, line);
    }
    for (NoteSection& section : file.sections) {
        while (!section.body.empty() && IsBlank(section.body.back().second))
            section.body.pop_back();
        while (!section.body.empty() && IsBlank(section.body.front().second))
            section.body.erase(section.body.begin());
    }
    return file;
}

NotesFile ReadNotesFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw NotesError(path, 0, "cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return ParseNotes(text.str(), path);
}

std::string RenderBody(const NoteSection& section, const std::string& path,
                       const LinkResolver& resolve) {
    enum class Block { None, Paragraph, List, Preformatted };
    Block open = Block::None;
    std::string html, paragraph, item;
    int paragraphLine = 0, itemLine = 0;

    auto flushItem = [&] {
        if (!item.empty())
            html += "<li>" + InlineRenderer(path, itemLine, resolve).Render(item) + "</li>\n";
        item.clear();
    };
    auto close = [&] {
        switch (open) {
        case Block::Paragraph:
            html +=
                "<p>" + InlineRenderer(path, paragraphLine, resolve).Render(paragraph) + "</p>\n";
            paragraph.clear();
            break;
        case Block::List:
            flushItem();
            html += "</ul>\n";
            break;
        case Block::Preformatted:
            html += "</pre>\n";
            break;
        case Block::None:
            break;
        }
        open = Block::None;
    };

    for (const auto& [number, line] : section.body) {
        if (IsBlank(line)) {
            close();
        } else if (StartsWith(line, "    ") && open != Block::List) {
            if (open != Block::Preformatted) {
                close();
                html += "<pre>";
                open = Block::Preformatted;
            }
            html += EscapeHtml(line.substr(4)) + "\n";
        } else if (StartsWith(line, "### ")) {
            close();
            const std::string title = Trim(line.substr(4));
            if (title.empty())
                throw NotesError(path, number, "a heading without text");
            html += "<h2>" + InlineRenderer(path, number, resolve).Render(title) + "</h2>\n";
        } else if (StartsWith(line, "- ")) {
            if (open != Block::List) {
                close();
                html += "<ul>\n";
                open = Block::List;
            }
            flushItem();
            item = Trim(line.substr(2));
            itemLine = number;
            if (item.empty())
                throw NotesError(path, number, "a list item without text");
        } else if (open == Block::List && (line[0] == ' ' || line[0] == '\t')) {
            item += " " + Trim(line);
        } else {
            if (open != Block::Paragraph) {
                close();
                open = Block::Paragraph;
                paragraphLine = number;
            } else {
                paragraph += " ";
            }
            paragraph += Trim(line);
        }
    }
    close();
    return html;
}

std::string EscapeHtml(const std::string& text) {
    std::string html;
    size_t at = 0;
    while (at < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {
            ++at;
            switch (c) {
            case '&':
                html += "&amp;";
                break;
            case '<':
                html += "&lt;";
                break;
            case '>':
                html += "&gt;";
                break;
            case '"':
                html += "&quot;";
                break;
            default:
                html += static_cast<char>(c);
            }
        } else {
            html += "&#" + std::to_string(NextCodePoint(text, &at)) + ";";
        }
    }
    return html;
}

} // namespace helpgen

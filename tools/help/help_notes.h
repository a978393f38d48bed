// The hand-written explanations of the help file: one text file per kind of page, made of
// sections that start with a header line "[key] label" and hold light markup (see RenderBody).
// Lines starting with "//" are comments.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace helpgen {

// A mistake in a notes file, named by file and line: "help/actions.txt:12: ...".
class NotesError : public std::runtime_error {
  public:
    NotesError(const std::string& path, int line, const std::string& message);
};

struct NoteSection {
    std::string key;
    std::string label; // the header line after the key, trimmed; may be empty
    int line = 0;      // of the header
    std::vector<std::pair<int, std::string>> body; // line number, text; no trailing blank lines
};

struct NotesFile {
    std::string path;
    std::vector<NoteSection> sections; // in file order
    const NoteSection* Find(const std::string& key) const;
};

// Text before the first section may hold only comments and blank lines; keys are unique.
NotesFile ParseNotes(const std::string& text, const std::string& path);
NotesFile ReadNotesFile(const std::string& path);

// ---- Markup ----
// Blocks are separated by blank lines. "### Title" is a heading; lines starting with "- " are
// list items (an indented line continues the item); lines indented by four spaces are kept as
// they are in a preformatted block; other lines join into a paragraph. Inside text, `code` is
// set as code and {reference} or {reference|text} is a link (references: "condition 3",
// "action 35", "expression 6", "property 0x8000E", "page errors").

struct LinkTarget {
    std::string href;
    std::string text; // plain text, shown when the reference gives none
};
// Answers whether `reference` names something, and where it is.
using LinkResolver = std::function<bool(const std::string& reference, LinkTarget* target)>;

// The section's body as HTML. Throws NotesError at the line of an unknown reference, an
// unclosed ` or {, or a heading or list item without text.
std::string RenderBody(const NoteSection& section, const std::string& path,
                       const LinkResolver& resolve);

// Text for HTML: & < > " escaped, every non-ASCII character as a numeric reference (so the
// pages read the same in any code page the viewer assumes).
std::string EscapeHtml(const std::string& text);

} // namespace helpgen

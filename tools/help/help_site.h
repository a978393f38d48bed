// The help file's pages, contents, index and project, built from what the module says about
// itself (help_model.h) and the hand-written explanations (help_notes.h).
#pragma once

#include <string>
#include <vector>

#include "help_model.h"
#include "help_notes.h"

namespace helpgen {

// The explanations, one file per kind of page.
//  conditions, actions, expressions: [overview] and one section per code, labelled with the
//      event's name (its menu text, or its display string when it has no menu item).
//  properties: [overview], one section per row id ("[0x80003] Play video at start", labelled
//      with the row's name) and [setup-dialog].
//  topics: [welcome] first, then one page per section, labelled with the page's title.
struct HelpNotes {
    NotesFile conditions, actions, expressions, properties, topics;
};

struct SiteFile {
    std::string name; // relative to the project's folder
    std::string content;
};

// Every file the CHM compiler reads: the pages, "help.css" (`stylesheet`), the contents
// (.hhc), the index (.hhk) and the project (.hhp, last), which compiles to `compiledName`.
// Throws NotesError when the notes and the module disagree: an event, row or overview without
// its section, a section that names nothing the module has, a label that is not the name.
std::vector<SiteFile> BuildSite(const Catalogue& catalogue, const HelpNotes& notes,
                                const std::string& stylesheet, const std::string& compiledName);

// The page of an event: "condition-03.htm".
std::string EventPage(EventKind kind, int code);

// A display string as words: "%o: Start of video?" -> "Start of video?",
// "Set Volume to %0" -> "Set Volume to ...".
std::string DisplayWords(const std::string& displayString);

} // namespace helpgen

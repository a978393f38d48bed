#include "help_site.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>

namespace helpgen {
namespace {

const char kStylesheetName[] = "help.css";
const char kWelcomePage[] = "welcome.htm";
const char kPropertiesPage[] = "properties.htm";
const char kSetupDialogPage[] = "setup-dialog.htm";
const char kContentsFile[] = "Cinevane.hhc";
const char kIndexFile[] = "Cinevane.hhk";
const char kProjectFile[] = "Cinevane.hhp";

const EventKind kKinds[] = {EventKind::Condition, EventKind::Action, EventKind::Expression};

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string OverviewPage(EventKind kind) {
    return Lower(KindPlural(kind)) + ".htm";
}

std::string RowAnchor(unsigned id) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned value = id; value; value >>= 4)
        hex.insert(hex.begin(), digits[value & 0xF]);
    return "row-" + hex;
}

std::string RowHref(unsigned id) {
    return std::string(kPropertiesPage) + "#" + RowAnchor(id);
}

// "0x8000E" -> 0x8000E; false for anything else.
bool ParseRowKey(const std::string& key, unsigned* id) {
    if (key.size() < 3 || key.compare(0, 2, "0x") != 0 ||
        key.find_first_not_of("0123456789abcdefABCDEF", 2) != std::string::npos)
        return false;
    *id = static_cast<unsigned>(std::strtoul(key.c_str() + 2, nullptr, 16));
    return true;
}

bool ParseCode(const std::string& key, int* code) {
    if (key.empty() || key.size() > 4 || key.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *code = std::atoi(key.c_str());
    return true;
}

bool IsTopicKey(const std::string& key) {
    return !key.empty() &&
           key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos;
}

// What the host's parameter kinds ask the author for.
std::string ParameterKindWords(int kind) {
    switch (kind) {
    case 14:
        return "a key";
    case 22:
        return "a number";
    case 23:
        return "a comparison with a number";
    case 24:
        return "a colour";
    case 32:
        return "a mouse click";
    case 40:
        return "a file name";
    case 42:
        return "a comparison with a time";
    case 45:
        return "a text";
    default:
        return "";
    }
}

// What a condition's flags tell the host about it.
std::string ConditionRole(int flags) {
    switch (flags) {
    case 0x0200:
        return "Tests the object's state.";
    case 0x0220:
        return "Compares a value of the object with the value you give.";
    case 0x0000:
        return "Reports an input (a click or a key) that the object's window received.";
    default:
        return "";
    }
}

std::string ExpressionResult(int flags) {
    switch (flags) {
    case 0:
        return "A whole number.";
    case 1:
        return "A text.";
    case 2:
        return "A decimal number.";
    default:
        return "";
    }
}

std::string Quoted(const std::string& text) {
    return "&#8220;" + EscapeHtml(text) + "&#8221;";
}

// A display string with its placeholders as variables: %o the object, %0 the first parameter.
std::string DisplayHtml(const std::string& display) {
    const std::string escaped = EscapeHtml(display);
    std::string html;
    for (size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '%' && i + 1 < escaped.size()) {
            const char next = escaped[i + 1];
            if (next == 'o') {
                html += "<var>object</var>";
                ++i;
                continue;
            }
            if (next >= '0' && next <= '8') {
                html += "<var>parameter " + std::string(1, static_cast<char>(next + 1)) + "</var>";
                ++i;
                continue;
            }
        }
        html += escaped[i];
    }
    return html;
}

std::string PageHtml(const std::string& title, const std::string& crumbs,
                     const std::string& heading, const std::string& body,
                     const std::string& footer) {
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
                       "<title>" +
                       EscapeHtml(title) +
                       "</title>\n"
                       "<link rel=\"stylesheet\" type=\"text/css\" href=\"" +
                       kStylesheetName + "\">\n</head>\n<body>\n";
    if (!crumbs.empty())
        html += "<p class=\"crumbs\">" + crumbs + "</p>\n";
    html += "<h1>" + EscapeHtml(heading) + "</h1>\n" + body;
    html += "<p class=\"footer\">" + footer + "</p>\n</body>\n</html>\n";
    return html;
}

std::string Anchor(const std::string& href, const std::string& text) {
    return "<a href=\"" + EscapeHtml(href) + "\">" + EscapeHtml(text) + "</a>";
}

std::string FactsTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::string html = "<table class=\"facts\">\n";
    for (const auto& [name, value] : rows)
        html += "<tr><th>" + EscapeHtml(name) + "</th><td>" + value + "</td></tr>\n";
    return html + "</table>\n";
}

// One entry of the contents: a page, or a folder when `local` is empty.
struct TocEntry {
    std::string name;
    std::string local;
    std::vector<TocEntry> children;
};

std::string SitemapParams(const std::string& name, const std::string& local) {
    std::string html = "<param name=\"Name\" value=\"" + EscapeHtml(name) + "\">";
    if (!local.empty())
        html += "<param name=\"Local\" value=\"" + EscapeHtml(local) + "\">";
    return html;
}

void WriteToc(const std::vector<TocEntry>& entries, const std::string& indent, std::string* out) {
    *out += indent + "<UL>\n";
    for (const TocEntry& entry : entries) {
        *out += indent + "<LI><OBJECT type=\"text/sitemap\">" +
                SitemapParams(entry.name, entry.local) + "</OBJECT>\n";
        if (!entry.children.empty())
            WriteToc(entry.children, indent + "  ", out);
    }
    *out += indent + "</UL>\n";
}

const char kSitemapHead[] = "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n"
                            "<meta name=\"GENERATOR\" content=\"cinevane_helpgen\">\n"
                            "<!-- Sitemap 1.0 -->\n</HEAD><BODY>\n";

class SiteBuilder {
  public:
    SiteBuilder(const Catalogue& catalogue, const HelpNotes& notes)
        : catalogue(catalogue), notes(notes) {}

    std::vector<SiteFile> Build(const std::string& stylesheet, const std::string& compiledName) {
        CheckTopics();
        for (EventKind kind : kKinds)
            CheckEventNotes(kind);
        CheckPropertyNotes();

        for (EventKind kind : kKinds) {
            AddOverview(kind);
            for (const Event& event : catalogue.EventsOf(kind))
                AddEventPage(event);
        }
        AddProperties();
        AddSetupDialog();
        for (const NoteSection& topic : notes.topics.sections)
            if (topic.key != "welcome")
                AddTopic(topic);
        AddWelcome(); // last: it lists the other pages

        files.push_back(SiteFile{kStylesheetName, stylesheet});
        files.push_back(SiteFile{kContentsFile, Contents()});
        files.push_back(SiteFile{kIndexFile, Index()});
        files.push_back(SiteFile{kProjectFile, Project(compiledName)});
        return files;
    }

  private:
    // ---- Checking the notes against the module ----
    const NotesFile& EventNotes(EventKind kind) const {
        return kind == EventKind::Condition ? notes.conditions
               : kind == EventKind::Action  ? notes.actions
                                            : notes.expressions;
    }

    static const NoteSection& Required(const NotesFile& file, const std::string& key,
                                       const std::string& what) {
        const NoteSection* section = file.Find(key);
        if (!section)
            throw NotesError(file.path, 1, what + " has no [" + key + "] section");
        if (section->body.empty())
            throw NotesError(file.path, section->line, "[" + key + "] has no text");
        return *section;
    }

    void CheckEventNotes(EventKind kind) const {
        const NotesFile& file = EventNotes(kind);
        Required(file, "overview", std::string("the ") + KindPlural(kind) + " page");
        for (const NoteSection& section : file.sections) {
            if (section.key == "overview")
                continue;
            int code = 0;
            const Event* event =
                ParseCode(section.key, &code) ? FindEvent(catalogue, kind, code) : nullptr;
            if (!event)
                throw NotesError(file.path, section.line,
                                 "[" + section.key + "]: the module has no " + KindWord(kind) +
                                     " " + section.key);
            if (section.label != EventName(*event))
                throw NotesError(file.path, section.line,
                                 "[" + section.key + "] is labelled \"" + section.label +
                                     "\"; the module calls " + KindWord(kind) + " " + section.key +
                                     " \"" + EventName(*event) + "\"");
        }
        for (const Event& event : catalogue.EventsOf(kind))
            Required(file, std::to_string(event.code),
                     std::string(KindWord(kind)) + " " + std::to_string(event.code) + " \"" +
                         EventName(event) + "\"");
    }

    void CheckPropertyNotes() const {
        const NotesFile& file = notes.properties;
        Required(file, "overview", "the properties page");
        Required(file, "setup-dialog", "the setup dialog page");
        for (const NoteSection& section : file.sections) {
            if (section.key == "overview" || section.key == "setup-dialog")
                continue;
            unsigned id = 0;
            const PropertyRow* row =
                ParseRowKey(section.key, &id) ? FindProperty(catalogue, id) : nullptr;
            if (!row)
                throw NotesError(file.path, section.line,
                                 "[" + section.key + "]: the property sheet has no such row");
            if (section.label != row->name)
                throw NotesError(file.path, section.line,
                                 "[" + section.key + "] is labelled \"" + section.label +
                                     "\"; the property sheet calls the row \"" + row->name + "\"");
        }
        for (const PropertyRow& row : catalogue.properties) {
            bool found = false;
            for (const NoteSection& section : file.sections) {
                unsigned id = 0;
                if (ParseRowKey(section.key, &id) && id == row.id) {
                    found = true;
                    if (section.body.empty())
                        throw NotesError(file.path, section.line,
                                         "[" + section.key + "] has no text");
                }
            }
            if (!found)
                throw NotesError(file.path, 1,
                                 "the row \"" + row.name + "\" has no [0x...] section");
        }
    }

    void CheckTopics() const {
        const NotesFile& file = notes.topics;
        if (file.sections.empty() || file.sections.front().key != "welcome")
            throw NotesError(file.path, 1, "the topics start with [welcome]");
        static const std::set<std::string> taken = {"conditions", "actions", "expressions",
                                                    "properties", "setup-dialog"};
        for (const NoteSection& section : file.sections) {
            if (!IsTopicKey(section.key) || taken.count(section.key) ||
                section.key.compare(0, 10, "condition-") == 0 ||
                section.key.compare(0, 7, "action-") == 0 ||
                section.key.compare(0, 11, "expression-") == 0)
                throw NotesError(file.path, section.line,
                                 "[" + section.key +
                                     "] cannot name a page (lower-case letters, digits and "
                                     "hyphens; not the name of a generated page)");
            if (section.label.empty())
                throw NotesError(file.path, section.line,
                                 "[" + section.key + "] needs its page title after the key");
            if (section.body.empty())
                throw NotesError(file.path, section.line, "[" + section.key + "] has no text");
        }
    }

    // ---- Links ----
    bool Resolve(const std::string& reference, LinkTarget* target) const {
        const size_t space = reference.find(' ');
        if (space == std::string::npos)
            return false;
        const std::string word = reference.substr(0, space);
        const std::string argument = reference.substr(space + 1);
        for (EventKind kind : kKinds) {
            int code = 0;
            if (word == KindWord(kind) && ParseCode(argument, &code)) {
                const Event* event = FindEvent(catalogue, kind, code);
                if (!event)
                    return false;
                *target = LinkTarget{EventPage(kind, code), EventMenuLine(*event)};
                return true;
            }
        }
        unsigned id = 0;
        if (word == "property" && ParseRowKey(argument, &id)) {
            const PropertyRow* row = FindProperty(catalogue, id);
            if (!row)
                return false;
            *target = LinkTarget{RowHref(id), row->name};
            return true;
        }
        if (word == "page") {
            for (EventKind kind : kKinds)
                if (argument == Lower(KindPlural(kind))) {
                    *target = LinkTarget{OverviewPage(kind), KindPlural(kind)};
                    return true;
                }
            if (argument == "properties") {
                *target = LinkTarget{kPropertiesPage, "Properties"};
                return true;
            }
            if (argument == "setup-dialog") {
                *target = LinkTarget{kSetupDialogPage, "Setup dialog"};
                return true;
            }
            if (const NoteSection* topic = notes.topics.Find(argument)) {
                *target = LinkTarget{argument + ".htm", topic->label};
                return true;
            }
        }
        return false;
    }

    std::string Render(const NoteSection& section, const NotesFile& file) const {
        return RenderBody(section, file.path,
                          [this](const std::string& reference, LinkTarget* target) {
                              return Resolve(reference, target);
                          });
    }

    // ---- Pages ----
    std::string Footer() const {
        return EscapeHtml(catalogue.objectName) + " &#183; " + EscapeHtml(catalogue.copyright);
    }

    std::string HomeCrumb() const { return Anchor(kWelcomePage, catalogue.objectName); }

    void AddPage(const std::string& file, const std::string& title, const std::string& crumbs,
                 const std::string& heading, const std::string& body) {
        files.push_back(SiteFile{file, PageHtml(title, crumbs, heading, body, Footer())});
    }

    // The events of a kind in the order of their menu, those without a menu item last.
    std::vector<const Event*> MenuOrder(EventKind kind) const {
        std::vector<const Event*> events;
        for (const Event& event : catalogue.EventsOf(kind))
            events.push_back(&event);
        std::stable_sort(events.begin(), events.end(), [](const Event* a, const Event* b) {
            const bool aListed = !a->menuText.empty(), bListed = !b->menuText.empty();
            if (aListed != bListed)
                return aListed;
            return aListed && a->menuPosition < b->menuPosition;
        });
        return events;
    }

    void AddOverview(EventKind kind) {
        const NotesFile& file = EventNotes(kind);
        std::string body = Render(*file.Find("overview"), file);
        body += "<table class=\"events\">\n<tr><th>In the menu</th><th>In the event editor</th>"
                "</tr>\n";
        for (const Event* event : MenuOrder(kind))
            body += "<tr><td>" +
                    Anchor(EventPage(kind, event->code),
                           event->menuText.empty() ? EventName(*event) + " (not in the menu)"
                                                   : EventMenuLine(*event)) +
                    "</td><td>" + DisplayHtml(event->displayString) + "</td></tr>\n";
        body += "</table>\n";
        AddPage(OverviewPage(kind), KindPlural(kind), HomeCrumb(), KindPlural(kind), body);
    }

    std::string ParameterList(const Event& event) const {
        if (event.parameters.empty())
            return "None.";
        std::string html = "<ol class=\"parameters\">\n";
        for (const EventParameter& parameter : event.parameters) {
            const std::string words = ParameterKindWords(parameter.kind);
            if (words.empty())
                throw NotesError(EventNotes(event.kind).path, 1,
                                 std::string(KindWord(event.kind)) + " " +
                                     std::to_string(event.code) +
                                     " takes a parameter of a kind this help file cannot "
                                     "describe (" +
                                     std::to_string(parameter.kind) + ")");
            html += "<li>" + EscapeHtml(words);
            if (parameter.kind == 40) {
                std::string types;
                for (const std::string& description : FilterDescriptions(parameter.title))
                    types += (types.empty() ? "" : ", ") + EscapeHtml(description);
                if (!types.empty())
                    html += "; the file selector offers " + types;
            } else if (!parameter.title.empty()) {
                html += ", asked for as " + Quoted(parameter.title);
            }
            html += "</li>\n";
        }
        return html + "</ol>";
    }

    void AddEventPage(const Event& event) {
        const EventKind kind = event.kind;
        const NotesFile& file = EventNotes(kind);
        std::vector<std::pair<std::string, std::string>> facts;
        std::string kindWord = KindWord(kind);
        kindWord[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(kindWord[0])));
        facts.emplace_back("Number", kindWord + " " + std::to_string(event.code));
        facts.emplace_back("In the menu", event.menuText.empty()
                                              ? std::string("Not offered in the menu.")
                                              : EscapeHtml(EventMenuLine(event)));
        facts.emplace_back("In the event editor",
                           "<code>" + DisplayHtml(event.displayString) + "</code>");
        if (kind != EventKind::Expression || !event.parameters.empty())
            facts.emplace_back("Parameters", ParameterList(event));
        if (kind != EventKind::Action) {
            const std::string role = kind == EventKind::Condition ? ConditionRole(event.flags)
                                                                  : ExpressionResult(event.flags);
            if (role.empty())
                throw NotesError(file.path, 1,
                                 kindWord + " " + std::to_string(event.code) +
                                     " has flags this help file cannot describe (" +
                                     std::to_string(event.flags) + ")");
            facts.emplace_back(kind == EventKind::Condition ? "Kind" : "Result", EscapeHtml(role));
        }

        std::string body = FactsTable(facts);
        body += Render(*file.Find(std::to_string(event.code)), file);

        const std::vector<Event>& all = catalogue.EventsOf(kind);
        std::string nav;
        if (event.code > 0)
            nav += "Previous: " +
                   Anchor(EventPage(kind, event.code - 1), EventMenuLine(all[event.code - 1])) +
                   " &#183; ";
        nav += Anchor(OverviewPage(kind), std::string("All ") + Lower(KindPlural(kind)));
        if (event.code + 1 < static_cast<int>(all.size()))
            nav += " &#183; Next: " +
                   Anchor(EventPage(kind, event.code + 1), EventMenuLine(all[event.code + 1]));
        body += "<p class=\"nav\">" + nav + "</p>\n";

        std::string crumbs = HomeCrumb() + " &gt; " + Anchor(OverviewPage(kind), KindPlural(kind));
        for (const std::string& popup : event.menuPath)
            crumbs += " &gt; " + EscapeHtml(popup);
        AddPage(EventPage(kind, event.code), EventMenuLine(event), crumbs, EventName(event), body);
    }

    const NoteSection& RowSection(unsigned id) const {
        for (const NoteSection& section : notes.properties.sections) {
            unsigned key = 0;
            if (ParseRowKey(section.key, &key) && key == id)
                return section;
        }
        throw NotesError(notes.properties.path, 1, "no section for row " + RowAnchor(id));
    }

    void AddProperties() {
        const NotesFile& file = notes.properties;
        std::string body = Render(*file.Find("overview"), file);
        for (const PropertyRow& row : catalogue.properties) {
            const std::string id = RowAnchor(row.id);
            if (row.type == kRowGroup) {
                body += "<h2 id=\"" + id + "\">" + EscapeHtml(row.name) + "</h2>\n";
            } else {
                body += "<h3 id=\"" + id + "\">" + EscapeHtml(row.name) + "</h3>\n";
                std::string facts = row.type == kRowCheckBox ? "Check box" : "File name";
                facts += ". The property sheet describes it as " + Quoted(row.info) + ".";
                if (!row.fileTypes.empty()) {
                    facts += " Its browse button offers: ";
                    for (size_t i = 0; i < row.fileTypes.size(); ++i)
                        facts += (i ? ", " : "") + EscapeHtml(row.fileTypes[i]);
                    facts += ".";
                }
                body += "<p class=\"row\">" + facts + "</p>\n";
            }
            body += Render(RowSection(row.id), file);
        }
        AddPage(kPropertiesPage, "Properties", HomeCrumb(), "Properties", body);
    }

    void AddSetupDialog() {
        const SetupDialogFacts& dialog = catalogue.setupDialog;
        std::string buttons;
        for (const std::string& button : dialog.buttons)
            buttons += (buttons.empty() ? "" : ", ") + Quoted(button);
        std::string body = FactsTable(
            {{"Title", Quoted(dialog.caption)}, {"Buttons", buttons.empty() ? "None." : buttons}});
        body += Render(*notes.properties.Find("setup-dialog"), notes.properties);
        AddPage(kSetupDialogPage, "Setup dialog", HomeCrumb(), "Setup dialog", body);
    }

    void AddTopic(const NoteSection& topic) {
        AddPage(topic.key + ".htm", topic.label, HomeCrumb(), topic.label,
                Render(topic, notes.topics));
    }

    void AddWelcome() {
        const NoteSection& welcome = notes.topics.sections.front();
        std::string counts;
        for (EventKind kind : kKinds)
            counts += (counts.empty() ? "" : ", ") +
                      std::to_string(catalogue.EventsOf(kind).size()) + " " +
                      Lower(KindPlural(kind));
        std::string body =
            FactsTable({{"Object", EscapeHtml(catalogue.objectName)},
                        {"Described as", Quoted(catalogue.objectNotes)},
                        {"Events", EscapeHtml(counts)},
                        {"Author", EscapeHtml(catalogue.author)},
                        {"Help file", "<code>" + EscapeHtml(catalogue.helpFile) + "</code>"}});
        body += Render(welcome, notes.topics);
        body += "<h2>In this help file</h2>\n<ul>\n";
        for (const TocEntry& entry : TopEntries())
            body += "<li>" + Anchor(entry.local, entry.name) + "</li>\n";
        body += "</ul>\n";
        files.insert(files.begin(),
                     SiteFile{kWelcomePage,
                              PageHtml(welcome.label, "", catalogue.objectName, body, Footer())});
    }

    // ---- Contents, index, project ----
    TocEntry EventsEntry(EventKind kind) const {
        TocEntry root{KindPlural(kind), OverviewPage(kind), {}};
        for (const Event* event : MenuOrder(kind)) {
            std::vector<TocEntry>* level = &root.children;
            std::vector<std::string> path = event->menuPath;
            if (event->menuText.empty())
                path = {"Not in the menu"};
            for (const std::string& popup : path) {
                if (level->empty() || !level->back().local.empty() || level->back().name != popup)
                    level->push_back(TocEntry{popup, "", {}});
                level = &level->back().children;
            }
            level->push_back(TocEntry{EventName(*event), EventPage(kind, event->code), {}});
        }
        return root;
    }

    std::vector<TocEntry> TopEntries() const {
        std::vector<TocEntry> entries;
        const NoteSection* started = notes.topics.Find("getting-started");
        if (started)
            entries.push_back(TocEntry{started->label, "getting-started.htm", {}});
        TocEntry properties{"Properties", kPropertiesPage, {}};
        for (const PropertyRow& row : catalogue.properties)
            properties.children.push_back(TocEntry{row.name, RowHref(row.id), {}});
        entries.push_back(properties);
        entries.push_back(TocEntry{"Setup dialog", kSetupDialogPage, {}});
        for (EventKind kind : kKinds)
            entries.push_back(EventsEntry(kind));
        for (const NoteSection& topic : notes.topics.sections)
            if (topic.key != "welcome" && topic.key != "getting-started")
                entries.push_back(TocEntry{topic.label, topic.key + ".htm", {}});
        return entries;
    }

    std::string Contents() const {
        std::string hhc = kSitemapHead;
        hhc += "<OBJECT type=\"text/site properties\">"
               "<param name=\"ImageType\" value=\"Folder\"></OBJECT>\n";
        WriteToc({TocEntry{catalogue.objectName, kWelcomePage, TopEntries()}}, "", &hhc);
        return hhc + "</BODY></HTML>\n";
    }

    std::string Index() const {
        struct Keyword {
            std::string name, href, qualifier;
        };
        std::vector<Keyword> keywords;
        for (EventKind kind : kKinds)
            for (const Event& event : catalogue.EventsOf(kind)) {
                std::string qualifier;
                for (const std::string& popup : event.menuPath)
                    qualifier += (qualifier.empty() ? "" : " > ") + popup;
                if (qualifier.empty())
                    qualifier = std::string(KindWord(kind)) + " " + std::to_string(event.code);
                const std::string href = EventPage(kind, event.code);
                keywords.push_back(Keyword{EventName(event), href, qualifier});
                const std::string words = DisplayWords(event.displayString);
                if (Lower(words) != Lower(EventName(event)))
                    keywords.push_back(Keyword{words, href, qualifier});
            }
        for (const PropertyRow& row : catalogue.properties)
            keywords.push_back(Keyword{row.name, RowHref(row.id), "property"});
        keywords.push_back(Keyword{"Properties", kPropertiesPage, ""});
        keywords.push_back(Keyword{"Setup dialog", kSetupDialogPage, ""});
        for (EventKind kind : kKinds)
            keywords.push_back(Keyword{KindPlural(kind), OverviewPage(kind), ""});
        for (const NoteSection& topic : notes.topics.sections)
            keywords.push_back(Keyword{
                topic.label,
                topic.key == "welcome" ? std::string(kWelcomePage) : topic.key + ".htm", ""});

        // A name that leads to several places is told apart by where each one is.
        std::map<std::string, std::set<std::string>> places;
        for (const Keyword& keyword : keywords)
            places[Lower(keyword.name)].insert(keyword.href);
        std::map<std::string, std::pair<std::string, std::string>> sorted;
        for (const Keyword& keyword : keywords) {
            std::string name = keyword.name;
            if (places[Lower(name)].size() > 1 && !keyword.qualifier.empty())
                name += " (" + keyword.qualifier + ")";
            sorted.emplace(Lower(name) + '\n' + keyword.href, std::make_pair(name, keyword.href));
        }
        std::string hhk = kSitemapHead;
        hhk += "<UL>\n";
        for (const auto& entry : sorted)
            hhk += "<LI><OBJECT type=\"text/sitemap\">" +
                   SitemapParams(entry.second.first, entry.second.second) + "</OBJECT>\n";
        return hhk + "</UL>\n</BODY></HTML>\n";
    }

    std::string Project(const std::string& compiledName) const {
        std::string hhp = "[OPTIONS]\n"
                          "Compatibility=1.1 or later\n"
                          "Compiled file=" +
                          compiledName +
                          "\n"
                          "Contents file=" +
                          kContentsFile + "\nIndex file=" + kIndexFile +
                          "\nDefault topic=" + kWelcomePage +
                          "\nDisplay compile progress=No\n"
                          "Full-text search=Yes\n"
                          "Language=0x409 English (United States)\n"
                          "Title=" +
                          catalogue.objectName + "\n\n[FILES]\n";
        for (const SiteFile& file : files)
            if (file.name.size() > 4 && file.name.compare(file.name.size() - 4, 4, ".htm") == 0)
                hhp += file.name + "\n";
        return hhp + kStylesheetName + "\n";
    }

    const Catalogue& catalogue;
    const HelpNotes& notes;
    std::vector<SiteFile> files;
};

} // namespace

std::string EventPage(EventKind kind, int code) {
    std::string number = std::to_string(code);
    if (number.size() < 2)
        number.insert(number.begin(), '0');
    return std::string(KindWord(kind)) + "-" + number + ".htm";
}

std::string DisplayWords(const std::string& displayString) {
    std::string words;
    for (size_t i = 0; i < displayString.size(); ++i) {
        if (displayString[i] == '%' && i + 1 < displayString.size()) {
            const char next = displayString[i + 1];
            if (next == 'o') {
                ++i;
                if (i + 1 < displayString.size() && displayString[i + 1] == ':')
                    ++i;
                continue;
            }
            if (next >= '0' && next <= '9') {
                words += "...";
                ++i;
                continue;
            }
        }
        words += displayString[i];
    }
    // Blanks folded and trimmed.
    std::string folded;
    for (char c : words) {
        if (c == ' ' && (folded.empty() || folded.back() == ' '))
            continue;
        folded += c;
    }
    while (!folded.empty() && folded.back() == ' ')
        folded.pop_back();
    return folded;
}

std::vector<SiteFile> BuildSite(const Catalogue& catalogue, const HelpNotes& notes,
                                const std::string& stylesheet, const std::string& compiledName) {
    return SiteBuilder(catalogue, notes).Build(stylesheet, compiledName);
}

} // namespace helpgen

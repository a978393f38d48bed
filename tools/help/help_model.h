// What the help file says about the module, as read from the module itself: its events with
// their menu places, display strings and parameters, its property rows and its setup dialog.
// Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

namespace helpgen {

enum class EventKind { Condition, Action, Expression };

struct EventParameter {
    int kind = 0;      // the host's parameter kind
    std::string title; // what the event editor asks with (a file filter for file names)
};

struct Event {
    EventKind kind = EventKind::Condition;
    int code = 0;
    std::string menuText;              // empty when the event has no menu item
    std::vector<std::string> menuPath; // the popups above the item, outermost first
    int menuPosition = -1;             // order of the item in its menu; -1 without one
    std::string displayString;         // as the event editor lists the event
    int flags = 0;
    std::vector<EventParameter> parameters;
};

struct PropertyRow {
    unsigned id = 0;
    unsigned type = 0; // the host's row type (group, check box, file name)
    std::string name;
    std::string info;                   // the description line the property sheet shows
    std::vector<std::string> fileTypes; // a file-name row's browse filter descriptions
};

struct SetupDialogFacts {
    std::string caption;
    std::vector<std::string> buttons; // in template order, mnemonic marks removed
};

struct Catalogue {
    std::string objectName;  // as the host lists the object
    std::string objectNotes; // the module's one-line comment
    std::string author;
    std::string copyright;
    std::string helpFile; // the help file's path as the module names it to the host
    std::vector<Event> conditions, actions, expressions;
    std::vector<PropertyRow> properties; // in sheet order
    SetupDialogFacts setupDialog;

    const std::vector<Event>& EventsOf(EventKind kind) const;
};

// The host's row types.
constexpr unsigned kRowCheckBox = 1010;
constexpr unsigned kRowGroup = 1014;
constexpr unsigned kRowFileName = 1016;

const char* KindWord(EventKind kind);   // "condition", "action", "expression"
const char* KindPlural(EventKind kind); // "Conditions", "Actions", "Expressions"

// The event whose code is `code`, or null.
const Event* FindEvent(const Catalogue& catalogue, EventKind kind, int code);
const PropertyRow* FindProperty(const Catalogue& catalogue, unsigned id);

// The name the author picks the event by: its menu text, or for an event without a menu item
// its display string.
std::string EventName(const Event& event);
// The menu path and item as one text: "Play > Forward".
std::string EventMenuLine(const Event& event);

// A menu or button text as it is shown: "&&" becomes "&", a lone "&" (the mnemonic mark) goes.
std::string WithoutMnemonics(const std::string& text);

// The descriptions of an open-file filter ("Video (*.avi)|*.avi|..." or "|*.avi|Video"): the
// pieces between bars that are not pattern lists.
std::vector<std::string> FilterDescriptions(const std::string& filter);

} // namespace helpgen

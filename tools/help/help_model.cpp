#include "help_model.h"

namespace helpgen {

const std::vector<Event>& Catalogue::EventsOf(EventKind kind) const {
    switch (kind) {
    case EventKind::Condition:
        return conditions;
    case EventKind::Action:
        return actions;
    default:
        return expressions;
    }
}

const char* KindWord(EventKind kind) {
    switch (kind) {
    case EventKind::Condition:
        return "condition";
    case EventKind::Action:
        return "action";
    default:
        return "expression";
    }
}

const char* KindPlural(EventKind kind) {
    switch (kind) {
    case EventKind::Condition:
        return "Conditions";
    case EventKind::Action:
        return "Actions";
    default:
        return "Expressions";
    }
}

const Event* FindEvent(const Catalogue& catalogue, EventKind kind, int code) {
    for (const Event& event : catalogue.EventsOf(kind))
        if (event.code == code)
            return &event;
    return nullptr;
}

const PropertyRow* FindProperty(const Catalogue& catalogue, unsigned id) {
    for (const PropertyRow& row : catalogue.properties)
        if (row.id == id)
            return &row;
    return nullptr;
}

std::string EventName(const Event& event) {
    return event.menuText.empty() ? event.displayString : event.menuText;
}

std::string EventMenuLine(const Event& event) {
    std::string line;
    for (const std::string& popup : event.menuPath)
        line += popup + " > ";
    return line + EventName(event);
}

std::string WithoutMnemonics(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            shown += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '&') {
            shown += '&';
            ++i;
        }
    }
    return shown;
}

std::vector<std::string> FilterDescriptions(const std::string& filter) {
    std::vector<std::string> descriptions;
    size_t start = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos)
            bar = filter.size();
        const std::string piece = filter.substr(start, bar - start);
        if (!piece.empty() && piece.compare(0, 1, "*") != 0)
            descriptions.push_back(piece);
        start = bar + 1;
    }
    return descriptions;
}

} // namespace helpgen

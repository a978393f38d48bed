#include "catalogue_reader.h"

#include <map>
#include <stdexcept>

#include "edit/property_sheet.h"
#include "edit/property_table.h"
#include "edit/setup_dialog.h"
#include "edit_host.h"
#include "host/catalogue_exports.h"
#include "host/lifecycle_exports.h"
#include "host_text.h"
#include "standin/dialog_control.h"

namespace helpgen {
namespace {

using hoststandin::Utf8FromWide;

constexpr int kTextCapacity = 1024;

std::string LoadText(HINSTANCE instance, UINT id) {
    WCHAR buffer[kTextCapacity] = {};
    LoadStringW(instance, id, buffer, kTextCapacity);
    return Utf8FromWide(buffer);
}

// The look-ups of one kind of event, as the host's event editor calls them.
struct EventLookups {
    EventKind kind;
    int count;
    HMENU(WINAPI* menu)(EditHostRecord*, LPVOID, ObjectSettings*);
    short(WINAPI* codeFromMenu)(EditHostRecord*, short);
    const short*(WINAPI* infos)(EditHostRecord*, short);
    int(WINAPI* displayString)(EditHostRecord*, short, LPWSTR, short);
    void(WINAPI* title)(EditHostRecord*, short, short, LPWSTR, short);
};

// GetExpressionTitle takes no parameter index; GetExpressionParam does, as the others' titles.
void WINAPI ExpressionTitle(EditHostRecord* host, short code, short index, LPWSTR buffer,
                            short size) {
    GetExpressionParam(host, code, index, buffer, size);
}

struct MenuPlace {
    std::vector<std::string> path;
    std::string text;
    int position;
};

std::string Describe(const EventLookups& lookups, int code) {
    return std::string(KindWord(lookups.kind)) + " " + std::to_string(code);
}

void WalkMenu(HMENU menu, EditHostRecord* host, const EventLookups& lookups,
              std::vector<std::string>* path, std::map<int, MenuPlace>* places) {
    const int items = GetMenuItemCount(menu);
    for (int position = 0; position < items; ++position) {
        WCHAR text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
        const std::string shown = WithoutMnemonics(Utf8FromWide(text));
        const UINT id = GetMenuItemID(menu, position);
        if (id == static_cast<UINT>(-1)) {
            HMENU popup = GetSubMenu(menu, position);
            if (!popup)
                continue;
            path->push_back(shown);
            WalkMenu(popup, host, lookups, path, places);
            path->pop_back();
            continue;
        }
        if (id == 0)
            continue; // a separator
        const short code = lookups.codeFromMenu(host, static_cast<short>(id));
        if (code < 0 || code >= lookups.count)
            throw std::runtime_error(std::string(KindPlural(lookups.kind)) + " menu item " +
                                     std::to_string(id) + " \"" + shown + "\" has no event");
        if (places->count(code))
            throw std::runtime_error(Describe(lookups, code) + " has two menu items");
        (*places)[code] = MenuPlace{*path, shown, static_cast<int>(places->size())};
    }
}

std::vector<Event> ReadEvents(EditHostRecord* host, const EventLookups& lookups) {
    std::map<int, MenuPlace> places;
    HMENU menu = lookups.menu(host, nullptr, nullptr);
    if (!menu)
        throw std::runtime_error(std::string("no ") + KindWord(lookups.kind) + " menu");
    std::vector<std::string> path;
    WalkMenu(menu, host, lookups, &path, &places);
    DestroyMenu(menu);

    std::vector<Event> events;
    for (int code = 0; code < lookups.count; ++code) {
        const short* info = lookups.infos(host, static_cast<short>(code));
        if (!info || info[0] != code)
            throw std::runtime_error(Describe(lookups, code) + ": no entry answers for it");
        Event event;
        event.kind = lookups.kind;
        event.code = code;
        event.flags = info[1];
        auto place = places.find(code);
        if (place != places.end()) {
            event.menuPath = place->second.path;
            event.menuText = place->second.text;
            event.menuPosition = place->second.position;
        }
        WCHAR text[kTextCapacity] = {};
        if (lookups.displayString(host, static_cast<short>(code), text, kTextCapacity) <= 0)
            throw std::runtime_error(Describe(lookups, code) + " has no display string");
        event.displayString = Utf8FromWide(text);
        const int parameterCount = info[2];
        for (int index = 0; index < parameterCount; ++index) {
            WCHAR title[kTextCapacity] = {};
            lookups.title(host, static_cast<short>(code), static_cast<short>(index), title,
                          kTextCapacity);
            event.parameters.push_back(EventParameter{info[3 + index], Utf8FromWide(title)});
        }
        events.push_back(event);
    }
    return events;
}

std::vector<PropertyRow> ReadProperties(HINSTANCE instance, hoststandin::EditHost& host) {
    ObjectSettings settings = {};
    host.ClearCalls();
    GetProperties(host.Record(), &settings, FALSE);
    const ::PropertyRow* table = nullptr;
    for (const hoststandin::HostRequestCall& call : host.Requests())
        if (call.number == RequestInsertProperties)
            table = reinterpret_cast<const ::PropertyRow*>(static_cast<INT_PTR>(call.v1));
    if (!table)
        throw std::runtime_error("the module hands the host no property table");

    std::vector<PropertyRow> rows;
    for (const ::PropertyRow* row = table; row->id != 0; ++row) {
        PropertyRow read;
        read.id = row->id;
        read.type = row->type;
        read.name = LoadText(instance, row->nameString);
        read.info = LoadText(instance, row->infoString);
        if (row->type == kRowFileName) {
            const auto* parameter = static_cast<const FileRowParameter*>(row->createParam);
            if (!parameter || !parameter->filter)
                throw std::runtime_error("the file-name row \"" + read.name + "\" has no filter");
            read.fileTypes = FilterDescriptions(Utf8FromWide(parameter->filter));
        } else if (row->type != kRowCheckBox && row->type != kRowGroup) {
            throw std::runtime_error("property row \"" + read.name + "\" has the unknown type " +
                                     std::to_string(row->type));
        }
        rows.push_back(read);
    }
    return rows;
}

SetupDialogFacts ReadSetupDialog(hoststandin::EditHost& host) {
    // The author presses Enter, the dialog's default button.
    standin::ScriptDialogInput({standin::PressEnter()});
    const BOOL closedWithOk = EditObject(host.Record(), nullptr, nullptr, 0);
    const std::vector<standin::DialogRun> runs = standin::DialogRuns();
    if (!closedWithOk || runs.empty())
        throw std::runtime_error("the setup dialog does not open and close with OK");
    const standin::DialogRun& run = runs.back();
    SetupDialogFacts facts;
    facts.caption = Utf8FromWide(reinterpret_cast<LPCWSTR>(run.caption.c_str()));
    for (const standin::DialogControlInfo& control : run.controls)
        if (control.className == u"Button")
            facts.buttons.push_back(
                WithoutMnemonics(Utf8FromWide(reinterpret_cast<LPCWSTR>(control.text.c_str()))));
    return facts;
}

} // namespace

Catalogue ReadCatalogue(HINSTANCE instance) {
    hoststandin::EditHost host; // a host the module serves (its version service passes)
    Catalogue catalogue;

    RunObjectInfos infos = {};
    GetRunObjectInfos(host.Record(), &infos);
    const EventLookups conditions = {
        EventKind::Condition, infos.conditionCount, GetConditionMenu, GetConditionCodeFromMenu,
        GetConditionInfos,    GetConditionString,   GetConditionTitle};
    const EventLookups actions = {EventKind::Action,     infos.actionCount, GetActionMenu,
                                  GetActionCodeFromMenu, GetActionInfos,    GetActionString,
                                  GetActionTitle};
    const EventLookups expressions = {
        EventKind::Expression, infos.expressionCount, GetExpressionMenu, GetExpressionCodeFromMenu,
        GetExpressionInfos,    GetExpressionString,   ExpressionTitle};
    catalogue.conditions = ReadEvents(host.Record(), conditions);
    catalogue.actions = ReadEvents(host.Record(), actions);
    catalogue.expressions = ReadEvents(host.Record(), expressions);

    WCHAR name[255] = {}, author[255] = {}, rights[255] = {}, comment[1024] = {}, web[255] = {};
    GetObjInfos(host.Record(), nullptr, name, author, rights, comment, web);
    catalogue.objectName = Utf8FromWide(name);
    catalogue.author = Utf8FromWide(author);
    catalogue.copyright = Utf8FromWide(rights);
    catalogue.objectNotes = Utf8FromWide(comment);
    catalogue.helpFile = Utf8FromWide(GetHelpFileName());

    catalogue.properties = ReadProperties(instance, host);
    catalogue.setupDialog = ReadSetupDialog(host);
    return catalogue;
}

} // namespace helpgen

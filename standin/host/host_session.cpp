#include "host_session.h"

#include <algorithm>
#include <cstring>

#include "edit/property_table.h"
#include "help_viewer.h"
#include "host_text.h"
#include "host_text_value.h"

#ifndef _WIN32
#include "standin/dshow_control.h"
#include "host_runtime.h"
#include "image_filters.h"
#endif

namespace hoststandin {

namespace {

constexpr DWORD kFramesPerSecond = 60;

// When frame `frame` of a run is due, in milliseconds from the run's start.
DWORD FrameDueMs(DWORD frame) {
    return frame * 1000 / kFramesPerSecond;
}

// The option bits the property sheet sets through its check-box rows, in row order.
struct CheckRow {
    WORD bit;
    UINT row;
};
const CheckRow kCheckRows[] = {
    {PlayAtStart, PropPlayAtStart},   {FrameMode, PropFrameMode},
    {HideAtStart, PropHideAtStart},   {DefaultSize, PropDefaultSize},
    {DoubleSize, PropDoubleSize},     {KeepAspect, PropKeepAspect},
    {ClientBorder, PropClientBorder}, {StaticBorder, PropStaticBorder},
    {DialogBorder, PropDialogBorder}, {LogMode, PropLogMode},
    {ConsoleMode, PropConsoleMode},   {DeleteLog, PropDeleteLog},
};

// What a signalled condition means on the timeline.
const char* SignalPhrase(int code) {
    switch (code) {
    case 0:
        return "at start";
    case 1:
        return "end reached";
    case 2:
        return "paused";
    case 3:
        return "clicked";
    case 6:
        return "idle"; // idle at the start: a file just opened, or no media at all
    case 13:
        return "key pressed";
    default:
        return "signal";
    }
}

std::string Decimal(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

bool Contains(const std::vector<int>& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

long FileSize(const std::string& path) {
    std::u16string wide = WideFromUtf8(path);
    HANDLE file = CreateFileW(AsWide(wide), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    return size == INVALID_FILE_SIZE ? -1 : static_cast<long>(size);
}

void* StandardFilterManager() {
#ifdef _WIN32
    HMODULE runtime = LoadLibraryW(L"HOSTRT.dll");
    if (!runtime)
        return nullptr;
    typedef void*(WINAPI * FiltersFunction)();
    FiltersFunction filters = reinterpret_cast<FiltersFunction>(
        reinterpret_cast<void*>(GetProcAddress(runtime, "HostRtStandardImageFilters")));
    return filters ? filters() : nullptr;
#else
    InstallHostRuntime();
    return &StandardImageFilters();
#endif
}

} // namespace

void Timeline::Print(const std::string& kind, const std::string& text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "[%7.3f s] ", ElapsedMs() / 1000.0);
    std::string line = std::string(stamp) + kind;
    if (kind.size() < 12)
        line.append(12 - kind.size(), ' ');
    line += " " + text;
    lines.push_back(line);
    if (out) {
        std::fprintf(out, "%s\n", line.c_str());
        std::fflush(out);
    }
}

std::string ExpressionValue::Show() const {
    switch (kind) {
    case Float:
        return Decimal(real, 3);
    case Text:
        return "\"" + text + "\"";
    default:
        return std::to_string(integer);
    }
}

HostSession::HostSession(const ModuleApi& api, Timeline* timeline) : api(api), timeline(timeline) {
    editHost.OnHelp([this](const std::u16string& path) {
        const std::string named = Utf8FromWide(AsWide(path));
        const std::string location = HelpFileLocation(named);
        Print("help", "\"" + named + "\": " + location + ", " +
                          ShowHelpFile(location, editHost.Record()->editorMainWindow));
    });
}

HostSession::~HostSession() {
    Finish();
}

void HostSession::Print(const std::string& kind, const std::string& text) {
    timeline->Print(kind, text);
}

bool HostSession::Start(int frameWidth, int frameHeight, std::string* error) {
    // The host's questions first: the module's lowest host build and product level, and
    // whether it works in wide text, which this host requires.
    const DWORD lowestBuild = api.GetInfos(7);
    const DWORD productLevel = api.GetInfos(6);
    const DWORD hostVersion = editHost.Record()->version ? editHost.Record()->version() : 0;
    if (api.GetInfos(8) != 1 || (hostVersion & 0xFFF) < lowestBuild ||
        (hostVersion >> 24) < productLevel) {
        *error = "the module wants host build " + std::to_string(lowestBuild) + ", product " +
                 std::to_string(productLevel) + " and wide text (information codes 6, 7, 8)";
        return false;
    }
    std::memset(&infos, 0, sizeof infos);
    if (api.GetRunObjectInfos(editHost.Record(), &infos) != 1 || !infos.conditions ||
        !infos.actions || !infos.expressions || infos.conditionCount != kConditionCount ||
        infos.actionCount != kActionCount || infos.expressionCount != kExpressionCount) {
        *error = "GetRunObjectInfos did not hand over the routine lists and counts";
        return false;
    }
    const DWORD dataSize = api.GetRunObjectDataSize(nullptr, nullptr);
    if (dataSize != sizeof(RunObject) || infos.settingsSize != sizeof(ObjectSettings)) {
        *error = "record sizes " + std::to_string(dataSize) + " and " +
                 std::to_string(infos.settingsSize) + " are not the host's 1288 and 576";
        return false;
    }
    int missing = 0;
    for (int i = 0; i < kConditionCount; ++i)
        missing += infos.conditions[i] ? 0 : 1;
    for (int i = 0; i < kActionCount; ++i)
        missing += infos.actions[i] ? 0 : 1;
    for (int i = 0; i < kExpressionCount; ++i)
        missing += infos.expressions[i] ? 0 : 1;
    std::string name = "(no name)";
    if (api.GetObjInfos) {
        WCHAR texts[5][1025] = {};
        api.GetObjInfos(editHost.Record(), nullptr, texts[0], texts[1], texts[2], texts[3],
                        texts[4]);
        name = Utf8FromWide(texts[0], 1024);
    }
    char identifier[5] = {
        static_cast<char>(infos.identifier >> 24), static_cast<char>(infos.identifier >> 16),
        static_cast<char>(infos.identifier >> 8), static_cast<char>(infos.identifier), 0};
    Print("module", "\"" + name + "\" " + identifier + ": " + std::to_string(infos.conditionCount) +
                        " conditions, " + std::to_string(infos.actionCount) + " actions, " +
                        std::to_string(infos.expressionCount) + " expressions, settings " +
                        std::to_string(infos.settingsSize) + " bytes, object " +
                        std::to_string(dataSize) + " bytes" +
                        (missing ? ", " + std::to_string(missing) + " routines missing" : ""));

    runHost.reset(new RunHost(frameWidth, frameHeight));
    runHost->OnSignal([this](RunObject* run, int code) { OnSignal(run, code); });
    application.imageFilterManager = StandardFilterManager();
    runHost->Header()->application = &application;
    // The editor's main window parents the hidden preview that measures a file.
    editHost.Record()->hostWindow = runHost->ApplicationMainWindow();
    editHost.Record()->editorMainWindow = runHost->ApplicationMainWindow();

    api.Initialize(editHost.Record(), 1);
    started = true;
    Print("initialized", "frame window " + std::to_string(frameWidth) + " x " +
                             std::to_string(frameHeight) +
                             (application.imageFilterManager ? ", image filters BMP and PNG"
                                                             : ", no image filters"));
    return true;
}

void HostSession::Finish() {
    if (!started)
        return;
    for (auto& object : objects)
        if (object->live)
            DestroyObject(object->number);
    RunHost::PumpMessages();
    api.Free(editHost.Record());
    started = false;
    Print("freed", "DestroyRunObject for every object, then Free");
}

HostSession::HostObject* HostSession::Find(int number) const {
    if (number < 1 || number > static_cast<int>(objects.size()))
        return nullptr;
    return objects[number - 1].get();
}

HostSession::HostObject* HostSession::FindRun(RunObject* run) const {
    for (auto& object : objects)
        if (object->live && object->run.get() == run)
            return object.get();
    return nullptr;
}

RunObject* HostSession::Object(int number) const {
    HostObject* object = Find(number);
    return object && object->live ? object->run.get() : nullptr;
}

int HostSession::CreateResult(int number) const {
    HostObject* object = Find(number);
    return object ? object->createResult : 0;
}

const ObjectSettings* HostSession::Settings(int number) const {
    HostObject* object = Find(number);
    return object ? &object->settings : nullptr;
}

std::string HostSession::ObjectName(const HostObject& object) const {
    return "object " + std::to_string(object.number);
}

int HostSession::CreateObject(const ObjectOptions& options) {
    if (!started)
        return 0;
    std::unique_ptr<HostObject> object(new HostObject());
    object->number = static_cast<int>(objects.size()) + 1;
    ObjectSettings& settings = object->settings;
    std::memset(&settings, 0, sizeof settings);
    settings.Header.Size = sizeof settings;
    settings.Header.Version = kObjectSettingsVersion;
    EditHostRecord* edit = editHost.Record();
    const std::string name = ObjectName(*object);

    if (api.CreateObject) {
        if (api.CreateObject(edit, nullptr, &settings) != 0)
            Print("settings", name + ": CreateObject refused the host; the record stays empty");
    } else {
        settings.Width = 160;
        settings.Height = 120;
        settings.Flags = NewObjectMark;
        Print("settings", name + ": the module has no CreateObject; the host wrote defaults");
    }
    for (const CheckRow& check : kCheckRows) {
        if (!(options.flags & check.bit))
            continue;
        if (api.SetPropCheck)
            api.SetPropCheck(edit, &settings, check.row, TRUE);
        else
            settings.Flags |= check.bit;
    }
    if (!options.file.empty()) {
        std::u16string file = WideFromUtf8(options.file);
        if (api.SetPropValue) {
            HostTextValue value(file);
            api.SetPropValue(edit, &settings, PropFileName, &value);
        } else {
            size_t units = std::min(file.size(), kFileNameUnits - 1);
            for (size_t i = 0; i < units; ++i)
                settings.FileName[i] = static_cast<WCHAR>(file[i]);
            settings.FileName[units] = 0;
            Print("settings", name + ": the module has no SetPropValue; the host wrote the file "
                                     "name without measuring it");
        }
    }
    if (printCalls)
        Print(
            "settings", name + ": \"" + Utf8FromWide(settings.FileName, kFileNameUnits) + "\", " +
                            std::to_string(settings.Width) + " x " +
                            std::to_string(settings.Height) + ", options 0x" + [&] {
                                char hex[8];
                                std::snprintf(hex, sizeof hex, "%04x", settings.Flags);
                                return std::string(hex);
                            }());

    RECT frame = {};
    GetClientRect(runHost->FrameWindow(), &frame);
    LONG x = options.x >= 0 ? options.x : (frame.right - settings.Width) / 2;
    LONG y = options.y >= 0 ? options.y : (frame.bottom - settings.Height) / 2;
    object->run = runHost->NewObject(x < 0 ? 0 : x, y < 0 ? 0 : y);
    object->live = true;
    HostObject* created = object.get();
    objects.push_back(std::move(object));
    created->createResult = api.CreateRunObject(created->run.get(), &created->settings, nullptr);
    RunObject* run = created->run.get();
    if (created->createResult != 0) {
        Print("failed", name + ": CreateRunObject answered " +
                            std::to_string(created->createResult) + ", last error " +
                            std::to_string(run->lastError));
        return created->number;
    }
    std::string facts = name + " at (" + std::to_string(run->x) + ", " + std::to_string(run->y) +
                        "), " + std::to_string(run->width) + " x " + std::to_string(run->height) +
                        ", " + std::to_string(run->cachedTotalFrames) + " frames, " +
                        std::to_string(run->cachedTotalMilliseconds) + " ms, last error " +
                        std::to_string(run->lastError);
    if (!printCalls)
        return created->number;
    Print(!run->fileName[0]                  ? "created"
          : run->cachedTotalMilliseconds > 0 ? "opened"
                                             : "not opened",
          facts);
    if (run->fileName[0] && (run->optionWord & PlayAtStart))
        Print(run->lastError == 0 ? "playing" : "not playing",
              name + ": Play answered " + std::to_string(run->lastError));
    else if (run->fileName[0])
        Print("stopped", name + ": Stop answered " + std::to_string(run->lastError));
    return created->number;
}

void HostSession::DestroyObject(int number) {
    HostObject* object = Find(number);
    if (!object || !object->live)
        return;
    api.DestroyRunObject(object->run.get(), 0);
    object->live = false;
    object->run.reset();
    if (printCalls)
        Print("destroyed", ObjectName(*object));
}

void HostSession::Frame() {
    if (!started)
        return;
    // A new loop: input handled now and the events evaluated after it share its number.
    runHost->NextLoop();
#ifndef _WIN32
    // The simulated graphs have no threads of their own: they catch up with the clock here, as
    // DirectShow's threads would meanwhile have done.
    standin::PollGraphs();
#endif
    // A quit request that an object window posted when it was destroyed is not the end of the
    // run: the host's loop ends by its own schedule.
    RunHost::PumpMessages();
    for (size_t i = 0; i < objects.size(); ++i) {
        HostObject* object = objects[i].get();
        if (!object->live)
            continue;
        RunObject* run = object->run.get();
        if (api.HandleRunObject(run) == 2 && object->live) {
            api.DisplayRunObject(run);
            run->redrawRequest = 0; // the host has redisplayed the object
        }
    }
    for (auto& object : objects) {
        object->signalledBefore.swap(object->signalledNow);
        object->signalledNow.clear();
    }
    runHost->ClearRecords(); // the host's own journal is not kept over a long run
}

void HostSession::RunFor(DWORD ms) {
    RunUntil([] { return false; }, ms);
}

bool HostSession::RunUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (DWORD frame = 1;; ++frame) {
        Frame();
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        const DWORD due = FrameDueMs(frame);
        if (due > elapsed)
            Sleep(due - elapsed);
    }
}

void HostSession::OnSignal(RunObject* run, int code) {
    HostObject* object = FindRun(run);
    if (!object)
        return;
    ++object->signalCounts[code];
    if (!object->firstSignalMs.count(code))
        object->firstSignalMs[code] = static_cast<long>(timeline->ElapsedMs());
    const bool repeated =
        Contains(object->signalledBefore, code) || Contains(object->signalledNow, code);
    if (!Contains(object->signalledNow, code))
        object->signalledNow.push_back(code);
    if (repeated)
        return; // a state lasting several frames is reported when it starts
    std::string text = ObjectName(*object) + ": " + EventText(0, code, {});
    if (evaluateSignals && code != 6 && code >= 0 && code < kConditionCount &&
        infos.conditions[code]) {
        long parameter = code == 3 ? object->clickParameter : code == 13 ? object->keyParameter : 0;
        long result = infos.conditions[code](run, parameter, 0);
        text += " -> " + std::to_string(result);
    }
    Print(SignalPhrase(code), text);
}

// The event's display string from the module's catalogue, with %0, %1 the arguments and %o the
// object (a leading "%o: " is dropped: the line names the object already); kind 0 condition,
// 1 action, 2 expression.
std::string HostSession::EventText(int kind, int code, const std::vector<std::string>& arguments) {
    static const char* const kKinds[] = {"condition", "action", "expression"};
    auto lookup = kind == 0   ? api.GetConditionString
                  : kind == 1 ? api.GetActionString
                              : api.GetExpressionString;
    WCHAR buffer[256] = {};
    std::string text;
    if (lookup && lookup(editHost.Record(), static_cast<short>(code), buffer, 255) > 0)
        text = Utf8FromWide(buffer, 255);
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size()) {
            char what = text[i + 1];
            if (what == 'o') {
                // "%o: End of video?" reads "End of video?" after the object's name.
                shown += shown.empty() ? "" : "object";
                i += shown.empty() && i + 3 < text.size() && text[i + 2] == ':' ? 3 : 1;
                continue;
            }
            if (what >= '0' && what <= '9') {
                size_t index = static_cast<size_t>(what - '0');
                shown += index < arguments.size() ? arguments[index] : "?";
                ++i;
                continue;
            }
        }
        shown += text[i];
    }
    if (kind == 2 && !shown.empty() && shown.back() == '(')
        shown += ")";
    std::string prefix = std::string(kKinds[kind]) + " " + std::to_string(code);
    return shown.empty() ? prefix : prefix + " \"" + shown + "\"";
}

// A null entry in one of the module's routine lists: the host skips the call and says so.
long HostSession::MissingRoutine(int kind, int code) {
    Print("no routine", EventText(kind, code, {}) + ": the module's list has no routine");
    return 0;
}

long HostSession::Action(int number, int code, long param1, long param2) {
    HostObject* object = Find(number);
    if (!object || !object->live || code < 0 || code >= kActionCount)
        return 0;
    if (!infos.actions[code])
        return MissingRoutine(1, code);
    long result = infos.actions[code](object->run.get(), param1, param2);
    if (printCalls && object->live)
        Print("action", ObjectName(*object) + ": " +
                            EventText(1, code, {std::to_string(param1), std::to_string(param2)}) +
                            " -> last error " + std::to_string(object->run->lastError));
    return result;
}

long HostSession::ActionWithText(int number, int code, const std::string& text) {
    HostObject* object = Find(number);
    if (!object || !object->live || code < 0 || code >= kActionCount)
        return 0;
    std::u16string wide = WideFromUtf8(text);
    long address = static_cast<long>(reinterpret_cast<LONG_PTR>(AsWide(wide)));
    if (!infos.actions[code])
        return MissingRoutine(1, code);
    long result = infos.actions[code](object->run.get(), address, 0);
    if (printCalls && object->live)
        Print("action", ObjectName(*object) + ": " + EventText(1, code, {"\"" + text + "\""}) +
                            " -> last error " + std::to_string(object->run->lastError));
    return result;
}

long HostSession::ActionWithDecimal(int number, int code, float value) {
    HostObject* object = Find(number);
    if (!object || !object->live || code < 0 || code >= kActionCount)
        return 0;
    runHost->SetParameter(value);
    if (!infos.actions[code])
        return MissingRoutine(1, code);
    long result = infos.actions[code](object->run.get(), static_cast<long>(value), 0);
    if (printCalls && object->live)
        Print("action", ObjectName(*object) + ": " + EventText(1, code, {Decimal(value, 2)}) +
                            " -> last error " + std::to_string(object->run->lastError));
    return result;
}

long HostSession::Condition(int number, int code, long parameter) {
    HostObject* object = Find(number);
    if (!object || !object->live || code < 0 || code >= kConditionCount)
        return 0;
    if (!infos.conditions[code])
        return MissingRoutine(0, code);
    long result = infos.conditions[code](object->run.get(), parameter, 0);
    if (printCalls)
        Print("condition", ObjectName(*object) + ": " +
                               EventText(0, code, {std::to_string(parameter)}) + " -> " +
                               std::to_string(result));
    return result;
}

ExpressionValue HostSession::Expression(int number, int code) {
    ExpressionValue value;
    HostObject* object = Find(number);
    if (!object || !object->live || code < 0 || code >= kExpressionCount)
        return value;
    RunObject* run = object->run.get();
    if (!infos.expressions[code]) {
        MissingRoutine(2, code);
        return value;
    }
    run->resultTypeFlags &= static_cast<WORD>(~(ResultIsFloat | ResultIsText));
    long raw = infos.expressions[code](run, 0);
    if (run->resultTypeFlags & ResultIsText) {
        value.kind = ExpressionValue::Text;
        value.text = Utf8FromWide(reinterpret_cast<LPCWSTR>(static_cast<LONG_PTR>(raw)), 4096);
    } else if (run->resultTypeFlags & ResultIsFloat) {
        value.kind = ExpressionValue::Float;
        std::memcpy(&value.real, &raw, sizeof value.real);
    } else {
        value.integer = raw;
    }
    if (printCalls)
        Print("expression",
              ObjectName(*object) + ": " + EventText(2, code, {}) + " = " + value.Show());
    return value;
}

void HostSession::Click(int number, ClickButton button, bool doubleClick) {
    HostObject* object = Find(number);
    if (!object || !object->live || !object->run->hostWindow)
        return;
    static const UINT kDown[] = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
    static const UINT kDouble[] = {WM_LBUTTONDBLCLK, WM_MBUTTONDBLCLK, WM_RBUTTONDBLCLK};
    const int index = static_cast<int>(button);
    object->clickParameter = index + (doubleClick ? 256 : 0);
    PostMessageW(object->run->hostWindow, doubleClick ? kDouble[index] : kDown[index], 0,
                 MAKELPARAM(5, 5));
    if (printCalls)
        Print("input", ObjectName(*object) + ": " + (doubleClick ? "double click " : "click ") +
                           std::to_string(object->clickParameter));
}

void HostSession::Key(int number, int keyCode) {
    HostObject* object = Find(number);
    if (!object || !object->live || !object->run->hostWindow)
        return;
    object->keyParameter = keyCode;
    PostMessageW(object->run->hostWindow, WM_KEYDOWN, static_cast<WPARAM>(keyCode), 1);
    if (printCalls)
        Print("input", ObjectName(*object) + ": key " + std::to_string(keyCode));
}

void HostSession::ResizeFrame(int width, int height) {
    if (!runHost)
        return;
    runHost->ResizeFrame(width, height);
    for (auto& object : objects)
        if (object->live)
            object->run->redrawRequest = 1; // the host redisplays every object of the frame
    if (printCalls)
        Print("frame", "resized to " + std::to_string(width) + " x " + std::to_string(height));
}

void HostSession::SetupDialog(bool pressHelp) {
    if (!api.EditObject) {
        Print("setup", "the module has no setup dialog (EditObject)");
        return;
    }
    const BOOL closedWithOk = AnswerSetupDialog(
        [this] { return api.EditObject(editHost.Record(), nullptr, nullptr, 0); }, pressHelp);
    Print("setup", std::string(pressHelp ? "Help, then OK" : "OK") +
                       " pressed; EditObject answered " + std::to_string(closedWithOk));
}

bool HostSession::Grab(int number, const std::string& path) {
    HostObject* object = Find(number);
    if (!object || !object->live)
        return false;
    const bool print = printCalls;
    printCalls = false;
    ActionWithText(number, 36, path);
    const SHORT grabError = object->run->lastError;
    const long done = Condition(number, 12);
    printCalls = print;
    const long size = FileSize(path);
    if (done == 1)
        Print("grab saved",
              ObjectName(*object) + ": " + path + " (" + std::to_string(size) + " bytes)");
    else
        Print("grab failed",
              ObjectName(*object) + ": " + path + ", last error " + std::to_string(grabError));
    return done == 1;
}

void HostSession::Position(int number) {
    HostObject* object = Find(number);
    if (!object || !object->live)
        return;
    const bool print = printCalls;
    printCalls = false;
    ExpressionValue frame = Expression(number, 0);
    ExpressionValue seconds = Expression(number, 2);
    ExpressionValue clock = Expression(number, 19);
    printCalls = print;
    Print("position", ObjectName(*object) + ": frame " + frame.Show() + ", " + seconds.Show() +
                          " s, " + clock.Show());
}

int HostSession::SignalCount(int number, int code) const {
    HostObject* object = Find(number);
    if (!object)
        return 0;
    auto found = object->signalCounts.find(code);
    return found == object->signalCounts.end() ? 0 : found->second;
}

long HostSession::FirstSignalMs(int number, int code) const {
    HostObject* object = Find(number);
    if (!object)
        return -1;
    auto found = object->firstSignalMs.find(code);
    return found == object->firstSignalMs.end() ? -1 : found->second;
}

void HostSession::RunEvent(const ScriptEvent& event, int target, const std::string& defaultFile) {
    switch (event.verb) {
    case ScriptVerb::Action: {
        long params[2] = {0, 0};
        const ScriptArgument* text = nullptr;
        const ScriptArgument* decimal = nullptr;
        for (size_t i = 0; i < event.arguments.size() && i < 2; ++i) {
            const ScriptArgument& argument = event.arguments[i];
            if (argument.kind == ScriptArgument::Text && !text)
                text = &argument;
            else if (argument.kind == ScriptArgument::Decimal && !decimal)
                decimal = &argument;
            else
                params[i] = argument.integer;
        }
        if (text)
            ActionWithText(target, event.code, text->text);
        else if (decimal)
            ActionWithDecimal(target, event.code, decimal->decimal);
        else
            Action(target, event.code, params[0], params[1]);
        break;
    }
    case ScriptVerb::Condition:
        Condition(target, event.code, event.arguments.empty() ? 0 : event.arguments[0].integer);
        break;
    case ScriptVerb::Expression:
        Expression(target, event.code);
        break;
    case ScriptVerb::Position:
        Position(target);
        break;
    case ScriptVerb::Grab:
        Grab(target, event.path);
        break;
    case ScriptVerb::Screenshot:
        Screenshot(event.path);
        break;
    case ScriptVerb::Click:
        Click(target, event.button, event.doubleClick);
        break;
    case ScriptVerb::Key:
        Key(target, event.code);
        break;
    case ScriptVerb::Frame:
        ResizeFrame(event.width, event.height);
        break;
    case ScriptVerb::Create: {
        ObjectOptions options;
        options.file = event.path.empty() ? defaultFile : event.path;
        CreateObject(options);
        break;
    }
    case ScriptVerb::Select:
        Print("select", "object " + std::to_string(target));
        break;
    case ScriptVerb::Destroy:
        DestroyObject(target);
        break;
    case ScriptVerb::Setup:
        SetupDialog(event.code == 1);
        break;
    case ScriptVerb::End:
        break;
    }
}

void HostSession::RunScript(const Script& script, const std::string& defaultFile, DWORD timeoutMs) {
    // Each line acts on the object made current by the "create" and "select" lines before it.
    std::vector<int> targets;
    int current = LastObject() > 0 ? 1 : 0;
    int created = LastObject();
    for (const ScriptEvent& event : script.events) {
        if (event.verb == ScriptVerb::Create)
            current = ++created;
        else if (event.verb == ScriptVerb::Select)
            current = event.code;
        targets.push_back(current);
    }
    std::vector<bool> done(script.events.size(), false);
    size_t left = script.events.size();
    const DWORD start = timeline->ElapsedMs();
    bool ended = false;
    for (DWORD frame = 1; !ended && left > 0; ++frame) {
        const DWORD now = timeline->ElapsedMs() - start;
        for (size_t i = 0; i < script.events.size() && !ended; ++i) {
            if (done[i])
                continue;
            const ScriptEvent& event = script.events[i];
            bool ready = false;
            if (event.onCondition < 0) {
                ready = now >= static_cast<DWORD>(event.atMs);
            } else {
                long first = FirstSignalMs(targets[i], event.onCondition);
                ready =
                    first >= 0 && timeline->ElapsedMs() >= static_cast<DWORD>(first + event.atMs);
            }
            if (!ready)
                continue;
            done[i] = true;
            --left;
            if (event.verb == ScriptVerb::End) {
                Print("end", "script line " + std::to_string(event.line));
                ended = true;
                break;
            }
            RunEvent(event, targets[i], defaultFile);
        }
        if (ended)
            break;
        if (now >= timeoutMs) {
            Print("timeout", "the script did not end within " + std::to_string(timeoutMs) + " ms");
            break;
        }
        Frame();
        const DWORD elapsed = timeline->ElapsedMs() - start;
        const DWORD due = FrameDueMs(frame);
        if (due > elapsed)
            Sleep(due - elapsed);
    }
}

} // namespace hoststandin

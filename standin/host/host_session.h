// The stand-in host driving the module the way the authoring host does: handshake, Initialize,
// a new object's settings through the property sheet, the run-time objects of a frame, a frame
// loop at 60 frames per second, and the condition, action and expression routines from the
// routine lists. Everything it does and everything the module signals is printed on a timeline.
#pragma once

#include <windows.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "edit_host.h"
#include "host_script.h"
#include "module_api.h"
#include "run_host.h"

namespace hoststandin {

// The host's printed report: one line per event, stamped with the time since the start.
class Timeline {
  public:
    explicit Timeline(FILE* out) : out(out) {}
    void Restart() { startMs = GetTickCount(); }
    DWORD ElapsedMs() const { return GetTickCount() - startMs; }
    // "[  1.250 s] kind        text"; nothing is printed without an output.
    void Print(const std::string& kind, const std::string& text);
    // Lines printed since the start, for checks.
    const std::vector<std::string>& Lines() const { return lines; }
    void ForgetLines() { lines.clear(); }

  private:
    FILE* out;
    DWORD startMs = GetTickCount();
    std::vector<std::string> lines;
};

struct ObjectOptions {
    std::string file;         // UTF-8 path; empty: an object without a file
    WORD flags = PlayAtStart; // option bits, set through the property sheet's check boxes
    LONG x = -1, y = -1;      // position in the frame; -1 centres the object
};

struct ExpressionValue {
    enum Kind { Integer, Float, Text } kind = Integer;
    long integer = 0;
    float real = 0.0f;
    std::string text; // UTF-8
    std::string Show() const;
};

class HostSession {
  public:
    HostSession(const ModuleApi& api, Timeline* timeline);
    ~HostSession(); // finishes the session if Finish was not called
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Handshake (information record, data size), Initialize, the frame window and the
    // application record with the host's image filters. False, with the reason, when the
    // module's answers are not the ones the host can work with.
    bool Start(int frameWidth, int frameHeight, std::string* error);
    // Destroys every object (DestroyRunObject), then Free. Idempotent.
    void Finish();

    // ---- Objects (numbered from 1 in creation order; numbers are never reused) ----
    // CreateObject, option check boxes, the file through SetPropValue (which measures it),
    // then CreateRunObject. Returns the object's number; the object stays even when
    // CreateRunObject answered -1 (as the host keeps it), see CreateResult.
    int CreateObject(const ObjectOptions& options);
    int CreateResult(int number) const;
    const ObjectSettings* Settings(int number) const;
    void DestroyObject(int number);
    RunObject* Object(int number) const; // null for an unknown or destroyed object
    int LastObject() const { return static_cast<int>(objects.size()); }

    // ---- The frame loop ----
    // One turn: next loop, pump the messages (a quit request an object window posted on its
    // destruction is drained and ignored), HandleRunObject of every object and DisplayRunObject
    // when it asks to be redisplayed.
    void Frame();
    // Frames at 60 per second for `ms` milliseconds.
    void RunFor(DWORD ms);
    // Frames until `done` answers true or the time runs out; true when it did.
    bool RunUntil(const std::function<bool()>& done, DWORD timeoutMs);

    // ---- Routines from the routine lists ----
    long Action(int number, int code, long param1 = 0, long param2 = 0);
    long ActionWithText(int number, int code, const std::string& text);
    // The number also travels through the host's parameter service (action 39 fetches it there).
    long ActionWithDecimal(int number, int code, float value);
    long Condition(int number, int code, long parameter = 0);
    ExpressionValue Expression(int number, int code);

    // ---- Input and the frame window ----
    void Click(int number, ClickButton button, bool doubleClick);
    void Key(int number, int keyCode);
    void ResizeFrame(int width, int height);

    // ---- Composite host steps (printed) ----
    // The author opens the object's setup dialog (EditObject) and presses Help, when asked,
    // then OK. The host's help service opens the file the module names (help_viewer.h).
    void SetupDialog(bool pressHelp);
    // Action 36 to `path`, then condition 12: true when the module reports the grab done.
    bool Grab(int number, const std::string& path);
    void Position(int number);
    // The frame window's pixels as a PNG file (Windows); false where it cannot be done.
    bool Screenshot(const std::string& path);

    // ---- What the module signalled ----
    int SignalCount(int number, int code) const;
    // Milliseconds on the timeline of the first signal of `code`, or -1.
    long FirstSignalMs(int number, int code) const;
    // Whether condition signals are evaluated at once through the condition routine (as a host
    // with events on them does); condition 6 never is, its guard would change the last error.
    void EvaluateSignals(bool evaluate) { evaluateSignals = evaluate; }
    // Whether every routine call is printed (the end-to-end checks turn this off).
    void PrintCalls(bool print) { printCalls = print; }

    // Runs the script until its "end", until no event is left, or until `timeoutMs`. A
    // "create" without a path creates an object on `defaultFile`.
    void RunScript(const Script& script, const std::string& defaultFile, DWORD timeoutMs);

    RunHost& Host() { return *runHost; }
    EditHostRecord* EditRecord() { return editHost.Record(); }
    const RunObjectInfos& Infos() const { return infos; }
    Timeline& Report() { return *timeline; }

  private:
    struct HostObject {
        int number = 0;
        ObjectSettings settings;
        std::unique_ptr<RunObject> run;
        int createResult = 0;
        bool live = false;
        std::map<int, int> signalCounts;
        std::map<int, long> firstSignalMs;
        std::vector<int> signalledNow, signalledBefore; // this frame, the previous frame
        long clickParameter = 0;
        long keyParameter = 0;
    };

    HostObject* Find(int number) const;
    HostObject* FindRun(RunObject* run) const;
    void OnSignal(RunObject* run, int code);
    std::string EventText(int kind, int code, const std::vector<std::string>& arguments);
    std::string ObjectName(const HostObject& object) const;
    void Print(const std::string& kind, const std::string& text);
    long MissingRoutine(int kind, int code);
    void RunEvent(const ScriptEvent& event, int target, const std::string& defaultFile);

    ModuleApi api;
    Timeline* timeline;
    EditHost editHost;
    std::unique_ptr<RunHost> runHost;
    HostApplication application = {};
    RunObjectInfos infos = {};
    bool started = false;
    bool evaluateSignals = true;
    bool printCalls = true;
    std::vector<std::unique_ptr<HostObject>> objects;
};

} // namespace hoststandin
